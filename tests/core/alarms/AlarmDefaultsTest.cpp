#include <gtest/gtest.h>

#include "TempFiles.h"
#include "alarms/ZMIniFile.h"
#include "alarms/fmAlarmSetDefaults.h"
#include "common/ZMFormat.h"

namespace {
const std::string kBuiltInFile =
    "[DefaultValues]\n"
    "LowVRLACellR per jar=0.3\n"
    "HighVRLACellR per jar=1\n"
    "LowWetCellR per jar=0.3\n"
    "HighWetCellR per jar=1\n"
    "DefaultLowI=-1\n"
    "DefaultHighI=100\n"
    "DefaultLowT=16\n"
    "DefaultHighT=28\n"
    "DefaultLow12V=12\n"
    "DefaultHigh12V=14.4\n"
    "DefaultLow2V=2\n"
    "DefaultHigh2V=2.4\n"
    "DefaultLow4V=4\n"
    "DefaultHigh4V=4.8\n"
    "DefaultLow6V=6\n"
    "DefaultHigh6V=7.2\n"
    "DefaultLowOtherV=8\n"
    "DefaultHighOtherV=9.6\n"
    "DefaultOtherVoltage=8\n";

TAlarmDefaults Loaded(const std::string& fileText) {
  TTempFolder dir;
  WriteText(dir / "z.ini", fileText);
  TAlarmDefaults defaults;
  defaults.LoadAlarmDefaults(TZMIniFile(dir / "z.ini"));
  return defaults;
}
}  // namespace

TEST(AlarmDefaults, BuiltInSetGivesTheWorkedLimitsPerCellType) {
  const TAlarmDefaults d;
  using enum TCellType;
  const auto vrla = TCellChemistry::chVRLA;
  EXPECT_EQ(AlarmNumberText(d.LowOhmicDefault(ct12V, vrla)), "1.8");
  EXPECT_EQ(d.HighOhmicDefault(ct12V, vrla), 6.0);
  EXPECT_EQ(d.LowVoltageDefault(ct4V), 4.0);
  EXPECT_EQ(d.HighVoltageDefault(ct4V), 4.8);
  EXPECT_EQ(d.LowVoltageDefault(ct6V), 6.0);
  EXPECT_EQ(d.HighVoltageDefault(ct6V), 7.2);
  EXPECT_EQ(d.HighVoltageDefault(ctOther), 9.6);
  EXPECT_EQ(AlarmNumberText(d.LowOhmicDefault(ctOther, vrla)), "1.2");
  EXPECT_EQ(d.HighOhmicDefault(ctOther, vrla), 4.0);
  try {
    d.LowOhmicDefault(ct12V, TCellChemistry::chNone);
    ADD_FAILURE() << "no error without a chemistry";
  } catch (const EAlarmDefaultsError& e) {
    EXPECT_STREQ(e.what(), "No cell type defined");
  }
  EXPECT_THROW(d.HighOhmicDefault(ct2V, TCellChemistry::chNone), EAlarmDefaultsError);
}

TEST(AlarmDefaults, OtherVoltageSetsLimitsAndCellCountButNotFixedNominals) {
  TAlarmDefaults d;
  d.SetOtherVoltage(8);
  EXPECT_EQ(d.HighVoltageDefault(TCellType::ctOther), 9.6);  // 1.2 x 8 rounds to the double 9.6
  d.SetOtherVoltage(7);
  EXPECT_EQ(d.NominalVoltage(TCellType::ctOther), 7.0);
  EXPECT_EQ(d.CellsPerJar(TCellType::ctOther), 3.5);
  EXPECT_EQ(d.LowVoltageDefault(TCellType::ctOther), 7.0);
  EXPECT_EQ(AlarmNumberText(d.LowOhmicDefault(TCellType::ctOther, TCellChemistry::chVRLA)), "1.05");
  EXPECT_EQ(d.HighOhmicDefault(TCellType::ctOther, TCellChemistry::chVRLA), 3.5);

  d.SetOtherLowLimit(6.5);
  d.SetOtherHighLimit(8.25);
  EXPECT_EQ(d.LowVoltageDefault(TCellType::ctOther), 6.5);
  EXPECT_EQ(d.HighVoltageDefault(TCellType::ctOther), 8.25);
  EXPECT_EQ(d.NominalVoltage(TCellType::ctOther), 7.0);
  EXPECT_EQ(d.NominalVoltage(TCellType::ct12V), 12.0);
  EXPECT_EQ(d.LowVoltageDefault(TCellType::ct12V), 12.0);
}

TEST(AlarmDefaults, LoadingTakesStoredKeysAndKeepsBuiltInsForTheRest) {
  TTempFolder dir;
  TAlarmDefaults missing;
  missing.SetOtherVoltage(5);
  missing.LoadAlarmDefaults(TZMIniFile(dir / "none.ini"));  // no file: all built in again
  EXPECT_EQ(missing.DefaultOtherVoltage(), 8.0);
  EXPECT_EQ(missing.HighVoltageDefault(TCellType::ctOther), 9.6);

  const TAlarmDefaults d = Loaded("[defaultValues]\ndefaulthigh12v=15\nLowWetCellR per jar=0.5\n"
                                  "HighWetCellR per jar=1.5\n");
  EXPECT_EQ(d.HighVoltageDefault(TCellType::ct12V), 15.0);
  EXPECT_EQ(d.LowVoltageDefault(TCellType::ct12V), 12.0);
  EXPECT_EQ(d.LowOhmicDefault(TCellType::ct2V, TCellChemistry::chWet), 0.5);
  EXPECT_EQ(d.HighOhmicDefault(TCellType::ct4V, TCellChemistry::chWet), 3.0);
  EXPECT_EQ(d.LowOhmicDefault(TCellType::ct2V, TCellChemistry::chVRLA), 0.3);
}

TEST(AlarmDefaults, TextThatIsNotANumberStopsTheLoadingAtThatKey) {
  TTempFolder dir;
  WriteText(dir / "z.ini", "[DefaultValues]\nDefaultHighI=250\nDefaultLowT=abc\nDefaultHighT=40\n");
  TAlarmDefaults d;
  try {
    d.LoadAlarmDefaults(TZMIniFile(dir / "z.ini"));
    ADD_FAILURE() << "no conversion error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
  EXPECT_EQ(d.DefaultHighI(), 250.0);  // read before the bad key
  EXPECT_EQ(d.DefaultLowT(), 16.0);
  EXPECT_EQ(d.DefaultHighT(), 28.0);   // after it: not read

  TZMIniFile ini(dir / "z.ini");
  d.SaveAlarmDefaults(ini);
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultLowT", ""), "16");
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultHighT", ""), "28");
}

TEST(AlarmDefaults, SavingWritesNineteenKeysInOrderWithFiveDigitsAndAPoint) {
  TTempFolder dir;
  TAlarmDefaults d;
  TZMIniFile ini(dir / "z.ini");
  d.SaveAlarmDefaults(ini);
  EXPECT_EQ(ini.Text(), kBuiltInFile);

  SetDecimalSeparator(',');
  d.SetOtherVoltage(12.345678);
  TZMIniFile other(dir / "y.ini");
  d.SaveAlarmDefaults(other);
  EXPECT_EQ(other.ReadString("DefaultValues", "DefaultOtherVoltage", ""), "12.346");
  EXPECT_EQ(other.ReadString("DefaultValues", "DefaultHighOtherV", ""), "14.815");
  other.UpdateFile();
  TAlarmDefaults reread;
  reread.LoadAlarmDefaults(TZMIniFile(dir / "y.ini"));  // still read with the point
  SetDecimalSeparator('.');
  EXPECT_EQ(reread.DefaultOtherVoltage(), 12.346);
  EXPECT_EQ(reread.HighVoltageDefault(TCellType::ct12V), 14.4);
  EXPECT_EQ(Loaded(kBuiltInFile).HighVoltageDefault(TCellType::ct6V), 7.2);
}

TEST(AlarmDefaults, ReadingTakesThePointOrTheLocaleSeparatorAndTheFirstOfARepeatedKey) {
  struct CommaLocale {
    CommaLocale() { SetDecimalSeparator(','); }
    ~CommaLocale() { SetDecimalSeparator('.'); }
  } comma;
  TTempFolder dir;
  // An older file in the user's own notation, edited by hand since.
  WriteText(dir / "z.ini",
            "[DefaultValues]\nDefaultHigh12V=14,4\nDefaultHigh2V=2.35\n"
            "DefaultLowT=10\nDefaultHighT=30\ndefaultlowt=20\n");
  TZMIniFile ini(dir / "z.ini");
  TAlarmDefaults d;
  d.LoadAlarmDefaults(ini);
  EXPECT_EQ(d.HighVoltageDefault(TCellType::ct12V), 14.4);
  EXPECT_EQ(d.HighVoltageDefault(TCellType::ct2V), 2.35);
  EXPECT_EQ(d.DefaultLowT(), 10.0);
  EXPECT_EQ(d.DefaultHighT(), 30.0);

  // Written back, the repeated key stands once, in its first place.
  d.SaveAlarmDefaults(ini);
  const std::string text = ini.Text();
  EXPECT_NE(text.find("DefaultHigh12V=14.4\nDefaultHigh2V=2.35\nDefaultLowT=10\nDefaultHighT=30\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("defaultlowt"), std::string::npos) << text;
}
