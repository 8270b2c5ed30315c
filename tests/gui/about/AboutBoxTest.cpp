#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "GuiTestHelpers.h"
#include "dialogs/fmAbout.h"

namespace {
TfmAboutBox* OpenAboutBox() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("fmAboutBox") && w->isVisible()) return static_cast<TfmAboutBox*>(w);
  return nullptr;
}

// Closes whatever modal window is left after `ms`, failing the test: no test
// may hang on a box that did not close.
void Watchdog(int ms, bool* fired) {
  QTimer::singleShot(ms, [fired] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      *fired = true;
      modal->reject();
    }
  });
}

void ShowAndWait(TfmAboutBox& box) {
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
}
}  // namespace

TEST(AboutBox, ShowsTheVersionAndStartsTheTimerWhenOpened) {
  TfmAboutBox box;
  EXPECT_EQ(box.windowTitle(), "About Zelmor  ");
  EXPECT_EQ(FindNamed<QLabel>(&box, "lblVersionNumber")->text(), "Version : 2.4");
  EXPECT_EQ(FindNamed<QLabel>(&box, "lblProductName")->parentWidget(), box.Panel1);
  EXPECT_EQ(box.CloseInterval(), 20000);
  EXPECT_FALSE(box.Timer1->isActive());
  ShowAndWait(box);
  EXPECT_FALSE(box.PaintBox1->isVisible());
  EXPECT_TRUE(box.Timer1->isActive());
  EXPECT_EQ(box.Timer1->interval(), 20000);
  box.close();
}

TEST(AboutBox, OkClosesAndDestroysTheBox) {
  QPointer<TfmAboutBox> seen;
  QString title;
  QTimer::singleShot(0, [&] {
    seen = OpenAboutBox();
    ASSERT_NE(seen, nullptr);
    title = seen->lblProductName->text();
    QTest::mouseClick(seen->OKButton, Qt::LeftButton);
  });
  bool watchdog = false;
  Watchdog(5000, &watchdog);
  EXPECT_TRUE(ShowAboutBox("Zelmor Configuration Wizard"));
  EXPECT_FALSE(watchdog);
  EXPECT_EQ(title, "Zelmor Configuration Wizard");
  EXPECT_TRUE(seen.isNull());  // destroyed when it closed
}

TEST(AboutBox, ClosesByItselfWhenNothingIsPressed) {
  int interval = 0;
  QTimer::singleShot(0, [&] {
    TfmAboutBox* box = OpenAboutBox();
    ASSERT_NE(box, nullptr);
    interval = box->Timer1->isActive() ? box->Timer1->interval() : -1;
    box->SetCloseInterval(50);
  });
  bool watchdog = false;
  Watchdog(5000, &watchdog);
  EXPECT_FALSE(ShowAboutBox("Zelmor Configuration Wizard"));
  EXPECT_FALSE(watchdog) << "the box did not close by itself";
  EXPECT_EQ(interval, 20000);  // running from the moment the box opened
  EXPECT_EQ(OpenAboutBox(), nullptr);
}

TEST(AboutBox, PressOnThePanelRestartsTheTimer) {
  TfmAboutBox box;
  ShowAndWait(box);
  box.SetCloseInterval(10000);
  QTest::qWait(300);
  EXPECT_LT(box.Timer1->remainingTime(), 9800);
  QTest::mousePress(box.Panel1, Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_TRUE(box.Timer1->isActive());
  EXPECT_GT(box.Timer1->remainingTime(), 9800);

  // After the restart the box still closes when the time is up.
  box.SetCloseInterval(30);
  QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 5000);
  EXPECT_EQ(box.result(), QDialog::Rejected);
}

TEST(AboutBox, ShiftRightPressRollsTheCreditsOverTheHiddenPanel) {
  TfmAboutBox box;
  box.lblProductName->setText("Zelmor Configuration Wizard");
  ShowAndWait(box);
  box.SetCreditsStepInterval(0);
  // A plain right press does nothing but restart the timer.
  QTest::mousePress(box.Panel1, Qt::RightButton, {}, QPoint(4, 4));
  EXPECT_EQ(box.CreditsStepsDone(), 0);

  bool panelShown = true, creditsShown = false, running = false;
  QTimer::singleShot(0, [&] {
    panelShown = box.Panel1->isVisible();
    creditsShown = box.PaintBox1->isVisible();
    running = box.CreditsRunning();
    EXPECT_FALSE(box.Timer1->isActive());  // the box does not close under the credits
  });
  QTest::mousePress(box.Panel1, Qt::RightButton, Qt::ShiftModifier, QPoint(4, 4));
  EXPECT_FALSE(panelShown);
  EXPECT_TRUE(creditsShown);
  EXPECT_TRUE(running);
  EXPECT_TRUE(box.PaintBox1->Lines().contains("Zelmor Configuration Wizard"));
  // Every step moved the text one pixel; afterwards the panel is back.
  EXPECT_EQ(box.CreditsStepsDone(), box.CreditsSteps());
  EXPECT_FALSE(box.CreditsRunning());
  EXPECT_TRUE(box.Panel1->isVisible());
  EXPECT_FALSE(box.PaintBox1->isVisible());
  EXPECT_TRUE(box.Timer1->isActive());
  box.close();
}

TEST(AboutBox, OkEndsTheCreditsEarlyAndClosesTheBox) {
  TfmAboutBox box;
  bool clicked = false;
  QTimer::singleShot(0, [&] {
    QTest::mousePress(box.Panel1, Qt::RightButton, Qt::ShiftModifier, QPoint(4, 4));
  });
  QTimer::singleShot(200, [&] {
    clicked = box.CreditsRunning();
    QTest::mouseClick(box.OKButton, Qt::LeftButton);
  });
  bool watchdog = false;
  Watchdog(20000, &watchdog);
  EXPECT_EQ(box.exec(), QDialog::Accepted);
  EXPECT_FALSE(watchdog);
  EXPECT_TRUE(clicked) << "the credits were not running when OK was pressed";
  EXPECT_GT(box.CreditsStepsDone(), 0);
  EXPECT_LT(box.CreditsStepsDone(), box.CreditsSteps());
  EXPECT_FALSE(box.CreditsRunning());
  EXPECT_TRUE(box.Panel1->isVisibleTo(&box));
  EXPECT_FALSE(box.Timer1->isActive());
}
