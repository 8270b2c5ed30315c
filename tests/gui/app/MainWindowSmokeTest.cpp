#include <gtest/gtest.h>

#include <QPushButton>
#include <QStatusBar>

#include "GuiTestHelpers.h"
#include "wizard/Main.h"

TEST(MainWindowSmoke, OpensWithCaptionDirectionPanelAndStatusLine) {
  TfmConfigWizard window;
  window.showMaximized();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), "Configuration Builder");
  EXPECT_TRUE(window.isMaximized());

  auto* back = FindNamed<QPushButton>(&window, "btnBack");
  auto* next = FindNamed<QPushButton>(&window, "btnNext");
  auto* cancel = FindNamed<QPushButton>(&window, "btnCancel");
  ASSERT_TRUE(back && next && cancel);
  EXPECT_EQ(back->text(), "<< &Back");
  EXPECT_EQ(next->text(), "&Next >>");
  EXPECT_EQ(cancel->text(), "&Cancel");
  EXPECT_FALSE(back->isEnabled());
  EXPECT_FALSE(next->isEnabled());
  // Left to right: Back, Next, Cancel.
  EXPECT_LT(back->x(), next->x());
  EXPECT_LT(next->x(), cancel->x());
  EXPECT_EQ(FindNamed<QWidget>(&window, "pnlDirection")->height(), 41);
  EXPECT_NE(FindNamed<QStatusBar>(&window, "StatusLine"), nullptr);

  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
}
