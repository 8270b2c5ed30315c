// From start-up to a saved configuration file on the real main window.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QStatusBar>

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
  TzmUPSBatterySystemNode* battery = logic.System().GetBattery(0);
  battery->AddChild();
  TzmUPSStringSystemNode* string = battery->GetString(0);
  string->SetCellCount(4);
  string->SetCurrentCount(1);
  string->SetTemperatureCount(2);
  for (int c = 0; c < 4; ++c) {
    string->GetCell(c)->HighAlarm = 14.4;
    string->GetCell(c)->LowAlarm = 12;
    string->GetCell(c)->HighResistance = 6;
    string->GetCell(c)->LowResistance = 1.8;
  }
  string->GetCurrent(0)->HighAlarm = 100;
  for (int t = 0; t < 2; ++t) {
    string->GetTemperature(t)->HighAlarm = 28;
    string->GetTemperature(t)->LowAlarm = 16;
  }
  logic.ControlUnits().AddControlUnitButton();
  string->SetControlUnit(0);
  logic.UpdateWizardButtons();
  ASSERT_TRUE(window.btnNext()->isEnabled());

  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  EXPECT_EQ(window.StatusLine()->currentMessage(), "Verify the setup");
  EXPECT_TRUE(window.sgConfig()->isVisible());
  EXPECT_EQ(window.sgConfig()->model()->headerData(3, Qt::Horizontal).toString(), "DCM");

  TTempFolder dir;
  services.files.Choose(dir / "BatConfig.cfg");
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  EXPECT_EQ(window.StatusLine()->currentMessage(), "Save the setup");
  EXPECT_EQ(window.btnNext()->text(), "&Finish");
  EXPECT_EQ(window.CurrentMenu(), nullptr);
  EXPECT_EQ(ReadText(dir / "BatConfig.cfg"), ReadText(std::string(ZM_TEST_DATA_DIR) + "/OneStringOfFourCells.cfg"));

  // Finish closes without a question: the file was written.
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(services.messages.messages.empty());
}
