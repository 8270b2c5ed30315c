#pragma once
// TfmAlarmSettings: the dialog "String alarm settings" with the eight alarm
// limits, their defaults by cell type and chemistry, and the scope they apply to.
// One instance lives for the whole run: it loads the defaults when made and
// saves them when destroyed. Its decisions live in TAlarmSettingsLogic.
#include <QDialog>

#include <array>

#include "alarms/ZMAlarmLimits.h"
#include "alarms/fmAlarmSetLogic.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TfmAlarmSettings : public QDialog {
  Q_OBJECT
 public:
  explicit TfmAlarmSettings(const TSettingsFileLocation& location, QWidget* parent = nullptr);
  // Saves the defaults; a file that cannot be written is passed over.
  ~TfmAlarmSettings() override;

  // Writes the defaults now; throws ESafeFileError when the file cannot be written.
  void SaveAlarmDefaults() const { logic_.SaveAlarmDefaults(); }

  // Shows the dialog modally; true when it was closed with OK. With
  // `forceAllStrings` the scope is "All strings on all batteries" and fixed.
  bool Execute(bool forceAllStrings);

  bool ForceAllStrings() const { return logic_.ForceAllStrings(); }
  bool AllStrings() const { return logic_.AllStrings(); }
  bool AlarmsAccepted() const { return logic_.AlarmsAccepted(); }
  void SetAlarmsAccepted(bool accepted) { logic_.SetAlarmsAccepted(accepted); }

  // The eight limits. Reading converts the box (EConvertError when it is not a
  // number; a blank box gives the default); a negative value blanks the box.
  double HighT() const { return logic_.Limit(abHighT); }
  double LowT() const { return logic_.Limit(abLowT); }
  double HighI() const { return logic_.Limit(abHighI); }
  double LowI() const { return logic_.Limit(abLowI); }
  double HighV() const { return logic_.Limit(abHighV); }
  double LowV() const { return logic_.Limit(abLowV); }
  double HighR() const { return logic_.Limit(abHighR); }
  double LowR() const { return logic_.Limit(abLowR); }
  void SetHighT(double value) { SetLimit(abHighT, value); }
  void SetLowT(double value) { SetLimit(abLowT, value); }
  void SetHighI(double value) { SetLimit(abHighI, value); }
  void SetLowI(double value) { SetLimit(abLowI, value); }
  void SetHighV(double value) { SetLimit(abHighV, value); }
  void SetLowV(double value) { SetLimit(abLowV, value); }
  void SetHighR(double value) { SetLimit(abHighR, value); }
  void SetLowR(double value) { SetLimit(abLowR, value); }

  // The eight limits together (as the getters read them), and giving the
  // dialog a cell type, chemistry and limits kept earlier, as if chosen.
  TAlarmLimits Limits() const;
  void RestoreValues(TCellType type, TCellChemistry chemistry, const TAlarmLimits& limits);

  const TAlarmSettingsLogic& Logic() const { return logic_; }

 public slots:
  // Cancel, Escape: boxes left holding no number are emptied first.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void SetTabOrder();
  void SetLimit(TAlarmBox box, double value);
  // Shows the logic's state in the controls.
  void UpdateControls();

  void btnSetDefaultsClick();
  void btnOKClick();
  void btnCancelClick();
  void rbCellTypeClick(TCellType type);
  void rbChemistryClick(TCellChemistry chemistry);
  void ebOtherVChange(const QString& text);
  void ebLimitChange(TAlarmBox box, const QString& text);
  void ebLimitExit(TAlarmBox box);

  TAlarmSettingsLogic logic_;
  bool updating_ = false;

  std::array<QLineEdit*, abCount> eb_{};
  QLineEdit* ebOtherV_ = nullptr;
  QRadioButton* rb2V_ = nullptr;
  QRadioButton* rb4V_ = nullptr;
  QRadioButton* rb6V_ = nullptr;
  QRadioButton* rb12V_ = nullptr;
  QRadioButton* rbOtherV_ = nullptr;
  QRadioButton* rbVRLACells_ = nullptr;
  QRadioButton* rbWetCells_ = nullptr;
  QGroupBox* rgAlarmScope_ = nullptr;
  QButtonGroup* scopeButtons_ = nullptr;
  QPushButton* btnSetDefaults_ = nullptr;
  QPushButton* btnOK_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
};
