#include "alarms/fmAlarmSet.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QEvent>
#include <QValidator>
#include <QVBoxLayout>
#include <utility>

#include "app/QtUserInterface.h"

namespace {
// Limits what the user types to a number of characters. Unlike a maximum
// length it leaves the program's own texts alone ("39.50" in a four-character box).
class TTypedLengthValidator : public QValidator {
 public:
  TTypedLengthValidator(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}
  State validate(QString& input, int&) const override {
    return input.size() > maxLength_ ? Invalid : Acceptable;
  }

 private:
  int maxLength_;
};

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  if (maxLength > 0) edit->setValidator(new TTypedLengthValidator(maxLength, edit));
  edit->setFixedWidth(60);
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const char* caption) {
  auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
  radio->setObjectName(QString::fromLatin1(name));
  return radio;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
  group->setObjectName(QString::fromLatin1(name));
  return group;
}
}  // namespace

TfmAlarmSettings::TfmAlarmSettings(const TSettingsFileLocation& location, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      logic_(location) {
  setObjectName(QStringLiteral("fmAlarmSettings"));
  setWindowTitle(QStringLiteral("String alarm settings"));
  setModal(true);
  BuildControls();
  SetTabOrder();
  UpdateControls();
}

TfmAlarmSettings::~TfmAlarmSettings() {
  try {
    logic_.SaveAlarmDefaults();
  } catch (const std::exception&) {
    // The defaults are then simply not kept; there is no one left to tell.
  }
}

void TfmAlarmSettings::BuildControls() {
  // Temperature.
  auto* grpTemperature = MakeGroup(this, "grpTemperature", " Temperature ( °C ) ");
  eb_[abHighT] = MakeEdit(grpTemperature, "ebHighT", 4);
  eb_[abLowT] = MakeEdit(grpTemperature, "ebLowT", 4);
  auto* tGrid = new QGridLayout(grpTemperature);
  tGrid->addWidget(MakeLabel(grpTemperature, "lblHighT", "High limit"), 0, 0);
  tGrid->addWidget(eb_[abHighT], 0, 1);
  tGrid->addWidget(MakeLabel(grpTemperature, "lblLowT", "Low limit"), 1, 0);
  tGrid->addWidget(eb_[abLowT], 1, 1);
  // The boxes stand next to their labels, as in the voltage group below.
  tGrid->setColumnStretch(2, 1);

  // Current.
  auto* grpCurrent = MakeGroup(this, "grpCurrent", " Current ( A ) ");
  eb_[abHighI] = MakeEdit(grpCurrent, "ebHighI", 5);
  eb_[abHighI]->setToolTip(QStringLiteral("Enter a +ve value here"));
  eb_[abLowI] = MakeEdit(grpCurrent, "ebLowI", 5);
  auto* iGrid = new QGridLayout(grpCurrent);
  iGrid->addWidget(MakeLabel(grpCurrent, "lblDischarge", "Discharge"), 0, 0);
  iGrid->addWidget(MakeLabel(grpCurrent, "lblGreaterThan", "greater than"), 0, 1);
  iGrid->addWidget(eb_[abHighI], 0, 2);
  iGrid->addWidget(MakeLabel(grpCurrent, "lblCharge", "Charge"), 1, 0);
  iGrid->addWidget(MakeLabel(grpCurrent, "lblLessThan", "less than"), 1, 1);
  iGrid->addWidget(eb_[abLowI], 1, 2);

  // Monitored voltage.
  auto* grpVoltage = MakeGroup(this, "grpVoltage", " Monitored Voltage  ( V ) ");
  eb_[abHighV] = MakeEdit(grpVoltage, "ebHighV", 5);
  eb_[abLowV] = MakeEdit(grpVoltage, "ebLowV", 5);
  rb2V_ = MakeRadio(grpVoltage, "rb2V", "2V");
  rb4V_ = MakeRadio(grpVoltage, "rb4V", "4V");
  rb6V_ = MakeRadio(grpVoltage, "rb6V", "6V");
  rb12V_ = MakeRadio(grpVoltage, "rb12V", "12V");
  rbOtherV_ = MakeRadio(grpVoltage, "rbOtherV", "Other:");
  ebOtherV_ = MakeEdit(grpVoltage, "ebOtherV", 0);
  ebOtherV_->setText(QString::fromLatin1(TAlarmSettingsLogic::kOtherVDesignText));
  auto* vGrid = new QGridLayout(grpVoltage);
  vGrid->addWidget(MakeLabel(grpVoltage, "lblHighV", "High limit"), 0, 0);
  vGrid->addWidget(eb_[abHighV], 0, 1);
  vGrid->addWidget(MakeLabel(grpVoltage, "lblLowV", "Low limit"), 1, 0);
  vGrid->addWidget(eb_[abLowV], 1, 1);
  auto* cellTypes = new QVBoxLayout;
  for (QRadioButton* rb : {rb2V_, rb4V_, rb6V_, rb12V_}) cellTypes->addWidget(rb);
  auto* otherRow = new QHBoxLayout;
  otherRow->addWidget(rbOtherV_);
  otherRow->addWidget(ebOtherV_);
  cellTypes->addLayout(otherRow);
  vGrid->addLayout(cellTypes, 0, 2, 3, 1);

  // Ohmic value.
  auto* grpOhmic = MakeGroup(this, "grpOhmic", "Ohmic-value ( mOhm ) ");
  eb_[abHighR] = MakeEdit(grpOhmic, "ebHighR", 4);
  eb_[abLowR] = MakeEdit(grpOhmic, "ebLowR", 4);
  rbVRLACells_ = MakeRadio(grpOhmic, "rbVRLACells", "VRLA/AGM/Gell");
  rbWetCells_ = MakeRadio(grpOhmic, "rbWetCells", "Wet/Flooded");
  auto* rGrid = new QGridLayout(grpOhmic);
  rGrid->addWidget(MakeLabel(grpOhmic, "lblHighR", "High limit"), 0, 0);
  rGrid->addWidget(eb_[abHighR], 0, 1);
  rGrid->addWidget(MakeLabel(grpOhmic, "lblLowR", "Low limit"), 1, 0);
  rGrid->addWidget(eb_[abLowR], 1, 1);
  rGrid->addWidget(rbVRLACells_, 0, 2);
  rGrid->addWidget(rbWetCells_, 1, 2);
  // The group is as tall as the voltage group beside it: its rows stay at the top.
  rGrid->setRowStretch(2, 1);

  // Scope.
  rgAlarmScope_ = MakeGroup(this, "rgAlarmScope", "Apply these alarms settings to :");
  scopeButtons_ = new QButtonGroup(this);
  auto* scopeLayout = new QVBoxLayout(rgAlarmScope_);
  const char* scopeItems[] = {"Only selected batteries / strings", "All strings on all batteries"};
  const char* scopeNames[] = {"rgAlarmScopeItem0", "rgAlarmScopeItem1"};
  for (int i = 0; i < 2; ++i) {
    QRadioButton* item = MakeRadio(rgAlarmScope_, scopeNames[i], scopeItems[i]);
    scopeButtons_->addButton(item, i);
    scopeLayout->addWidget(item);
  }

  // Buttons.
  btnSetDefaults_ = new QPushButton(QStringLiteral("Restore &Defaults"), this);
  btnSetDefaults_->setObjectName(QStringLiteral("btnSetDefaults"));
  btnOK_ = new QPushButton(QStringLiteral("&OK"), this);
  btnOK_->setObjectName(QStringLiteral("btnOK"));
  btnOK_->setDefault(true);
  btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
  btnCancel_->setObjectName(QStringLiteral("btnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnSetDefaults_);
  buttons->addStretch();
  buttons->addWidget(btnOK_);
  buttons->addWidget(btnCancel_);

  auto* grid = new QGridLayout(this);
  grid->addWidget(grpTemperature, 0, 0);
  grid->addWidget(grpCurrent, 0, 1);
  grid->addWidget(grpVoltage, 1, 0);
  grid->addWidget(grpOhmic, 1, 1);
  grid->addWidget(rgAlarmScope_, 2, 0, 1, 2);
  grid->addLayout(buttons, 3, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  // User actions.
  connect(btnSetDefaults_, &QPushButton::clicked, this, &TfmAlarmSettings::btnSetDefaultsClick);
  connect(btnOK_, &QPushButton::clicked, this, &TfmAlarmSettings::btnOKClick);
  connect(btnCancel_, &QPushButton::clicked, this, &TfmAlarmSettings::btnCancelClick);
  const std::pair<QRadioButton*, TCellType> cellTypeButtons[] = {{rb2V_, TCellType::ct2V},
                                                                 {rb4V_, TCellType::ct4V},
                                                                 {rb6V_, TCellType::ct6V},
                                                                 {rb12V_, TCellType::ct12V},
                                                                 {rbOtherV_, TCellType::ctOther}};
  for (const auto& [rb, type] : cellTypeButtons)
    connect(rb, &QRadioButton::toggled, this, [this, type = type](bool on) {
      if (on && !updating_) rbCellTypeClick(type);
    });
  connect(rbVRLACells_, &QRadioButton::toggled, this, [this](bool on) {
    if (on && !updating_) rbChemistryClick(TCellChemistry::chVRLA);
  });
  connect(rbWetCells_, &QRadioButton::toggled, this, [this](bool on) {
    if (on && !updating_) rbChemistryClick(TCellChemistry::chWet);
  });
  connect(scopeButtons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on && !updating_) logic_.ChooseScope(id);
  });
  // textEdited reports the user's typing only, never the program's own changes.
  connect(ebOtherV_, &QLineEdit::textEdited, this, &TfmAlarmSettings::ebOtherVChange);
  for (int b = 0; b < abCount; ++b) {
    const auto box = static_cast<TAlarmBox>(b);
    connect(eb_[b], &QLineEdit::textEdited, this, [this, box](const QString& text) { ebLimitChange(box, text); });
  }
  eb_[abHighV]->installEventFilter(this);
  eb_[abLowV]->installEventFilter(this);
}

bool TfmAlarmSettings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (watched == eb_[abHighV]) ebLimitExit(abHighV);
    if (watched == eb_[abLowV]) ebLimitExit(abLowV);
  }
  return QDialog::eventFilter(watched, event);
}

void TfmAlarmSettings::SetTabOrder() {
  // Temperature, current, voltage, ohmic value, buttons, scope.
  QWidget* order[] = {eb_[abHighT], eb_[abLowT],  eb_[abHighI],    eb_[abLowI],   eb_[abHighV],
                      eb_[abLowV],  rb2V_,        rb4V_,           rb6V_,         rb12V_,
                      rbOtherV_,    ebOtherV_,    eb_[abHighR],    eb_[abLowR],   rbVRLACells_,
                      rbWetCells_,  btnSetDefaults_, btnOK_,       btnCancel_,    scopeButtons_->button(0),
                      scopeButtons_->button(1)};
  for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfmAlarmSettings::UpdateControls() {
  updating_ = true;
  for (int b = 0; b < abCount; ++b) {
    const QString text = QString::fromStdString(logic_.BoxText(static_cast<TAlarmBox>(b)));
    if (eb_[b]->text() != text) eb_[b]->setText(text);
  }
  const QString otherV = QString::fromStdString(logic_.OtherVText());
  if (ebOtherV_->text() != otherV) ebOtherV_->setText(otherV);
  ebOtherV_->setEnabled(logic_.OtherVEnabled());
  switch (logic_.CellType()) {
    case TCellType::ct2V: rb2V_->setChecked(true); break;
    case TCellType::ct4V: rb4V_->setChecked(true); break;
    case TCellType::ct6V: rb6V_->setChecked(true); break;
    case TCellType::ct12V: rb12V_->setChecked(true); break;
    case TCellType::ctOther: rbOtherV_->setChecked(true); break;
  }
  (logic_.Chemistry() == TCellChemistry::chWet ? rbWetCells_ : rbVRLACells_)->setChecked(true);
  scopeButtons_->button(logic_.ScopeIndex())->setChecked(true);
  rgAlarmScope_->setEnabled(logic_.ScopeEnabled());
  updating_ = false;

  switch (logic_.TakeFocusRequest()) {
    case TAlarmFocus::HighI: eb_[abHighI]->setFocus(); break;
    case TAlarmFocus::OtherV: ebOtherV_->setFocus(); break;
    case TAlarmFocus::Limit: eb_[logic_.FocusBox()]->setFocus(); break;
    case TAlarmFocus::None: break;
  }
}

bool TfmAlarmSettings::Execute(bool forceAllStrings) {
  logic_.PrepareShow(forceAllStrings);
  UpdateControls();
  return exec() == QDialog::Accepted;
}

TAlarmLimits TfmAlarmSettings::Limits() const {
  TAlarmLimits l;
  l.HighT = HighT();
  l.LowT = LowT();
  l.HighI = HighI();
  l.LowI = LowI();
  l.HighV = HighV();
  l.LowV = LowV();
  l.HighR = HighR();
  l.LowR = LowR();
  return l;
}

void TfmAlarmSettings::RestoreValues(TCellType type, TCellChemistry chemistry, const TAlarmLimits& l) {
  logic_.ChooseCellType(type);
  logic_.ChooseChemistry(chemistry);
  const std::array<std::pair<TAlarmBox, double>, abCount> values{{{abHighT, l.HighT},
                                                                  {abLowT, l.LowT},
                                                                  {abHighI, l.HighI},
                                                                  {abLowI, l.LowI},
                                                                  {abHighV, l.HighV},
                                                                  {abLowV, l.LowV},
                                                                  {abHighR, l.HighR},
                                                                  {abLowR, l.LowR}}};
  for (const auto& [box, value] : values) logic_.SetLimit(box, value);
  UpdateControls();
}

void TfmAlarmSettings::SetLimit(TAlarmBox box, double value) {
  logic_.SetLimit(box, value);
  UpdateControls();
}

void TfmAlarmSettings::btnSetDefaultsClick() {
  logic_.RestoreDefaults();
  UpdateControls();
}

void TfmAlarmSettings::btnOKClick() {
  const bool passed = logic_.CheckOK();
  UpdateControls();
  if (passed) accept();
}

void TfmAlarmSettings::btnCancelClick() { reject(); }

void TfmAlarmSettings::reject() {
  logic_.Cancelled();
  UpdateControls();
  QDialog::reject();
}

void TfmAlarmSettings::rbCellTypeClick(TCellType type) {
  logic_.ChooseCellType(type);
  UpdateControls();
}

void TfmAlarmSettings::rbChemistryClick(TCellChemistry chemistry) {
  logic_.ChooseChemistry(chemistry);
  UpdateControls();
}

void TfmAlarmSettings::ebOtherVChange(const QString& text) {
  logic_.OtherVChanged(FromQString(text));
  UpdateControls();
}

void TfmAlarmSettings::ebLimitChange(TAlarmBox box, const QString& text) {
  logic_.BoxEdited(box, FromQString(text));
  UpdateControls();
}

void TfmAlarmSettings::ebLimitExit(TAlarmBox box) {
  logic_.BoxExited(box);
  UpdateControls();
}
