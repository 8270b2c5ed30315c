#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include "DescribedSystems.h"
#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "editgrid/UEditStringGrid.h"
#include "treeview/ZMTreePanel.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/Main.h"

TEST(MainWindow, OpensOnTheTreePageWithOneBatteryAndNextDisabled) {
  TFakeServices services;
  TfmConfigWizard window;
  window.showMaximized();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), "Configuration Builder");

  auto* back = FindNamed<QPushButton>(&window, "btnBack");
  auto* next = FindNamed<QPushButton>(&window, "btnNext");
  auto* cancel = FindNamed<QPushButton>(&window, "btnCancel");
  ASSERT_TRUE(back && next && cancel);
  EXPECT_EQ(back->text(), "<< &Back");
  EXPECT_EQ(next->text(), "&Next >>");
  EXPECT_EQ(cancel->text(), "&Cancel");
  EXPECT_FALSE(back->isEnabled());
  EXPECT_FALSE(next->isEnabled());
  EXPECT_LT(back->x(), next->x());
  EXPECT_LT(next->x(), cancel->x());
  EXPECT_EQ(FindNamed<QWidget>(&window, "pnlDirection")->height(), 41);
  EXPECT_EQ(window.StatusLine()->currentMessage(), "All batteries do not have strings");
  EXPECT_EQ(next->toolTip(), "All batteries do not have strings");
  EXPECT_EQ(window.CurrentMenu(), window.MainMenu());
  EXPECT_TRUE(window.TreePanel()->isVisible());
  EXPECT_FALSE(window.sgConfig()->isVisible());
  // No control unit yet: the control unit bar is hidden.
  EXPECT_FALSE(FindNamed<QToolBar>(&window, "tbarControlUnits")->isVisible());
  EXPECT_EQ(window.Logic().System().BatteryCount(), 1);

  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(services.messages.messages.empty());
}

// The window shown with one string of four cells on the first control unit,
// so that Next leads to the grid.
class MainWindowWithOneString : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PutOnFirstControlUnit(logic, AddStringOfFourCells(logic.System().GetBattery(0)));
  }
  TFakeServices services;
  TfmConfigWizard window;
  TConfigWizardLogic& logic = window.Logic();
};

TEST_F(MainWindowWithOneString, NextShowsTheGridPageAndBackAsksAfterDirectEdits) {
  ASSERT_TRUE(window.btnNext()->isEnabled());

  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  EXPECT_EQ(window.StatusLine()->currentMessage(), "Verify the setup");
  EXPECT_TRUE(window.sgConfig()->isVisible());
  EXPECT_FALSE(window.TreePanel()->isVisible());
  EXPECT_FALSE(window.tbarConfigUPS()->isVisible());
  EXPECT_EQ(window.CurrentMenu(), window.mmuGrid());
  EXPECT_EQ(window.sgConfig()->model()->rowCount(), 12);  // the header row is the view's header
  EXPECT_TRUE(window.btnBack()->isEnabled());
  // Header texts decide the column widths.
  EXPECT_GE(window.sgConfig()->columnWidth(3),
            window.fontMetrics().horizontalAdvance(QStringLiteral("DCM0000")));

  // Direct editing through the grid menu, then Back asks first.
  QAction* edit = FindNamed<QAction>(&window, "mnuEditConfiguration");
  ASSERT_TRUE(TriggerEnabled(edit));
  EXPECT_TRUE(logic.DirectEditing());
  logic.Grid().SetSelection({5, 3, 5, 3});
  logic.Grid().SetCellText(5, 3, "X");
  services.messages.Answer(TMsgAnswer::No);
  QTest::mouseClick(window.btnBack(), Qt::LeftButton);
  EXPECT_EQ(window.StatusLine()->currentMessage(), "Verify the setup");
  EXPECT_FALSE(logic.DirectEditing());

  // Closing now asks about the unsaved description, then only whether to
  // quit without a file.
  services.messages.Answer(TMsgAnswer::Discard).Answer(TMsgAnswer::No);
  window.close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(services.messages.messages[services.messages.messages.size() - 2].text, "Save changes to Untitled?");
  EXPECT_EQ(services.messages.LastText(), kAskQuitNotCreated);
  services.messages.Answer(TMsgAnswer::Discard).Answer(TMsgAnswer::Yes);
  window.close();
  EXPECT_FALSE(window.isVisible());
}

TEST(MainWindow, GlobalAlarmSettingChangesTheCaption) {
  TFakeServices services;
  TfmConfigWizard window;
  QAction* global = FindNamed<QAction>(&window, "mnuVersion2AlarmCompatibility");
  ASSERT_TRUE(TriggerEnabled(global));
  EXPECT_TRUE(global->isChecked());
  EXPECT_EQ(window.windowTitle(), "Configuration Wizard - Global alarm setting only");
  ASSERT_TRUE(TriggerEnabled(global));
  EXPECT_FALSE(global->isChecked());
  EXPECT_EQ(window.windowTitle(), "Configuration Wizard");
}

TEST_F(MainWindowWithOneString, StatusLineFollowsTheGridIntoAndOutOfCopyMode) {
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  ASSERT_TRUE(TriggerEnabled(FindNamed<QAction>(&window, "mnuEditConfiguration")));
  TEditStringGrid* grid = window.sgConfig();
  grid->setFocus();
  logic.Grid().SetSelection({5, 3, 6, 4});

  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(logic.Grid().CopyMode());
  // The hint's \r shows as a line break, as in every text of the program.
  EXPECT_EQ(window.StatusLine()->currentMessage(),
            QString("In copy mode. Press Escape to end copy mode.\r<Ctrl>-V or <Shift>-Insert to paste")
                .replace('\r', '\n'));
  QTest::keyClick(grid, Qt::Key_Escape);
  ASSERT_FALSE(logic.Grid().CopyMode());
  EXPECT_EQ(window.StatusLine()->currentMessage(), "<Ctrl>-C or <Ctrl>-Insert to select for copy");
}

TEST(MainWindow, ControlUnitBarGoesWhileTheWindowIsStillWhole) {
  // The bar lets go of the window's logic when it is destroyed, so the
  // logic must still be there then.
  TFakeServices services;
  auto* window = new TfmConfigWizard;
  QObject* windowObject = window;
  bool windowWhole = false;
  QObject::connect(window->tbarControlUnits(), &QObject::destroyed, [&windowWhole, windowObject] {
    windowWhole = qobject_cast<TfmConfigWizard*>(windowObject) != nullptr;
  });
  delete window;
  EXPECT_TRUE(windowWhole);
}
