#pragma once
// In-place editing of a row's name: the edit link drives one edit box that it
// lays over the cell being edited.
#include <QLineEdit>
#include <QObject>
#include <QPersistentModelIndex>

class TzmTreeview;
class TzmTreeviewEditLink;

// The single-line edit box of the in-place editor.
class TzmTreeviewEdit : public QLineEdit {
  Q_OBJECT
 public:
  TzmTreeviewEdit(TzmTreeviewEditLink* link, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TzmTreeviewEditLink* Link_;
};

class TzmTreeviewEditLink : public QObject {
  Q_OBJECT
 public:
  static constexpr int MinWidth = 50;

  explicit TzmTreeviewEditLink(TzmTreeview* tree);

  // Fills the box with the cell's text and lays it over the cell's text.
  bool PrepareEdit(const QModelIndex& index);
  // Shows the box and gives it the focus.
  bool BeginEdit();
  // Hands a changed text to the node, then hides the box.
  bool EndEdit();
  // Hides the box; nothing changes.
  bool CancelEdit();
  // Width to fit the text: at least MinWidth, at most up to the tree's right edge.
  void FitWidth();
  // Moves the box along when the tree scrolls.
  void Scroll(int dx, int dy);

  bool Editing() const { return Editing_; }
  TzmTreeviewEdit* Edit() const { return Edit_; }
  QModelIndex Index() const { return Index_; }

 private:
  void Finish();
  int TextWidth() const;
  int Bounded(int width) const;

  TzmTreeview* Tree_;
  TzmTreeviewEdit* Edit_;
  QPersistentModelIndex Index_;
  bool Editing_ = false;
  bool Finishing_ = false;
};
