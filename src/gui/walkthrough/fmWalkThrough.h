#pragma once
// TfmWalkthru: the question-and-answer window of walk-through mode. It renders
// the page of the walk-through engine, hands the user's answers and clicks
// back to it, runs the engine's deferred steps on its own event queue, and
// prints the two verification reports.
#include <QDialog>
#include <QRect>
#include <functional>
#include <memory>

#include "walkthrough/fmWalkThroughEngine.h"
#include "walkthrough/fmWalkThroughReports.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmCurrentScaling;
class TWalkSpinEdit;
class TWalkThroughTextArea;

class TfmWalkthru : public QDialog {
  Q_OBJECT
 public:
  explicit TfmWalkthru(QWidget* parent = nullptr);
  ~TfmWalkthru() override;

  // Resets the walk-through over `system` and runs the window modally. True
  // when the user finished it, false when cancelled or without a system.
  bool Execute(TzmUPSSystem* system);

  // The window the walk-through places itself over when shown; by default
  // its parent.
  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
  // The right two thirds of the main window's geometry.
  static QRect PlacementOver(const QRect& mainGeometry);

  // Called when a verification page has shown its report; the strings are on
  // their control units then, so the main window's status line can follow.
  std::function<void()> OnReportShown;

  // The current scaling dialog of the program; without one the window makes its own.
  void SetCurrentScalingDialog(TfrmCurrentScaling* dialog) { scalingDialog_ = dialog; }

  TWalkThroughEngine& Engine() { return *engine_; }
  // The placement of the last battery verification, kept between runs.
  const TControlUnitTable& ControlUnitTable() const { return controlUnits_; }
  // The document title of the report on display (empty on other pages).
  QString PrintTitle() const;

  void btnWalkNextClick();
  void btnWalkPrevClick();
  void btnWalkCancelClick();
  void btnPrintClick();
  void btnCurrentScalingClick();

 public slots:
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class TQueuedStep;

  void CreateControls();
  void WireEngine();
  // Shows the engine's page; moves the focus only after a step, not while
  // the user edits the page.
  void Render(bool moveFocus);
  void Relayout();
  void FocusPageEntry();
  // Runs an engine call; errors are shown and leave the window running.
  template <typename F>
  void Call(F f, bool userEdit = false);
  bool EnterPerformsNext(QObject* watched) const;
  QCheckBox* CheckFor(TWalkBox box) const;
  TfrmCurrentScaling* ScalingDialog();

  std::unique_ptr<TQueuedStep> deferred_;
  std::unique_ptr<TWalkThroughEngine> engine_;
  TzmUPSSystem* system_ = nullptr;
  QWidget* mainWindow_ = nullptr;
  TfrmCurrentScaling* scalingDialog_ = nullptr;
  TfrmCurrentScaling* ownScalingDialog_ = nullptr;
  TControlUnitTable controlUnits_;
  int rendering_ = 0;
  bool userEdit_ = false;

  QWidget* pnlWalkThru_ = nullptr;
  TWalkThroughTextArea* rchedtWalkThru_ = nullptr;
  QLabel* lblHeading_ = nullptr;
  QPushButton* btnWalkPrev_ = nullptr;
  QPushButton* btnWalkNext_ = nullptr;
  QPushButton* btnWalkCancel_ = nullptr;
  QLabel* lblBatStr_ = nullptr;
  QLineEdit* ebWalkThru_ = nullptr;
  TWalkSpinEdit* rxspinWalkThru_ = nullptr;
  TWalkSpinEdit* rxspinFarenheit_ = nullptr;
  QLabel* lblCelsius_ = nullptr;
  QLabel* lblFarenheit_ = nullptr;
  QCheckBox* cbxWalkThru_ = nullptr;
  QCheckBox* cbxForceNewCU_ = nullptr;
  QCheckBox* cbxSubString_ = nullptr;
  QCheckBox* cbxClone_ = nullptr;
  QCheckBox* cbxVoltageOnly_ = nullptr;
  QCheckBox* cbxGenset_ = nullptr;
  QPushButton* btnPrint_ = nullptr;
  QPushButton* btnCurrentScaling_ = nullptr;
};
