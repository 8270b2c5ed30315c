#include "dialogs/fmZMGetBoolFromUser.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "dialogs/ZMValuePrompts.h"

TfrmZMGetBoolFromUser::TfrmZMGetBoolFromUser(QWidget* mainWindow)
    : QDialog(mainWindow ? mainWindow : QApplication::activeWindow(),
              Qt::Dialog | Qt::FramelessWindowHint),
      FMainWindow(mainWindow) {
  setObjectName("frmZMGetBoolFromUser");
  setFixedSize(300, 100);

  lblPrompt = new QLabel(this);
  lblPrompt->setObjectName("lblPrompt");
  lblPrompt->setAlignment(Qt::AlignCenter);
  lblPrompt->setWordWrap(true);
  lblPrompt->setGeometry(8, 8, 284, 48);

  // Left to right: Yes, Cancel, No.
  btnYes = new QPushButton("Yes", this);
  btnYes->setObjectName("btnYes");
  btnYes->setGeometry(29, 64, 75, 25);
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(112, 64, 75, 25);
  btnNo = new QPushButton("No", this);
  btnNo->setObjectName("btnNo");
  btnNo->setGeometry(195, 64, 75, 25);

  connect(btnYes, &QPushButton::clicked, this, [this] { done(brYes); });
  connect(btnNo, &QPushButton::clicked, this, [this] { done(brNo); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { done(brCancel); });
  setValue(false);
}

void TfrmZMGetBoolFromUser::setPrompt(const QString& prompt) { lblPrompt->setText(prompt); }

void TfrmZMGetBoolFromUser::setValue(bool value) {
  FValue = value;
  (value ? btnYes : btnNo)->setFocus();
}

void TfrmZMGetBoolFromUser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreWindow(this, FMainWindow ? FMainWindow.data() : parentWidget());
  (FValue ? btnYes : btnNo)->setFocus();
}
