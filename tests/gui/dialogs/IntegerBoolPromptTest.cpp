#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "DialogTestSupport.h"
#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "dialogs/ZMValuePrompts.h"
#include "dialogs/fmZMGetBoolFromUser.h"
#include "dialogs/fmZMGetIntegerFromUser.h"

namespace {
// A stand-in main window away from the screen's centre.
struct TMainWindow {
  QWidget window;
  TMainWindow() {
    window.setGeometry(40, 60, 700, 500);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
};

int CentreDistance(const QWidget* a, const QWidget* b) {
  return (a->frameGeometry().center() - b->frameGeometry().center()).manhattanLength();
}
}  // namespace

TEST(IntegerPrompt, RangeAndConversionErrorsKeepTheWindowOpen) {
  TFakeServices services;
  TMainWindow main;
  TQtValuePrompts prompts(&main.window);
  int value = 5;
  WhenShown("frmZMGetIntegerFromUser", [&](QDialog* d) {
    auto* form = static_cast<TfrmZMGetIntegerFromUser*>(d);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_LE(CentreDistance(form, &main.window), 2);
    EXPECT_EQ(form->lblPrompt->text(), "How many strings?");
    EXPECT_TRUE(form->lblPrompt->wordWrap());
    EXPECT_EQ(form->edtValue->text(), "5");
    EXPECT_EQ(form->focusWidget(), form->edtValue);
    EXPECT_TRUE(form->btnOK->isDefault());

    form->edtValue->setText("11");
    QTest::mouseClick(form->btnOK, Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    form->edtValue->setText("0");
    QTest::mouseClick(form->btnOK, Qt::LeftButton);
    form->edtValue->setText("abc");
    QTest::mouseClick(form->btnOK, Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    form->edtValue->setText("10");
    QTest::mouseClick(form->btnOK, Qt::LeftButton);
  });
  EXPECT_TRUE(prompts.GetInteger("How many strings?", value, 1, 10));
  EXPECT_EQ(value, 10);
  ASSERT_EQ(services.messages.messages.size(), 3u);
  EXPECT_EQ(services.messages.messages[0].text, "The value mut be between 1 and 10, inclusive.");
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
  EXPECT_EQ(services.messages.messages[0].buttons, TMsgButtons::Ok);
  EXPECT_EQ(services.messages.messages[1].text, "The value mut be between 1 and 10, inclusive.");
  EXPECT_EQ(services.messages.messages[2].text, "'abc' is not a valid integer value");
}

TEST(IntegerPrompt, CancelKeepsTheValueEvenAfterTyping) {
  TFakeServices services;
  TQtValuePrompts prompts;
  int value = 500;  // beyond an up-down's default range of 0..100
  WhenShown("frmZMGetIntegerFromUser", [&](QDialog* d) {
    auto* form = static_cast<TfrmZMGetIntegerFromUser*>(d);
    EXPECT_EQ(form->edtValue->text(), "500");
    form->edtValue->setText("4");
    QTest::mouseClick(form->btnCancel, Qt::LeftButton);
  });
  EXPECT_FALSE(prompts.GetInteger("Count", value, 1, 1000));
  EXPECT_EQ(value, 500);
}

TEST(IntegerPrompt, UpDownStepsWithinTheRangeFromTheTypedNumber) {
  TfrmZMGetIntegerFromUser form;
  form.setRange(1, 1000);
  form.setValue(500);
  form.setRange(-40000, 40000);  // 16-bit limits
  EXPECT_EQ(form.updnValue->minimum(), -32768);
  EXPECT_EQ(form.updnValue->maximum(), 32767);
  form.setRange(1, 10);
  EXPECT_EQ(form.edtValue->text(), "10");  // the position stays inside the range
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  QTest::mouseClick(form.updnValue->btnUp, Qt::LeftButton);
  EXPECT_EQ(form.edtValue->text(), "10");
  QTest::mouseClick(form.updnValue->btnDown, Qt::LeftButton);
  EXPECT_EQ(form.edtValue->text(), "9");
  form.edtValue->setText("4");
  QTest::keyClick(form.edtValue, Qt::Key_Up);
  EXPECT_EQ(form.edtValue->text(), "5");
  form.edtValue->setText("2147483647");  // far outside: steps from the range's end
  QTest::mouseClick(form.updnValue->btnDown, Qt::LeftButton);
  EXPECT_EQ(form.edtValue->text(), "9");
  form.edtValue->setText("junk");  // no number: steps from the last position
  QTest::keyClick(form.edtValue, Qt::Key_Down);
  EXPECT_EQ(form.edtValue->text(), "8");
  form.close();
}

TEST(BoolPrompt, CurrentAnswerFocusedAndButtonsAnswer) {
  TFakeServices services;
  TMainWindow main;
  TQtValuePrompts prompts(&main.window);
  bool value = true;
  WhenShown("frmZMGetBoolFromUser", [&](QDialog* d) {
    auto* form = static_cast<TfrmZMGetBoolFromUser*>(d);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_LE(CentreDistance(form, &main.window), 2);
    EXPECT_EQ(form->lblPrompt->text(), "Is this a genset kit?");
    EXPECT_TRUE(form->lblPrompt->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(form->focusWidget(), form->btnYes);
    EXPECT_EQ(form->btnYes->text(), "Yes");
    EXPECT_EQ(form->btnCancel->text(), "Cancel");
    EXPECT_EQ(form->btnNo->text(), "No");
    EXPECT_LT(form->btnYes->x(), form->btnCancel->x());
    EXPECT_LT(form->btnCancel->x(), form->btnNo->x());
    QTest::mouseClick(form->btnCancel, Qt::LeftButton);
  });
  EXPECT_FALSE(prompts.GetBool("Is this a genset kit?", value));
  EXPECT_TRUE(value);

  WhenShown("frmZMGetBoolFromUser", [&](QDialog* d) {
    auto* form = static_cast<TfrmZMGetBoolFromUser*>(d);
    QTest::mouseClick(form->btnNo, Qt::LeftButton);
  });
  EXPECT_TRUE(prompts.GetBool("Is this a genset kit?", value));
  EXPECT_FALSE(value);

  WhenShown("frmZMGetBoolFromUser", [&](QDialog* d) {
    auto* form = static_cast<TfrmZMGetBoolFromUser*>(d);
    EXPECT_EQ(form->focusWidget(), form->btnNo);
    QTest::keyClick(form->btnNo, Qt::Key_Return);  // Enter answers the focused button
  });
  EXPECT_TRUE(prompts.GetBool("Is this a genset kit?", value));
  EXPECT_FALSE(value);

  WhenShown("frmZMGetBoolFromUser", [&](QDialog* d) {
    QTest::mouseClick(static_cast<TfrmZMGetBoolFromUser*>(d)->btnYes, Qt::LeftButton);
  });
  EXPECT_TRUE(prompts.GetBool("Is this a genset kit?", value));
  EXPECT_TRUE(value);
  EXPECT_TRUE(services.messages.messages.empty());
}
