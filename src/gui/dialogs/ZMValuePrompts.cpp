#include "dialogs/ZMValuePrompts.h"

#include <QApplication>
#include <QScreen>

#include "app/QtUserInterface.h"
#include "common/ZMFormat.h"
#include "dialogs/Fmgetval.h"
#include "dialogs/fmErrMsgs.h"
#include "dialogs/fmZMGetBoolFromUser.h"
#include "dialogs/fmZMGetIntegerFromUser.h"
#include "wizard/ZMPromptRules.h"

void CentreWindow(QWidget* window, const QWidget* over) {
  QRect area;
  if (over && over != window && over->isVisible()) {
    area = over->frameGeometry();
  } else {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    area = screen->availableGeometry();
  }
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}

QWidget* TQtValuePrompts::Owner() const {
  return FOwner ? FOwner.data() : QApplication::activeWindow();
}

bool TQtValuePrompts::GetNumber(const std::string& prompt, const std::string& caption, double& value) {
  TfmGetValue form(Owner());
  form.setTypeOfData(gvReal);
  form.setTitle(ToQString(caption));
  form.setPrompt(ToQString(prompt));
  form.setText(QString::fromStdString(FormatFloatGeneral(value, 10)));
  if (form.exec() != QDialog::Accepted) return false;
  value = StrToFloat(FromQString(form.text()));
  return true;
}

bool TQtValuePrompts::GetText(const std::string& prompt, const std::string& caption, std::string& text) {
  TfmGetValue form(Owner());
  form.setTypeOfData(gvText);
  form.setTitle(ToQString(caption));
  form.setPrompt(ToQString(prompt));
  form.setText(QString::fromStdString(text));
  if (form.exec() != QDialog::Accepted) return false;
  text = FromQString(form.text());
  return true;
}

bool TQtValuePrompts::GetInteger(const std::string& prompt, int& value, int minimum, int maximum) {
  TfrmZMGetIntegerFromUser form(Owner());
  form.setPrompt(ToQString(prompt));
  form.setRange(minimum, maximum);
  form.setValue(value);
  if (form.exec() != QDialog::Accepted) return false;
  value = form.value();
  return true;
}

bool TQtValuePrompts::GetBool(const std::string& prompt, bool& value) {
  TfrmZMGetBoolFromUser form(Owner());
  form.setPrompt(ToQString(prompt));
  form.setValue(value);
  switch (form.exec()) {
    case TfrmZMGetBoolFromUser::brYes: value = true; return true;
    case TfrmZMGetBoolFromUser::brNo: value = false; return true;
    default: return false;
  }
}

TQtErrorList::TQtErrorList(QWidget* owner) : FForm(std::make_unique<TfmErrorMessages>(owner)) {}
TQtErrorList::~TQtErrorList() = default;
void TQtErrorList::Clear() { FForm->Clear(); }
void TQtErrorList::Add(const std::string& message) { FForm->Add(message); }
int TQtErrorList::Count() const { return FForm->Count(); }
void TQtErrorList::Show() { FForm->exec(); }
