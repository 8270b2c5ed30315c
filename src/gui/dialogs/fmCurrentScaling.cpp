#include "dialogs/fmCurrentScaling.h"

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
#include "model/ZMCurrentScaling.h"

class TfrmCurrentScaling::TProgramChange {
 public:
  explicit TProgramChange(TfrmCurrentScaling& dialog) : dialog_(dialog) { ++dialog_.programChange_; }
  ~TProgramChange() { --dialog_.programChange_; }
  TProgramChange(const TProgramChange&) = delete;
  TProgramChange& operator=(const TProgramChange&) = delete;

 private:
  TfrmCurrentScaling& dialog_;
};

namespace {
QLineEdit* MakeNumberEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setFixedWidth(56);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

TDialogUpDown* MakeUpDown(QLineEdit* edit, const char* name, int minimum, int maximum, int position,
                          QWidget* parent) {
  auto* updn = new TDialogUpDown(edit, minimum, maximum, position, parent);
  updn->setObjectName(QString::fromLatin1(name));
  updn->setFixedHeight(edit->sizeHint().height());
  return updn;
}

QLabel* MakeLabel(const char* caption, const char* name, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}
}  // namespace

TfrmCurrentScaling::TfrmCurrentScaling(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmCurrentScaling"));
  setWindowTitle(QStringLiteral("Current Scaling"));
  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  // Max probe current.
  grpProbeCurrent_ = new QGroupBox(QStringLiteral("Max probe current"), this);
  grpProbeCurrent_->setObjectName(QStringLiteral("grpProbeCurrent"));
  auto* probe = new QGridLayout(grpProbeCurrent_);
  auto makeRadio = [this](const char* caption, const char* name) {
    auto* rb = new QRadioButton(QString::fromUtf8(caption), grpProbeCurrent_);
    rb->setObjectName(QString::fromLatin1(name));
    connect(rb, &QRadioButton::toggled, this, &TfrmCurrentScaling::ProbeCurrentChosen);
    return rb;
  };
  rbtnProbeCurrent1000_ = makeRadio("1000 Amps", "rbtnProbeCurrent1000");
  rbtnProbeCurrent2500_ = makeRadio("2500 Amps", "rbtnProbeCurrent2500");
  rbtnProbeCurrentOther_ = makeRadio("Other", "rbtnProbeCurrentOther");
  edtProbeCurrentOther_ = MakeNumberEdit(grpProbeCurrent_, "edtProbeCurrentOther");
  updnProbeCurrentOther_ = MakeUpDown(edtProbeCurrentOther_, "updnProbeCurrentOther", kOtherProbeMin,
                                      kOtherProbeMax, kOtherProbeInitial, grpProbeCurrent_);
  updnProbeCurrentOther_->SetThousands(true);
  updnProbeCurrentOther_->SetPosition(kOtherProbeInitial);
  lblProbeCurrentAmps_ = MakeLabel("Amps", "lblProbeCurrentAmps", grpProbeCurrent_);
  probe->addWidget(rbtnProbeCurrent1000_, 0, 0);
  probe->addWidget(rbtnProbeCurrent2500_, 1, 0);
  probe->addWidget(rbtnProbeCurrentOther_, 2, 0);
  auto* other = new QHBoxLayout;
  other->setSpacing(0);
  other->addWidget(edtProbeCurrentOther_);
  other->addWidget(updnProbeCurrentOther_);
  other->addSpacing(6);
  other->addWidget(lblProbeCurrentAmps_);
  other->addStretch(1);
  probe->addLayout(other, 2, 1);
  probe->setColumnStretch(1, 1);
  // Keep the group's height while the other probe current is hidden.
  probe->setRowMinimumHeight(2, edtProbeCurrentOther_->sizeHint().height());
  outer->addWidget(grpProbeCurrent_);

  // Cable counts.
  grpCableCounts_ = new QGroupBox(QStringLiteral("Set by cable counts:"), this);
  grpCableCounts_->setObjectName(QStringLiteral("grpCableCounts"));
  auto* cables = new QGridLayout(grpCableCounts_);
  cables->setHorizontalSpacing(0);
  lblTotalCables_ =
      MakeLabel("Total number of cables carrying string current :", "lblTotalCables", grpCableCounts_);
  edtTotalCables_ = MakeNumberEdit(grpCableCounts_, "edtTotalCables");
  updnTotalCables_ = MakeUpDown(edtTotalCables_, "updnTotalCables", kCablesMin, kCablesMax, 1,
                                grpCableCounts_);
  lblMonitoredCables_ =
      MakeLabel("Number of cables monitored by current clamp :", "lblMonitoredCables", grpCableCounts_);
  edtMonitoredCables_ = MakeNumberEdit(grpCableCounts_, "edtMonitoredCables");
  updnMonitoredCables_ = MakeUpDown(edtMonitoredCables_, "updnMonitoredCables", kCablesMin,
                                    kCablesMax, 1, grpCableCounts_);
  cables->addWidget(lblTotalCables_, 0, 0);
  cables->addWidget(edtTotalCables_, 0, 2);
  cables->addWidget(updnTotalCables_, 0, 3);
  cables->addWidget(lblMonitoredCables_, 1, 0);
  cables->addWidget(edtMonitoredCables_, 1, 2);
  cables->addWidget(updnMonitoredCables_, 1, 3);
  cables->setColumnMinimumWidth(1, 6);
  cables->setColumnStretch(0, 1);
  outer->addWidget(grpCableCounts_);

  // Percentage.
  grpPercent_ = new QGroupBox(QStringLiteral("OR set percentage directly :"), this);
  grpPercent_->setObjectName(QStringLiteral("grpPercent"));
  auto* percent = new QGridLayout(grpPercent_);
  percent->setHorizontalSpacing(0);
  lblPercent1_ = MakeLabel("What percent of the current is being monitored", "lblPercent1", grpPercent_);
  lblPercent2_ = MakeLabel("by the current clamp?", "lblPercent2", grpPercent_);
  edtPercentCurrent_ = MakeNumberEdit(grpPercent_, "edtPercentCurrent");
  updnPercentCurrent_ = MakeUpDown(edtPercentCurrent_, "updnPercentCurrent", kPercentMin, kPercentMax,
                                   kPercentInitial, grpPercent_);
  percent->addWidget(lblPercent1_, 0, 0);
  percent->addWidget(lblPercent2_, 1, 0);
  percent->addWidget(edtPercentCurrent_, 1, 2);
  percent->addWidget(updnPercentCurrent_, 1, 3);
  percent->setColumnMinimumWidth(1, 6);
  percent->setColumnStretch(0, 1);
  outer->addWidget(grpPercent_);

  // Expert value.
  auto* grpExpert = new QGroupBox(this);
  grpExpert->setObjectName(QStringLiteral("grpExpert"));
  auto* expert = new QGridLayout(grpExpert);
  chkExpertsOnly_ = new QCheckBox(QStringLiteral("Expert use only:"), grpExpert);
  chkExpertsOnly_->setObjectName(QStringLiteral("chkExpertsOnly"));
  lblExpertsOnly_ = MakeLabel("Enter scaling value for this current clamp :", "lblExpertsOnly", grpExpert);
  edtExpertsOnly_ = new QLineEdit(grpExpert);
  edtExpertsOnly_->setObjectName(QStringLiteral("edtExpertsOnly"));
  edtExpertsOnly_->setFixedWidth(73);
  edtExpertsOnly_->setAlignment(Qt::AlignRight);
  lblExpertsOnly_->setBuddy(edtExpertsOnly_);
  expert->addWidget(chkExpertsOnly_, 0, 0, 1, 2);
  expert->addWidget(lblExpertsOnly_, 1, 0);
  expert->addWidget(edtExpertsOnly_, 1, 1);
  expert->setColumnStretch(0, 1);
  outer->addWidget(grpExpert);

  AddOkCancelRow(this, outer, btnOK_, btnCancel_);
  connect(btnOK_, &QPushButton::clicked, this, &TfrmCurrentScaling::btnOKClick);
  connect(chkExpertsOnly_, &QCheckBox::toggled, this, &TfrmCurrentScaling::UpdateEnabledStates);
  connect(edtExpertsOnly_, &QLineEdit::textChanged, this, &TfrmCurrentScaling::UpdateEnabledStates);
  connect(edtTotalCables_, &QLineEdit::textChanged, this, [this] {
    CableBoxChange(edtTotalCables_, edtMonitoredCables_, updnMonitoredCables_);
  });
  connect(edtMonitoredCables_, &QLineEdit::textChanged, this,
          [this] { CableBoxChange(edtMonitoredCables_, edtTotalCables_, updnTotalCables_); });
  connect(updnTotalCables_, &TDialogUpDown::Clicked, this, &TfrmCurrentScaling::CableUpDownClick);
  connect(updnMonitoredCables_, &TDialogUpDown::Clicked, this, &TfrmCurrentScaling::CableUpDownClick);
  connect(edtPercentCurrent_, &QLineEdit::textChanged, this, &TfrmCurrentScaling::PercentBoxChange);
  connect(edtPercentCurrent_, &QLineEdit::textEdited, this, &TfrmCurrentScaling::EmptyCableBoxes);
  connect(updnPercentCurrent_, &TDialogUpDown::Clicked, this, [this] {
    ByCables_ = false;
    EmptyCableBoxes();
  });

  ResetControls();
  UpdateEnabledStates();
}

void TfrmCurrentScaling::ResetControls() {
  TProgramChange change(*this);
  Calculator_ = nullptr;
  ByCables_ = true;
  rbtnProbeCurrent1000_->setChecked(true);
  updnTotalCables_->SetPosition(1);
  updnMonitoredCables_->SetPosition(1);
  updnPercentCurrent_->SetPosition(kPercentInitial);
  chkExpertsOnly_->setChecked(false);
  edtExpertsOnly_->clear();
  ProbeCurrentChosen();
}

void TfrmCurrentScaling::ShowView(const TCurrentScalingView& view) {
  TProgramChange change(*this);
  chkExpertsOnly_->setChecked(view.expert);
  if (view.expert) {
    edtExpertsOnly_->setText(QString::number(view.expertValue));
    return;
  }
  switch (view.probe) {
    case TProbeChoice::Amps1000: rbtnProbeCurrent1000_->setChecked(true); break;
    case TProbeChoice::Amps2500: rbtnProbeCurrent2500_->setChecked(true); break;
    case TProbeChoice::Other: rbtnProbeCurrentOther_->setChecked(true); break;
  }
  if (view.otherProbe) updnProbeCurrentOther_->SetPosition(*view.otherProbe);
  updnTotalCables_->SetPosition(view.totalCables);
  updnMonitoredCables_->SetPosition(view.monitoredCables);
  updnPercentCurrent_->SetPosition(view.percent);
  if (view.cablesBlank) {
    edtTotalCables_->clear();
    edtMonitoredCables_->clear();
  }
  ByCables_ = view.byCables;
}

bool TfrmCurrentScaling::Execute(TCurrentScalingCalculator& calculator) {
  ResetControls();
  Calculator_ = &calculator;
  ShowView(CurrentScalingViewOf(calculator));
  UpdateEnabledStates();
  btnOK_->setFocus();
  const bool ok = exec() == QDialog::Accepted;
  Calculator_ = nullptr;
  return ok;
}

void TfrmCurrentScaling::UpdateEnabledStates() {
  const bool expert = chkExpertsOnly_->isChecked();
  grpProbeCurrent_->setEnabled(!expert);
  grpCableCounts_->setEnabled(!expert);
  grpPercent_->setEnabled(!expert);
  lblExpertsOnly_->setEnabled(expert);
  edtExpertsOnly_->setEnabled(expert);
  btnOK_->setEnabled(CurrentScalingOkEnabled(expert, edtExpertsOnly_->text().toStdString(), ByCables_,
                                             updnPercentCurrent_->Position()));
}

void TfrmCurrentScaling::ProbeCurrentChosen() {
  const bool other = rbtnProbeCurrentOther_->isChecked();
  edtProbeCurrentOther_->setVisible(other);
  updnProbeCurrentOther_->setVisible(other);
  lblProbeCurrentAmps_->setVisible(other);
}

void TfrmCurrentScaling::CableBoxChange(QLineEdit* changed, QLineEdit* other, TDialogUpDown* otherUpdn) {
  if (programChange_) return;
  ByCables_ = true;
  if (!changed->text().isEmpty() && other->text().isEmpty()) {
    TProgramChange change(*this);
    otherUpdn->SetPosition(otherUpdn->Position());
  }
  UpdateEnabledStates();
}

void TfrmCurrentScaling::CableUpDownClick() {
  {
    TProgramChange change(*this);
    updnPercentCurrent_->SetPosition(
        PercentFromCables(updnTotalCables_->Position(), updnMonitoredCables_->Position()));
  }
  ByCables_ = true;
  UpdateEnabledStates();
}

void TfrmCurrentScaling::PercentBoxChange() {
  if (programChange_) return;
  ByCables_ = false;
  UpdateEnabledStates();
}

void TfrmCurrentScaling::EmptyCableBoxes() {
  TProgramChange change(*this);
  edtTotalCables_->clear();
  edtMonitoredCables_->clear();
  UpdateEnabledStates();
}

TCurrentScalingAnswer TfrmCurrentScaling::Answer() const {
  TCurrentScalingAnswer answer;
  answer.expert = chkExpertsOnly_->isChecked();
  ExpertValueFromText(edtExpertsOnly_->text().toStdString(), answer.expertValue);
  if (rbtnProbeCurrent2500_->isChecked())
    answer.probeCurrent = 2500;
  else if (rbtnProbeCurrentOther_->isChecked())
    answer.probeCurrent = updnProbeCurrentOther_->Position();
  else
    answer.probeCurrent = 1000;
  answer.byCables = ByCables_;
  answer.totalCables = updnTotalCables_->Position();
  answer.monitoredCables = updnMonitoredCables_->Position();
  answer.percent = updnPercentCurrent_->Position();
  return answer;
}

bool TfrmCurrentScaling::EntryRefused() {
  if (chkExpertsOnly_->isChecked()) return false;
  if (rbtnProbeCurrentOther_->isChecked() && updnProbeCurrentOther_->RefuseEntry()) return true;
  if (ByCables_) return updnTotalCables_->RefuseEntry() || updnMonitoredCables_->RefuseEntry();
  return updnPercentCurrent_->RefuseEntry();
}

void TfrmCurrentScaling::btnOKClick() {
  if (!Calculator_ || !btnOK_->isEnabled() || EntryRefused()) return;
  ApplyCurrentScaling(*Calculator_, Answer());
  accept();
}
