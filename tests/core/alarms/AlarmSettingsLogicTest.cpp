#include <gtest/gtest.h>

#include "TempFiles.h"
#include "FakeUserInterface.h"
#include "alarms/fmAlarmSetLogic.h"
#include "common/ZMFormat.h"

namespace {
class AlarmSettingsLogic : public ::testing::Test {
 protected:
  TFakeServices services;
  TTempFolder dir;

  std::string IniPath() const { return dir / "ZMConfigWizard.ini"; }
  TAlarmSettingsLogic Make(const std::string& fileText = {}) {
    if (!fileText.empty()) WriteText(IniPath(), fileText);
    return TAlarmSettingsLogic(TSettingsFileLocation::Fixed(IniPath()));
  }
  // The eight boxes as "HighT LowT HighI LowI HighV LowV HighR LowR".
  static std::string Boxes(const TAlarmSettingsLogic& logic) {
    std::string s;
    for (int b = 0; b < abCount; ++b) s += (b ? " " : "") + logic.BoxText(static_cast<TAlarmBox>(b));
    return s;
  }
};
}  // namespace

TEST_F(AlarmSettingsLogic, WithoutSettingsFileShowsBuiltInsAndSavesAllNineteenKeys) {
  {
    TAlarmSettingsLogic logic = Make();
    EXPECT_EQ(Boxes(logic), "28 16 100 -1 14.4 12 6 1.8");
    EXPECT_EQ(logic.CellType(), TCellType::ct12V);
    EXPECT_EQ(logic.Chemistry(), TCellChemistry::chVRLA);
    EXPECT_EQ(logic.OtherVText(), "8");
    EXPECT_FALSE(logic.OtherVEnabled());
    EXPECT_EQ(logic.ScopeIndex(), 0);
    EXPECT_FALSE(logic.AlarmsAccepted());
    EXPECT_TRUE(services.messages.messages.empty());
    logic.SaveAlarmDefaults();
  }
  const TZMIniFile ini(IniPath());
  for (int k = 0; k < adkCount; ++k)
    EXPECT_TRUE(ini.ValueExists(kAlarmDefaultsSection, TAlarmDefaults::KeyName(static_cast<TAlarmDefaultKey>(k))))
        << TAlarmDefaults::KeyName(static_cast<TAlarmDefaultKey>(k));
}

TEST_F(AlarmSettingsLogic, StoredOtherVoltageOtherThanEightReplacesStoredOtherLimits) {
  const char* stored = "[DefaultValues]\nDefaultLowOtherV=9\nDefaultHighOtherV=11\nDefaultOtherVoltage=";
  TAlarmSettingsLogic ten = Make(std::string(stored) + "10\n");
  EXPECT_EQ(ten.OtherVText(), "10");
  EXPECT_EQ(ten.Defaults().LowVoltageDefault(TCellType::ctOther), 10.0);
  EXPECT_EQ(ten.Defaults().HighVoltageDefault(TCellType::ctOther), 12.0);

  TAlarmSettingsLogic eight = Make(std::string(stored) + "8\n");
  EXPECT_EQ(eight.OtherVText(), "8");
  EXPECT_EQ(eight.Defaults().LowVoltageDefault(TCellType::ctOther), 9.0);
  EXPECT_EQ(eight.Defaults().HighVoltageDefault(TCellType::ctOther), 11.0);
}

TEST_F(AlarmSettingsLogic, BadStoredNumberIsReportedBoxesStayAsDesignedAndSavingRepairsTheFile) {
  TAlarmSettingsLogic logic = Make("[DefaultValues]\nDefaultHighI=250\nDefaultLowT=abc\nDefaultHighT=40\n");
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
  EXPECT_EQ(services.messages.LastText(), "'abc' is not a valid floating point value");
  EXPECT_EQ(Boxes(logic), "       ");
  EXPECT_EQ(logic.Defaults().DefaultHighI(), 250.0);
  EXPECT_EQ(logic.Limit(abHighT), 28.0);  // blank box: the built-in default

  logic.SaveAlarmDefaults();
  const TZMIniFile ini(IniPath());
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultLowT", ""), "16");
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultHighT", ""), "28");
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultHighI", ""), "250");
}

TEST_F(AlarmSettingsLogic, OtherVoltageBoxIsCheckedAndPromptedFor) {
  TAlarmSettingsLogic logic = Make();
  logic.ChooseCellType(TCellType::ctOther);
  logic.OtherVChanged("");  // blank: nothing happens
  EXPECT_EQ(logic.BoxText(abHighV), "9.6");
  EXPECT_TRUE(services.messages.messages.empty());

  logic.OtherVChanged("1x");
  EXPECT_EQ(services.messages.LastText(), "you must enter a valid number");
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Error);
  EXPECT_EQ(logic.OtherVText(), "8");

  // Not a number when Other is chosen: asked for, pre-filled with the default.
  logic.OtherVChanged("");
  logic.ChooseCellType(TCellType::ct4V);
  services.prompts.Reply(true, "6");
  logic.ChooseCellType(TCellType::ctOther);
  ASSERT_EQ(services.prompts.asked.size(), 1u);
  EXPECT_EQ(services.prompts.asked[0].prompt, "What is the voltage to be monitored?");
  EXPECT_EQ(services.prompts.asked[0].caption, "Monitor other voltage");
  EXPECT_EQ(logic.TakeFocusRequest(), TAlarmFocus::OtherV);
  EXPECT_EQ(logic.OtherVText(), "6");
  EXPECT_EQ(logic.BoxText(abHighV), "7.2");
  EXPECT_EQ(logic.BoxText(abLowR), "0.9");

  // A cancelled prompt changes nothing.
  logic.OtherVChanged("");
  logic.ChooseCellType(TCellType::ct12V);
  services.prompts.Reply(false);
  logic.ChooseCellType(TCellType::ctOther);
  EXPECT_EQ(logic.OtherVText(), "");
  EXPECT_EQ(logic.Defaults().DefaultOtherVoltage(), 6.0);
  EXPECT_EQ(logic.BoxText(abHighV), "7.2");
}

TEST_F(AlarmSettingsLogic, TypedTextIsCheckedButNumbersBeingTypedAreNot) {
  TAlarmSettingsLogic logic = Make();
  logic.BoxEdited(abHighT, "3a");
  EXPECT_EQ(services.messages.LastText(), "An illegal character has been entered\r\rinto the high temperature limit . . .");
  logic.BoxEdited(abLowV, "1,");
  EXPECT_EQ(services.messages.LastText(), "An illegal character has been entered\r\r into the low Voltage limit . . .");
  EXPECT_EQ(logic.CellType(), TCellType::ct12V);  // a bad voltage text chooses nothing
  for (int b = 0; b < abCount; ++b) {
    logic.BoxEdited(static_cast<TAlarmBox>(b), "x");
    EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Warning);
    EXPECT_EQ(logic.BoxText(static_cast<TAlarmBox>(b)), "") << b;
  }
  EXPECT_EQ(services.messages.messages.size(), 2u + abCount);

  // A sign alone is the start of a number (a low temperature of -10), not an error.
  services.messages.messages.clear();
  logic.BoxEdited(abLowI, "-");
  logic.BoxEdited(abLowT, "-");
  logic.BoxEdited(abLowT, "-10");
  logic.BoxEdited(abHighI, "0");
  logic.BoxEdited(abHighR, "39.5");
  EXPECT_TRUE(services.messages.messages.empty());
  EXPECT_EQ(logic.BoxText(abLowT), "-10");
  EXPECT_EQ(logic.BoxText(abHighR), "39.5");
  logic.BoxEdited(abLowR, "40");
  EXPECT_EQ(logic.BoxText(abLowR), "39.50");
}

TEST_F(AlarmSettingsLogic, TypedVoltageSwitchesToOtherChangingNoOtherBox) {
  TAlarmSettingsLogic logic = Make();
  logic.BoxEdited(abLowV, "1");
  EXPECT_EQ(logic.CellType(), TCellType::ctOther);
  // Only the choice changes: no other box is rewritten, and the other voltage
  // is the 12 V that was chosen.
  EXPECT_EQ(Boxes(logic), "28 16 100 -1 14.4 1 6 1.8");
  EXPECT_EQ(logic.OtherVText(), "12");
  EXPECT_EQ(logic.Defaults().DefaultOtherVoltage(), 12.0);
  EXPECT_EQ(logic.Defaults().HighVoltageDefault(TCellType::ctOther), 14.4);
  EXPECT_EQ(logic.Limit(abLowR), 1.8);  // blank ohmic boxes would read the same

  logic.BoxEdited(abLowV, "11");
  logic.BoxEdited(abHighV, "13");
  EXPECT_EQ(Boxes(logic), "28 16 100 -1 13 11 6 1.8");
  EXPECT_EQ(logic.Defaults().LowVoltageDefault(TCellType::ctOther), 11.0);
  EXPECT_EQ(logic.Defaults().HighVoltageDefault(TCellType::ctOther), 13.0);
  EXPECT_TRUE(logic.CheckOK());
  EXPECT_TRUE(services.messages.messages.empty());

  // Leaving the box stores its number too (e.g. after the program filled it).
  logic.SetLimit(abLowV, 10.5);
  logic.BoxExited(abLowV);
  EXPECT_EQ(logic.Defaults().LowVoltageDefault(TCellType::ctOther), 10.5);
  logic.ChooseCellType(TCellType::ct2V);
  logic.SetLimit(abLowV, 1.5);
  logic.BoxExited(abLowV);  // not Other: nothing stored
  EXPECT_EQ(logic.Defaults().LowVoltageDefault(TCellType::ctOther), 10.5);
  EXPECT_EQ(logic.Defaults().LowVoltageDefault(TCellType::ct2V), 2.0);
}

TEST_F(AlarmSettingsLogic, LimitsReadBoxesOrDefaultsAndNegativeValuesBlankThem) {
  TAlarmSettingsLogic logic = Make();
  logic.SetLimit(abHighT, 12.345678);
  EXPECT_EQ(logic.BoxText(abHighT), "12.346");
  EXPECT_EQ(logic.Limit(abHighT), 12.346);
  logic.SetLimit(abLowI, 0);
  EXPECT_EQ(logic.BoxText(abLowI), "0");

  for (int b = 0; b < abCount; ++b) {
    logic.SetLimit(static_cast<TAlarmBox>(b), -1);
    EXPECT_EQ(logic.BoxText(static_cast<TAlarmBox>(b)), "");
  }
  logic.ChooseCellType(TCellType::ct2V);  // refills voltage and ohmic boxes
  logic.SetLimit(abHighV, -100);
  logic.SetLimit(abLowR, -100);
  logic.ChooseChemistry(TCellChemistry::chWet);
  logic.SetLimit(abHighR, -1);
  EXPECT_EQ(logic.Limit(abHighT), 28.0);
  EXPECT_EQ(logic.Limit(abLowT), 16.0);
  EXPECT_EQ(logic.Limit(abHighI), -1.0);  // blank discharge: not monitored
  EXPECT_EQ(logic.Limit(abLowI), -1.0);
  EXPECT_EQ(logic.Limit(abHighV), 2.4);
  EXPECT_EQ(logic.Limit(abHighR), 1.0);
  EXPECT_EQ(logic.Limit(abLowR), 0.3);

  logic.BoxEdited(abLowT, "-");
  EXPECT_THROW(logic.Limit(abLowT), EConvertError);
}

TEST_F(AlarmSettingsLogic, OkComparesPairsAndAcceptsEqualValues) {
  TAlarmSettingsLogic logic = Make();
  logic.BoxEdited(abHighT, "20");
  logic.BoxEdited(abLowT, "20");
  logic.BoxEdited(abHighR, "1.7");
  EXPECT_FALSE(logic.CheckOK());
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);
  EXPECT_EQ(services.messages.LastText(), "Inconsistent entries in the following field(s) : \r\rOhmic-values \r");
  EXPECT_FALSE(logic.AlarmsAccepted());

  logic.BoxEdited(abHighR, "1.8");
  EXPECT_TRUE(logic.CheckOK());
  EXPECT_TRUE(logic.AlarmsAccepted());
  EXPECT_EQ(services.messages.messages.size(), 1u);
}

TEST_F(AlarmSettingsLogic, OkAsksAboutMissingDischargeFirst) {
  TAlarmSettingsLogic logic = Make();
  logic.BoxEdited(abHighI, "  ");
  logic.BoxEdited(abHighT, "1");  // inconsistent, but not tested after No
  services.messages.Answer(TMsgAnswer::No);
  EXPECT_FALSE(logic.CheckOK());
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);
  EXPECT_EQ(services.messages.messages[0].buttons, TMsgButtons::YesNo);
  EXPECT_EQ(services.messages.LastText(),
            "No discharge current defined, so discharges will NOT be monitored.\r\r"
            "Do you really want to run Zelmor without discharge monitoring?");
  EXPECT_EQ(logic.TakeFocusRequest(), TAlarmFocus::HighI);
  EXPECT_EQ(logic.TakeFocusRequest(), TAlarmFocus::None);

  logic.BoxEdited(abHighT, "30");
  services.messages.Answer(TMsgAnswer::Yes);
  EXPECT_TRUE(logic.CheckOK());
  EXPECT_EQ(logic.Limit(abHighI), -1.0);
}

TEST_F(AlarmSettingsLogic, OkAsksAboutIncompleteEntriesAndKeepsPairsFoundBefore) {
  TAlarmSettingsLogic logic = Make();
  logic.SetLimit(abLowR, -1);
  services.messages.Answer(TMsgAnswer::Yes);
  EXPECT_TRUE(logic.CheckOK());
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Information);
  EXPECT_EQ(services.messages.LastText(),
            "Alarm data entry incomplete . . . .\r\rDo you want to run Zelmor without these entries ?");

  services.messages.messages.clear();
  services.messages.Answer(TMsgAnswer::No);
  EXPECT_FALSE(logic.CheckOK());
  EXPECT_EQ(services.messages.messages.size(), 1u);

  // Temperature inconsistent, then voltage blank: the temperature pair is still listed,
  // and the ohmic values after the blank box are not compared.
  services.messages.messages.clear();
  logic.BoxEdited(abHighT, "10");
  logic.SetLimit(abLowV, -1);
  logic.BoxEdited(abHighR, "0.1");
  services.messages.Answer(TMsgAnswer::Yes);
  EXPECT_FALSE(logic.CheckOK());
  ASSERT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(services.messages.LastText(), "Inconsistent entries in the following field(s) : \r\rTemperature values \r");
}


TEST_F(AlarmSettingsLogic, OkRefusesEveryBoxLeftWithoutANumberAndCancelEmptiesThem) {
  const char* messages[abCount] = {
      "An illegal character has been entered\r\rinto the high temperature limit . . .",
      "An illegal character has been entered\r\rinto the low temperature limit . . .",
      "An illegal character has been entered\r\rinto the current discharge value . . .",
      "An illegal character has been entered\r\rinto the current charge value . . .",
      "An illegal character has been entered\r\r into the high Voltage limit . . .",
      "An illegal character has been entered\r\r into the low Voltage limit . . .",
      "An illegal character has been entered\r\r into the high IR limit . . .",
      "An illegal character has been entered\r\r into the low IR limit . . ."};
  for (int b = 0; b < abCount; ++b) {
    const auto box = static_cast<TAlarmBox>(b);
    for (const char* unfinished : {"-", "+", ".", "-."}) {
      TAlarmSettingsLogic logic = Make();
      services.messages.messages.clear();
      logic.BoxEdited(box, unfinished);
      EXPECT_FALSE(logic.CheckOK()) << b << unfinished;
      ASSERT_EQ(services.messages.messages.size(), 1u) << b << unfinished;
      EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);
      EXPECT_EQ(services.messages.LastText(), messages[b]);
      EXPECT_EQ(logic.BoxText(box), "");
      EXPECT_FALSE(logic.AlarmsAccepted());
      EXPECT_EQ(logic.TakeFocusRequest(), TAlarmFocus::Limit);
      EXPECT_EQ(logic.FocusBox(), box);
      EXPECT_NO_THROW(logic.Limit(box));

      logic.BoxEdited(box, unfinished);
      logic.Cancelled();
      EXPECT_EQ(logic.BoxText(box), "") << b << unfinished;
      EXPECT_NO_THROW(logic.Limit(box));
    }
  }
  // The charge box after Restore Defaults, its "1" deleted.
  TAlarmSettingsLogic logic = Make();
  logic.BoxEdited(abLowI, "-");
  services.messages.messages.clear();
  EXPECT_FALSE(logic.CheckOK());
  EXPECT_EQ(services.messages.LastText(), messages[abLowI]);
  EXPECT_EQ(logic.Limit(abLowI), -1.0);
}
