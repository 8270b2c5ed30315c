#pragma once
// TControlUnitBar: the control unit tool bar `tbarControlUnits` with one
// checkable button per control unit, and the control unit actions, bound to
// the core's TMainControlUnits. The main window places the bar and puts the
// actions on its own tool bar.
#include <QToolBar>
#include <functional>
#include <vector>

#include "wizard/MainControlUnits.h"

class QAction;
class QGridLayout;
class QMenu;
class QToolButton;
class TzmTreeview;

class TControlUnitBar : public QToolBar {
  Q_OBJECT
 public:
  // The bar takes over `core.OnButtonsChanged`.
  explicit TControlUnitBar(TMainControlUnits& core, QWidget* parent = nullptr);
  ~TControlUnitBar() override;

  // Where the commands take the selection from.
  void SetSelectionProvider(std::function<TzmTreeSelection()> provider);
  // Takes the selection from this tree and follows its changes.
  void WatchTree(TzmTreeview* tree);
  TzmTreeSelection Selection() const;

  QAction* actAddControlUnit() const { return actAddControlUnit_; }
  QAction* actSetControlUnit() const { return actSetControlUnit_; }
  QAction* actDeleteControlUnit() const { return actDeleteControlUnit_; }
  QAction* actAutoAssignCUs() const { return actAutoAssignCUs_; }
  // The pop-up menu of the "Add control unit" tool button.
  QMenu* pumControlUnits() const { return pumControlUnits_; }

  QToolButton* Button(int i) const;
  int ButtonCount() const { return static_cast<int>(Buttons_.size()); }
  int Rows() const { return Rows_; }

  // The bar shows only on the tree page and only with at least one button.
  void SetOnTreePage(bool onTreePage);
  // Brings the buttons and their marks in line with the core.
  void Sync();
  // Enables the actions for the current selection.
  void UpdateActions();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ToolButton13Click(int tag);
  void LayOutButtons();
  // The picture of `actSetControlUnit` with the control unit's number on it.
  void ShowPicture(QToolButton* button, int number);

  TMainControlUnits& Core_;
  std::function<TzmTreeSelection()> Provider_;
  QAction* actAddControlUnit_;
  QAction* actSetControlUnit_;
  QAction* actDeleteControlUnit_;
  QAction* actAutoAssignCUs_;
  QMenu* pumControlUnits_;
  QWidget* ButtonsHost_;
  QGridLayout* Grid_;
  std::vector<QToolButton*> Buttons_;
  int Rows_ = 1;
  // The picture the buttons were drawn from (its cache key).
  qint64 pictureKey_ = 0;
  bool OnTreePage_ = true;
};
