#pragma once
// TfmConfigureBatteries: the "Number of batteries" dialog. The caller sets the
// battery count, the default number of strings and each battery's name and own
// number of strings, runs Execute and, on OK, reads them back. Battery indexes
// count from 0; an index outside the rows is ignored by the setters and gives
// nothing (an empty name, 0 strings) from the getters.
#include <QDialog>
#include <string>

#include "wizard/fmConfigBatteryLogic.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TBatteryNamesModel;
class TDialogUpDown;

class TfmConfigureBatteries : public QDialog {
  Q_OBJECT
 public:
  explicit TfmConfigureBatteries(QWidget* parent = nullptr);
  ~TfmConfigureBatteries() override;

  void SetBatteryCount(int count);
  int BatteryCount() const;
  void SetDefaultStringCount(int strings);
  int DefaultStringCount() const;

  std::string BatteryName(int index) const;
  void SetBatteryName(int index, const std::string& name);
  int StringCount(int index) const;
  void SetStringCount(int index, int strings);

  // Gives the grid one row per battery, fills blank names with their defaults
  // and shows the dialog modally. True on OK.
  bool Execute();

  // Sizes the names grid's columns to its width.
  void LayoutNames();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ebNumberOfBatteriesChange();
  void ebStringsPerBatteryChange();
  // Keeps a count box on an integer within its up-down's range; returns the count.
  int CheckedCount(QLineEdit* edit, TDialogUpDown* updn);
  void ApplyBatteryCount(int count);

  TBatteryNamesTable table_;
  TBatteryNamesModel* model_ = nullptr;
  QLineEdit* ebNumberOfBatteries_ = nullptr;
  TDialogUpDown* updnNumberOfBatteries_ = nullptr;
  QLineEdit* ebStringsPerBattery_ = nullptr;
  TDialogUpDown* updnStringsPerBattery_ = nullptr;
  QWidget* pnlNames_ = nullptr;
  QLabel* lblNames_ = nullptr;
  QTableView* sgNames_ = nullptr;
  QPushButton* Button1_ = nullptr;
  QPushButton* Button2_ = nullptr;
  bool updating_ = false;
};
