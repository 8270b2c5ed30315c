#pragma once
// TDialogUpDown: the pair of arrow buttons that steps the number in an edit box
// (its associate). The position is a 16-bit number kept within a range; it
// follows the edit box's text whenever that text holds a number, and a click
// writes the new position back into the box. The dialogs of this folder use it
// where a count is typed or stepped.
#include <QWidget>

class QLineEdit;
class QToolButton;

class TDialogUpDown : public QWidget {
  Q_OBJECT
 public:
  TDialogUpDown(QLineEdit* associate, int minimum, int maximum, int position,
                QWidget* parent = nullptr);

  int Min() const { return min_; }
  int Max() const { return max_; }
  // The last valid number of the edit box, kept within the range. A blank box
  // or one holding no number leaves the position as it was.
  int Position() const { return position_; }
  // Moves the position (kept within the range) and shows it in the edit box.
  void SetPosition(int value);
  // Group digits by thousands in the edit box ("1,500").
  void SetThousands(bool on) { thousands_ = on; }
  // The text the edit box shows for a position.
  QString PositionText(int value) const;
  // Reads a number from a text written with or without group separators.
  static bool ParsePosition(const QString& text, int& value);
  // Checked on OK: a typed count is never bent into the range. When the edit
  // box holds no whole number within the range, the range message is shown,
  // the box gets the focus, and the answer is true.
  bool RefuseEntry();

  QLineEdit* Associate() const { return associate_; }
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  // A click (or the Up / Down key in the edit box) is about to move the position.
  void Changing();
  // A click moved the position (or tried to, at the end of the range) and wrote
  // it into the edit box.
  void Clicked(bool up);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Step(int delta);
  void FollowText(const QString& text);

  QLineEdit* associate_;
  QToolButton* up_;
  QToolButton* down_;
  int min_;
  int max_;
  int position_;
  bool thousands_ = false;
};

class QBoxLayout;
class QDialog;
class QPushButton;

// Adds the right-aligned "&OK" (default, objectName btnOK) and "&Cancel"
// (btnCancel) buttons under a dialog's controls; Cancel rejects the dialog.
void AddOkCancelRow(QDialog* dialog, QBoxLayout* outer, QPushButton*& ok, QPushButton*& cancel);
