// From start-up to a saved configuration file on the real main window.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QStatusBar>

#include "DescribedSystems.h"
#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "TempFiles.h"
#include "editgrid/UEditStringGrid.h"
#include "wizard/Main.h"

TEST(SaveFlow, DescribedSystemIsSavedByteForByteAsWorkedOutByHand) {
  TFakeServices services;
  TfmConfigWizard window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TConfigWizardLogic& logic = window.Logic();

  // One control unit, one battery, one string of 4 cells with one current
  // probe and two temperature sensors, alarm limits set.
  TzmUPSStringSystemNode* string = AddStringOfFourCells(logic.System().GetBattery(0));
  SetHandWorkedLimits(string);
  PutOnFirstControlUnit(logic, string);
  ASSERT_TRUE(window.btnNext()->isEnabled());

  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  EXPECT_EQ(window.StatusLine()->currentMessage(), "Verify the setup");
  EXPECT_TRUE(window.sgConfig()->isVisible());
  EXPECT_EQ(window.sgConfig()->model()->headerData(3, Qt::Horizontal).toString(), "DCM");

  TTempFolder dir;
  services.files.Choose(dir / "BatConfig.cfg");
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  EXPECT_EQ(window.StatusLine()->currentMessage().toStdString(), "Saved " + (dir / "BatConfig.cfg"));
  EXPECT_EQ(window.btnNext()->text(), "&Finish");
  EXPECT_EQ(window.CurrentMenu(), nullptr);
  EXPECT_EQ(ReadText(dir / "BatConfig.cfg"), ReadText(std::string(ZM_TEST_DATA_DIR) + "/OneStringOfFourCells.cfg"));

  // Finish asks only about the unsaved description: the file was written.
  services.messages.Answer(TMsgAnswer::Discard);
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), "Save changes to Untitled?");
}
