#include "dialogs/fmZMGetIntegerFromUser.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

#include "app/QtUserInterface.h"
#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"
#include "dialogs/ZMValuePrompts.h"
#include "wizard/ZMPromptRules.h"

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
  btnUp = new QToolButton(this);
  btnUp->setObjectName("btnUp");
  btnUp->setArrowType(Qt::UpArrow);
  btnUp->setAutoRepeat(true);
  btnUp->setFocusPolicy(Qt::NoFocus);
  btnDown = new QToolButton(this);
  btnDown->setObjectName("btnDown");
  btnDown->setArrowType(Qt::DownArrow);
  btnDown->setAutoRepeat(true);
  btnDown->setFocusPolicy(Qt::NoFocus);
  connect(btnUp, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(btnDown, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void TUpDown::setAssociate(QLineEdit* edit) {
  if (FAssociate) FAssociate->removeEventFilter(this);
  FAssociate = edit;
  if (edit) {
    edit->installEventFilter(this);
    edit->setText(QString::number(FPosition));
  }
}

void TUpDown::setRange(int minimum, int maximum) {
  FMin = ClampToUpDown(minimum);
  FMax = std::max(FMin, ClampToUpDown(maximum));
  setPosition(FPosition);
}

void TUpDown::setPosition(int value) {
  FPosition = std::clamp(value, FMin, FMax);
  if (FAssociate) FAssociate->setText(QString::number(FPosition));
}

void TUpDown::StepBy(int delta) {
  int current = FPosition;
  if (FAssociate) TryStrToInt(FromQString(FAssociate->text()), current);
  // Work in 64 bits: a typed number may lie far outside the range.
  const long long next = static_cast<long long>(std::clamp(current, FMin, FMax)) + delta;
  setPosition(static_cast<int>(std::clamp<long long>(next, FMin, FMax)));
  if (FAssociate) FAssociate->selectAll();
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  // The type first: while the edit box is being destroyed it is no longer a
  // QLineEdit, and comparing it with the guarded pointer would cast it to one.
  if (event->type() == QEvent::KeyPress && watched == FAssociate) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StepBy(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

TfrmZMGetIntegerFromUser::TfrmZMGetIntegerFromUser(QWidget* mainWindow)
    : QDialog(mainWindow ? mainWindow : QApplication::activeWindow(),
              Qt::Dialog | Qt::FramelessWindowHint),
      FMainWindow(mainWindow) {
  setObjectName("frmZMGetIntegerFromUser");
  setFixedSize(260, 125);

  pnlPrompt = new QFrame(this);
  pnlPrompt->setObjectName("pnlPrompt");
  pnlPrompt->setFrameStyle(QFrame::Panel | QFrame::Raised);
  pnlPrompt->setLineWidth(2);
  pnlPrompt->setGeometry(0, 0, width(), height());

  lblPrompt = new QLabel(pnlPrompt);
  lblPrompt->setObjectName("lblPrompt");
  lblPrompt->setWordWrap(true);
  lblPrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblPrompt->setGeometry(12, 10, 236, 42);

  edtValue = new QLineEdit(pnlPrompt);
  edtValue->setObjectName("edtValue");
  edtValue->setGeometry(12, 58, 100, 22);
  updnValue = new TUpDown(pnlPrompt);
  updnValue->setObjectName("updnValue");
  updnValue->setGeometry(112, 58, 16, 22);
  updnValue->btnUp->setGeometry(0, 0, 16, 11);
  updnValue->btnDown->setGeometry(0, 11, 16, 11);
  updnValue->setAssociate(edtValue);

  btnOK = new QPushButton("OK", pnlPrompt);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  btnOK->setGeometry(92, 90, 75, 25);
  btnCancel = new QPushButton("Cancel", pnlPrompt);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(173, 90, 75, 25);

  connect(btnOK, &QPushButton::clicked, this, &TfrmZMGetIntegerFromUser::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  edtValue->setFocus();
}

void TfrmZMGetIntegerFromUser::setPrompt(const QString& prompt) { lblPrompt->setText(prompt); }

void TfrmZMGetIntegerFromUser::btnOKClick() {
  const std::string error = IntegerEntryError(FromQString(edtValue->text()), updnValue->minimum(),
                                              updnValue->maximum(), FValue);
  if (error.empty()) {
    accept();
    return;
  }
  UserMessages().Show(TMsgKind::Error, error, TMsgButtons::Ok);
  edtValue->setFocus();
  edtValue->selectAll();
}

void TfrmZMGetIntegerFromUser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreWindow(this, FMainWindow ? FMainWindow.data() : parentWidget());
  edtValue->setFocus();
  edtValue->selectAll();
}
