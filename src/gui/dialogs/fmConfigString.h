#pragma once
// TfmConfigureString: the "Configure string" dialog. The caller sets the
// summary of the selected strings (a count below its box's minimum, such as
// the mixed marker -100, shows as a blank box), runs Execute and, on OK, reads
// the counts, the voltage-only state and the scope back.
#include <QDialog>

#include "wizard/fmConfigStringLogic.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDialogUpDown;

class TfmConfigureString : public QDialog {
  Q_OBJECT
 public:
  explicit TfmConfigureString(QWidget* parent = nullptr);

  void SetCurrentCount(int value);
  void SetTemperatureCount(int value);
  void SetCellCount(int value);
  void SetJarCount(int value);
  // 0 clear, 1 ticked, 2 grey (the strings differ).
  void SetVoltageOnlyState(int state);

  int CurrentCount() const;
  int TemperatureCount() const;
  int CellCount() const;
  int JarCount() const;
  int VoltageOnlyState() const;
  // "All strings in all batteries" was chosen.
  bool AllStrings() const;

  // Shows the dialog modally with the scope reset to the selected strings and
  // enabled only when `scopeChoosable`; on anything but OK the three counts
  // shown at the start come back. True on OK.
  bool Execute(bool scopeChoosable);

  // Re-evaluates whether OK may be pressed (all four count boxes filled).
  void UpdateOkButton();

 private:
  struct TCountRow {
    QLineEdit* edit = nullptr;
    TDialogUpDown* updn = nullptr;
  };
  TCountRow AddCountRow(class QGridLayout* grid, int row, const char* caption, const char* editName,
                        const char* updnName, const TCountRange& range, const char* suffix = nullptr);
  static void SetCount(const TCountRow& row, int value, const TCountRange& range);
  static TCountSnapshot Snapshot(const TCountRow& row);
  static void Restore(const TCountRow& row, const TCountSnapshot& snapshot);
  // Closes with OK when every count is a whole number within its range;
  // otherwise says which range, on the first box that is not.
  void btnOKClick();

  TCountRow current_, temperature_, cell_, jar_;
  QCheckBox* cbxVoltageOnly_ = nullptr;
  QGroupBox* rgConfigureStringScope_ = nullptr;
  QButtonGroup* scopeButtons_ = nullptr;
  QPushButton* btnOK_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
};
