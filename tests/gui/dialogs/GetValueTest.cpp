#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "DialogTestSupport.h"
#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "dialogs/Fmgetval.h"
#include "dialogs/ZMValuePrompts.h"

TEST(GetValueForm, CaptionControlsAndTwoLinePromptLayout) {
  TfmGetValue form;
  EXPECT_EQ(form.windowTitle(), "Get Value");
  auto* label = FindNamed<QLabel>(&form, "lblPrompt");
  auto* entry = FindNamed<QLineEdit>(&form, "EntryText");
  ASSERT_TRUE(label && entry);
  EXPECT_EQ(form.btnOK->text(), "OK");
  EXPECT_TRUE(form.btnOK->isDefault());
  EXPECT_EQ(form.btnCancel->text(), "Cancel");

  form.setProperty("title", "Fill selected cells");
  EXPECT_EQ(form.windowTitle(), "Fill selected cells");
  form.setProperty("prompt", "One line");
  EXPECT_EQ(label->text(), "One line");
  const int height = form.height(), labelHeight = label->height();
  const int entryY = entry->y(), okY = form.btnOK->y();

  form.setPrompt("First line\nSecond line");
  EXPECT_EQ(form.height(), height + labelHeight);
  EXPECT_EQ(label->height(), 2 * labelHeight);
  EXPECT_EQ(entry->y(), entryY + labelHeight);
  EXPECT_EQ(form.btnOK->y(), okY + labelHeight);
  EXPECT_EQ(form.btnCancel->y(), form.btnOK->y());
  // Setting a two-line prompt again does not grow the window again.
  form.setPrompt("Again\ntwo lines");
  EXPECT_EQ(form.height(), height + labelHeight);
  form.setPrompt("Back to one");
  EXPECT_EQ(form.height(), height);
  EXPECT_EQ(entry->y(), entryY);
}

TEST(GetValueForm, ShownCentredWithEntryFocusedAndSelected) {
  TfmGetValue form;
  form.setText("abc");
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.focusWidget(), form.EntryText);
  EXPECT_EQ(form.EntryText->selectedText(), "abc");
  const QPoint screenCentre = form.screen()->availableGeometry().center();
  EXPECT_LE((form.frameGeometry().center() - screenCentre).manhattanLength(), 2);
  form.close();
}

TEST(GetValueForm, DotKeyAndMaskFollowTheKindOfData) {
  TfmGetValue form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const struct {
    int kind;
    const char* typed;
    const char* shown;
  } cases[] = {{4, "1.2.2026", "1/2/2026"}, {5, "12.30", "12:30"}, {3, "7.5", "7.5"}, {0, "a.b", "a.b"}};
  for (const auto& c : cases) {
    form.setProperty("typeOfData", c.kind);
    form.setText("");
    QTest::keyClicks(form.EntryText, c.typed);
    EXPECT_EQ(form.text(), c.shown) << "kind " << c.kind;
  }
  form.setTypeOfData(6);
  EXPECT_EQ(form.EntryText->echoMode(), QLineEdit::Password);
  EXPECT_EQ(form.EntryText->displayText(), QString(form.text().size(), QChar('*')));
  form.setTypeOfData(0);
  EXPECT_EQ(form.EntryText->echoMode(), QLineEdit::Normal);
  form.close();
}

TEST(GetValueForm, OkTestsTheEntryForItsKind) {
  TFakeServices services;
  TfmGetValue form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const struct {
    int kind;
    const char* entry;
    bool accepted;
  } cases[] = {{1, "12", true},          {2, "1.5", false},          {4, "31/12/2026", true},
               {4, "31/13/2026", false}, {5, "23:59", true},         {5, "24:00", false},
               {6, "", true},            {7, "", false}};
  for (const auto& c : cases) {
    form.setTypeOfData(static_cast<quint8>(c.kind));
    form.setText(c.entry);
    form.setResult(-1);
    services.messages.messages.clear();
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    EXPECT_EQ(form.result() == QDialog::Accepted, c.accepted) << c.kind << " " << c.entry;
    EXPECT_EQ(services.messages.messages.empty(), c.accepted) << c.kind << " " << c.entry;
    if (!form.isVisible()) form.show();
  }
  form.close();
}

TEST(NumberPrompt, ShowsValueRefusesTextAndReturnsTheNumber) {
  TFakeServices services;
  TQtValuePrompts prompts;
  double value = 8;
  WhenShown("fmGetValue", [&](QDialog* d) {
    auto* form = static_cast<TfmGetValue*>(d);
    EXPECT_EQ(form->windowTitle(), "Other voltage");
    EXPECT_EQ(form->lblPrompt->text(), "Monitor other voltage");
    EXPECT_EQ(form->text(), "8");
    form->setText("abc");
    QTest::mouseClick(form->btnOK, Qt::LeftButton);
    ASSERT_EQ(services.messages.messages.size(), 1u);
    EXPECT_EQ(services.messages.messages[0].text, "The entry is invalid");
    EXPECT_EQ(services.messages.messages[0].caption, "Error");
    EXPECT_EQ(services.messages.messages[0].buttons, TMsgButtons::Ok);
    EXPECT_TRUE(form->isVisible());
    form->EntryText->clear();
    QTest::keyClicks(form->EntryText, "7.5");
    QTest::mouseClick(form->btnOK, Qt::LeftButton);
  });
  EXPECT_TRUE(prompts.GetNumber("Monitor other voltage", "Other voltage", value));
  EXPECT_DOUBLE_EQ(value, 7.5);
  EXPECT_EQ(services.messages.messages.size(), 1u);
}

TEST(NumberPrompt, TenSignificantDigitsAndCancelKeepsTheValue) {
  TFakeServices services;
  TQtValuePrompts prompts;
  double value = 1.0 / 3.0;
  WhenShown("fmGetValue", [&](QDialog* d) {
    auto* form = static_cast<TfmGetValue*>(d);
    EXPECT_EQ(form->text(), "0.3333333333");
    form->setText("5");
    QTest::mouseClick(form->btnCancel, Qt::LeftButton);
  });
  EXPECT_FALSE(prompts.GetNumber("p", "c", value));
  EXPECT_DOUBLE_EQ(value, 1.0 / 3.0);
}

TEST(TextPrompt, OkTakesTheEntryAndEscapeCancels) {
  TFakeServices services;
  TQtValuePrompts prompts;
  std::string text = "old";
  WhenShown("fmGetValue", [&](QDialog* d) {
    auto* form = static_cast<TfmGetValue*>(d);
    EXPECT_EQ(form->text(), "old");
    EXPECT_EQ(form->windowTitle(), "Fill selected cells");
    form->setText("new.value");
    QTest::mouseClick(form->btnOK, Qt::LeftButton);
  });
  EXPECT_TRUE(prompts.GetText("Fill with", "Fill selected cells", text));
  EXPECT_EQ(text, "new.value");

  WhenShown("fmGetValue", [&](QDialog* d) {
    static_cast<TfmGetValue*>(d)->setText("typed");
    QTest::keyClick(d, Qt::Key_Escape);
  });
  EXPECT_FALSE(prompts.GetText("Fill with", "Fill selected cells", text));
  EXPECT_EQ(text, "new.value");
  EXPECT_TRUE(services.messages.messages.empty());
}
