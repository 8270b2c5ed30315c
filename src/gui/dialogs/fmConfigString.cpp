#include "dialogs/fmConfigString.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/fmConfigUpDown.h"

TfmConfigureString::TfmConfigureString(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("fmConfigureString"));
  setWindowTitle(QStringLiteral("Configure string"));

  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  current_ = AddCountRow(grid, 0, "Monitored currents per string :", "ebCurrentCount",
                         "updnCurrentCount", kCurrentCountRange);
  temperature_ = AddCountRow(grid, 1, "Monitored temperatures per string :", "ebTemperatureCount",
                             "updnTemperatureCount", kTemperatureCountRange);
  cell_ = AddCountRow(grid, 2, "Measurement points per string :", "ebCellCount", "updnCellCount",
                      kCellCountRange);
  jar_ = AddCountRow(grid, 3, "Each measurement point covers ", "ebJarCount", "updnJarCount",
                     kJarCountRange, "cell or jar");
  grid->setColumnStretch(4, 1);
  outer->addLayout(grid);

  cbxVoltageOnly_ = new QCheckBox(QStringLiteral("Do not monitor cell ohmic-value"), this);
  cbxVoltageOnly_->setObjectName(QStringLiteral("cbxVoltageOnly"));
  cbxVoltageOnly_->setTristate(true);
  outer->addWidget(cbxVoltageOnly_);

  rgConfigureStringScope_ = new QGroupBox(QStringLiteral("Apply this configuration to :"), this);
  rgConfigureStringScope_->setObjectName(QStringLiteral("rgConfigureStringScope"));
  auto* scopeColumn = new QVBoxLayout(rgConfigureStringScope_);
  scopeButtons_ = new QButtonGroup(this);
  const char* items[] = {"Only selected batteries / strings", "All strings in all batteries"};
  for (int i = 0; i < 2; ++i) {
    auto* rb = new QRadioButton(QString::fromUtf8(items[i]), rgConfigureStringScope_);
    rb->setObjectName(QStringLiteral("rgConfigureStringScope_%1").arg(i));
    scopeButtons_->addButton(rb, i);
    scopeColumn->addWidget(rb);
  }
  scopeButtons_->button(0)->setChecked(true);
  outer->addWidget(rgConfigureStringScope_);

  AddOkCancelRow(this, outer, btnOK_, btnCancel_);
  connect(btnOK_, &QPushButton::clicked, this, &TfmConfigureString::btnOKClick);

  UpdateOkButton();
}

TfmConfigureString::TCountRow TfmConfigureString::AddCountRow(QGridLayout* grid, int row,
                                                              const char* caption,
                                                              const char* editName,
                                                              const char* updnName,
                                                              const TCountRange& range,
                                                              const char* suffix) {
  auto* label = new QLabel(QString::fromUtf8(caption), this);
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(editName));
  edit->setFixedWidth(48);
  edit->setAlignment(Qt::AlignRight);
  label->setBuddy(edit);
  auto* updn = new TDialogUpDown(edit, range.minimum, range.maximum, range.initial, this);
  updn->setObjectName(QString::fromLatin1(updnName));
  updn->setFixedHeight(edit->sizeHint().height());
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  grid->addWidget(updn, row, 2);
  if (suffix) grid->addWidget(new QLabel(QString::fromUtf8(suffix), this), row, 3);
  connect(edit, &QLineEdit::textChanged, this, &TfmConfigureString::UpdateOkButton);
  connect(updn, &TDialogUpDown::Changing, this, &TfmConfigureString::UpdateOkButton);
  return {edit, updn};
}

void TfmConfigureString::SetCount(const TCountRow& row, int value, const TCountRange& range) {
  row.updn->SetPosition(value);
  if (CountShownBlank(value, range)) row.edit->clear();
}

void TfmConfigureString::SetCurrentCount(int value) { SetCount(current_, value, kCurrentCountRange); }
void TfmConfigureString::SetTemperatureCount(int value) {
  SetCount(temperature_, value, kTemperatureCountRange);
}
void TfmConfigureString::SetCellCount(int value) { SetCount(cell_, value, kCellCountRange); }
void TfmConfigureString::SetJarCount(int value) { SetCount(jar_, value, kJarCountRange); }

void TfmConfigureString::SetVoltageOnlyState(int state) {
  switch (VoltageOnlyStateFromInt(state)) {
    case vosTicked: cbxVoltageOnly_->setCheckState(Qt::Checked); break;
    case vosMixed: cbxVoltageOnly_->setCheckState(Qt::PartiallyChecked); break;
    case vosClear: cbxVoltageOnly_->setCheckState(Qt::Unchecked); break;
  }
}

int TfmConfigureString::CurrentCount() const { return current_.updn->Position(); }
int TfmConfigureString::TemperatureCount() const { return temperature_.updn->Position(); }
int TfmConfigureString::CellCount() const { return cell_.updn->Position(); }
int TfmConfigureString::JarCount() const { return jar_.updn->Position(); }

int TfmConfigureString::VoltageOnlyState() const {
  switch (cbxVoltageOnly_->checkState()) {
    case Qt::Checked: return vosTicked;
    case Qt::PartiallyChecked: return vosMixed;
    default: return vosClear;
  }
}

bool TfmConfigureString::AllStrings() const { return scopeButtons_->checkedId() == 1; }

void TfmConfigureString::UpdateOkButton() {
  btnOK_->setEnabled(ConfigStringOkEnabled({current_.edit->text().toStdString(),
                                            temperature_.edit->text().toStdString(),
                                            cell_.edit->text().toStdString(),
                                            jar_.edit->text().toStdString()}));
}

void TfmConfigureString::btnOKClick() {
  for (const TCountRow* row : {&current_, &temperature_, &cell_, &jar_})
    if (row->updn->RefuseEntry()) return;
  accept();
}

TCountSnapshot TfmConfigureString::Snapshot(const TCountRow& row) {
  return {row.updn->Position(), row.edit->text().isEmpty()};
}

void TfmConfigureString::Restore(const TCountRow& row, const TCountSnapshot& snapshot) {
  row.updn->SetPosition(snapshot.position);
  if (snapshot.blank) row.edit->clear();
}

bool TfmConfigureString::Execute(bool scopeChoosable) {
  const TCountSnapshot current = Snapshot(current_);
  const TCountSnapshot temperature = Snapshot(temperature_);
  const TCountSnapshot cell = Snapshot(cell_);
  scopeButtons_->button(0)->setChecked(true);
  rgConfigureStringScope_->setEnabled(scopeChoosable);
  UpdateOkButton();
  btnOK_->setFocus();
  const bool ok = exec() == QDialog::Accepted;
  if (!ok) {
    Restore(current_, current);
    Restore(temperature_, temperature);
    Restore(cell_, cell);
  }
  return ok;
}
