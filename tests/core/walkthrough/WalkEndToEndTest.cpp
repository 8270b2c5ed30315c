// A whole walk-through with the real reports wired in: the model it leaves
// behind passes the main window's verification.
#include <gtest/gtest.h>

#include "FakeTextArea.h"
#include "FakeUserInterface.h"
#include "TempFiles.h"
#include "walkthrough/fmWalkThroughEngine.h"
#include "walkthrough/fmWalkThroughReports.h"
#include "wizard/MainWizard.h"

namespace {
// The main window's logic with the walk-through engine over its system, the
// real reports wired in.
struct WalkEndToEnd : ::testing::Test {
  TFakeServices services;
  TConfigWizardLogic wizard;
  TFakeTextArea text;
  TFakeDeferredStep deferred;
  TWalkThroughEngine engine{text, deferred};
  TControlUnitTable table;

  WalkEndToEnd() {
    wizard.FormCreate();
    engine.OnBatteryReport = [this](TzmUPSBatterySystemNode& b) {
      AllocateControlUnits(wizard.System(), table);
      WriteBatteryDescription(wizard.System(), b, text, table);
    };
    engine.OnHardwareReport = [this] { WriteHardwareList(text, table); };
  }
  void next() {
    engine.Next();
    deferred.Drain();
  }
};
}  // namespace

TEST_F(WalkEndToEnd, DefaultAnswersGiveAModelThatVerifies) {
  TzmUPSSystem& system = wizard.System();
  ASSERT_FALSE(wizard.VerifySystem());  // a battery without strings
  ASSERT_TRUE(engine.Start(&system));

  auto answer = [&](const std::string& value) {
    if (engine.Page().TextVisible)
      engine.SetEntryText(value);
    else
      engine.UserChangedNumber(value);
    next();
  };
  next();
  engine.UserChangedNumber("3");  // three batteries, the later ones copies
  engine.UserSetCheck(TWalkBox::WalkThru, true);
  next();
  answer("North");
  answer("2");
  answer("North 1");
  answer("240");  // the only answer that is not the suggestion: the channels
  int presses = 0;
  while (engine.Result() == TWalkResult::Running && presses++ < 200) {
    if (engine.Page().Id == TWalkPageId::StringProbe && !engine.Page().WalkThru.Checked)
      engine.UserSetCheck(TWalkBox::WalkThru, true);
    if (engine.Page().Id == TWalkPageId::BatteryVerify) {
      const int b = engine.BatteryIndex();
      EXPECT_NE(text.Text().find("Battery Configuration"), std::string::npos) << b;
    }
    next();
  }
  ASSERT_EQ(engine.Result(), TWalkResult::Finished);
  EXPECT_NE(text.Text().find("This system requires the following hardware:"), std::string::npos);

  ASSERT_EQ(system.BatteryCount(), 3);
  for (int b = 0; b < 3; ++b) {
    const TzmUPSBatterySystemNode* battery = system.GetBattery(b);
    ASSERT_EQ(battery->StringCount(), 2) << b;
    for (int s = 0; s < 2; ++s) {
      const TzmUPSStringSystemNode* string = battery->GetString(s);
      EXPECT_EQ(string->CellCount(), 240);
      EXPECT_EQ(string->CurrentCount(), 1);
      EXPECT_GE(string->ControlUnit(), 0);
    }
  }
  // 60 DCMs a string: four strings fill the first control unit's 255 DCMs.
  EXPECT_EQ(system.GetBattery(0)->GetString(0)->ControlUnit(), 0);
  EXPECT_EQ(system.GetBattery(2)->GetString(1)->ControlUnit(), 1);
  EXPECT_TRUE(system.AllBatteriesSame);
  EXPECT_TRUE(system.GetBattery(2)->CopyOfPrevious);
  EXPECT_TRUE(wizard.VerifySystem());
}

// One battery of one string of 4 channels with its limits and one sensor,
// every other answer its suggestion, written as a configuration file.
TEST_F(WalkEndToEnd, SuggestedAnswersBecomeAConfigurationFile) {
  ASSERT_TRUE(engine.Start(&wizard.System()));
  next();  // past the start page; one battery suggested
  int presses = 0;
  while (engine.Result() == TWalkResult::Running && presses++ < 100) {
    switch (engine.Page().Id) {
      case TWalkPageId::StringChannels: engine.UserChangedNumber("4"); break;
      case TWalkPageId::StringSensors: engine.UserChangedNumber("1"); break;
      case TWalkPageId::LowVoltage: engine.UserChangedNumber("12"); break;
      case TWalkPageId::HighVoltage: engine.UserChangedNumber("14.4"); break;
      case TWalkPageId::LowOhmic: engine.UserChangedNumber("1.8"); break;
      case TWalkPageId::HighOhmic: engine.UserChangedNumber("6"); break;
      case TWalkPageId::Discharge: engine.UserChangedNumber("100"); break;
      case TWalkPageId::LowTemperature: engine.UserChangedNumber("16"); break;
      case TWalkPageId::HighTemperature: engine.UserChangedNumber("28"); break;
      default: break;
    }
    next();
  }
  ASSERT_EQ(engine.Result(), TWalkResult::Finished);
  wizard.AfterWalkThrough(true);
  ASSERT_EQ(wizard.ControlUnits().ButtonCount(), 1);

  TTempFolder dir;
  services.files.Choose(dir / "BatConfig.cfg");
  wizard.btnNextClick();
  wizard.btnNextClick();
  ASSERT_TRUE(wizard.FileSaved());
  EXPECT_EQ(ReadText(dir / "BatConfig.cfg"),
            ReadText(std::string(ZM_TEST_DATA_DIR) + "/WalkThroughSuggestions.cfg"));
}
