#pragma once
// TfrmCurrentScaling: the "Current Scaling" dialog. Execute opens it on one
// probe's calculator; on OK the calculator holds the user's description, on
// Cancel it is left as it was.
#include <QDialog>

#include "wizard/fmCurrentScalingLogic.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDialogUpDown;

class TfrmCurrentScaling : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmCurrentScaling(QWidget* parent = nullptr);

  // Resets the controls, fills them from `calculator`, shows the dialog modally
  // and returns true when it was closed with OK.
  bool Execute(TCurrentScalingCalculator& calculator);

  // The calculator being edited; none outside Execute.
  TCurrentScalingCalculator* Calculator() const { return Calculator_; }
  // The cable counts (true) or the percentage (false) decide the factor on OK.
  bool ByCables() const { return ByCables_; }

  // OK: writes the answers into the calculator and closes; does nothing
  // without a calculator. A count that decides the factor and is no whole
  // number within its range is refused with the range message first.
  void btnOKClick();
  // Enables the groups for the chosen way of scaling, and OK when the answers can be used.
  void UpdateEnabledStates();

 private:
  // Texts the dialog itself writes into its boxes are not the user's changes.
  class TProgramChange;

  void ResetControls();
  void ShowView(const TCurrentScalingView& view);
  TCurrentScalingAnswer Answer() const;
  bool EntryRefused();
  void ProbeCurrentChosen();
  void CableBoxChange(QLineEdit* changed, QLineEdit* other, TDialogUpDown* otherUpdn);
  void CableUpDownClick();
  void PercentBoxChange();
  void EmptyCableBoxes();

  TCurrentScalingCalculator* Calculator_ = nullptr;
  bool ByCables_ = true;
  int programChange_ = 0;

  QGroupBox* grpProbeCurrent_ = nullptr;
  QRadioButton* rbtnProbeCurrent1000_ = nullptr;
  QRadioButton* rbtnProbeCurrent2500_ = nullptr;
  QRadioButton* rbtnProbeCurrentOther_ = nullptr;
  QLineEdit* edtProbeCurrentOther_ = nullptr;
  TDialogUpDown* updnProbeCurrentOther_ = nullptr;
  QLabel* lblProbeCurrentAmps_ = nullptr;
  QGroupBox* grpCableCounts_ = nullptr;
  QLabel* lblTotalCables_ = nullptr;
  QLineEdit* edtTotalCables_ = nullptr;
  TDialogUpDown* updnTotalCables_ = nullptr;
  QLabel* lblMonitoredCables_ = nullptr;
  QLineEdit* edtMonitoredCables_ = nullptr;
  TDialogUpDown* updnMonitoredCables_ = nullptr;
  QGroupBox* grpPercent_ = nullptr;
  QLabel* lblPercent1_ = nullptr;
  QLabel* lblPercent2_ = nullptr;
  QLineEdit* edtPercentCurrent_ = nullptr;
  TDialogUpDown* updnPercentCurrent_ = nullptr;
  QCheckBox* chkExpertsOnly_ = nullptr;
  QLabel* lblExpertsOnly_ = nullptr;
  QLineEdit* edtExpertsOnly_ = nullptr;
  QPushButton* btnOK_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
};
