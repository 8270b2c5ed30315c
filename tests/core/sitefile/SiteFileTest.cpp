// Site files: exact round trips of generated installations, and strict reading.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "SiteModelGenerator.h"
#include "TempFiles.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"

namespace {
using TJson = nlohmann::ordered_json;

// Every probe's scaling, raw fields included, as text.
std::string ScalingsOf(const TzmUPSSystem& system) {
  std::string out;
  system.ForEachNode({}, [&out](TzmUPSStringSystemNode* s) {
    for (int i = 0; i < s->CurrentCount(); ++i) {
      const TCurrentScalingCalculator& c = s->GetCurrent(i)->Scaling;
      char line[200];
      std::snprintf(line, sizeof line, "%La %La %d %d %d %d %d%d%d\n", c.ScaledCurrent(), c.ScaleFactor(),
                    c.ProbeCurrent(), c.TotalCables(), c.MonitoredCables(), c.PercentCurrent(), c.UseCableRatio(),
                    c.UsePercent(), c.UseDirectValue());
      out += line;
    }
  });
  return out;
}

TEST(SiteFileRoundTrip, GeneratedInstallationsBuildTheSameConfigurationFileAfterSaveAndOpen) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TzmUPSSystem original;
    TSiteSettings settings;
    TSiteModelGenerator(seed).Generate(original, settings);
    const std::string saved = WriteSiteFile(original, settings);

    TzmUPSSystem opened;
    TSiteSettings openedSettings;
    const auto error = ReadSiteFile(saved, opened, openedSettings);
    ASSERT_FALSE(error) << error->Message();
    EXPECT_TRUE(openedSettings == settings);
    ASSERT_EQ(WriteSiteFile(opened, openedSettings), saved);
    EXPECT_EQ(ScalingsOf(opened), ScalingsOf(original));
    EXPECT_EQ(ConfigFileTextOf(opened, openedSettings), ConfigFileTextOf(original, settings));
  }
}

TEST(SiteFileRoundTrip, SavedFileOpensFromDiskAndOddDecimalsKeepEveryBit) {
  TzmUPSSystem system;
  system.BMU()->AddChild();
  TzmUPSBatterySystemNode& battery = *system.GetBattery(0);
  battery.AddChild();
  TzmUPSStringSystemNode& string = *battery.GetString(0);
  string.SetCellCount(2);
  string.GetCell(0)->HighAlarm = 0.1 + 0.2;
  string.GetCell(1)->HighAlarm = -0.0;
  TSiteSettings settings;
  TTempFolder folder;
  SaveSiteFile(folder / "plant.zmsite", system, settings);

  TzmUPSSystem opened;
  ASSERT_FALSE(OpenSiteFile(folder / "plant.zmsite", opened, settings));
  const TzmUPSStringSystemNode& back = *opened.GetBattery(0)->GetString(0);
  EXPECT_EQ(back.GetCell(0)->HighAlarm, 0.30000000000000004);
  EXPECT_TRUE(std::signbit(back.GetCell(1)->HighAlarm));
  EXPECT_EQ(ReadText(folder / "plant.zmsite").substr(0, 44), "{\n  \"format\": \"Zelmor site\",\n  \"version\": 1,");

  const auto missing = OpenSiteFile(folder / "none.zmsite", opened, settings);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->Message(), "The site file " + (folder / "none.zmsite") + " cannot be opened: No such file or directory");
}

TEST(SiteFileRoundTrip, JoinNumbersReadFromAFileAreNotHandedOutAgain) {
  TzmUPSSystem system;
  TSiteSettings settings;
  TSiteModelGenerator(5).Generate(system, settings);
  TJson json = TJson::parse(WriteSiteFile(system, settings));
  json["batteries"][0]["strings"][0]["Number"] = NextJoinNumber() + 500;
  ASSERT_FALSE(ReadSiteFile(json.dump(), system, settings));
  TzmUPSBatterySystemNode& battery = *system.GetBattery(0);
  battery.AddChild();
  EXPECT_GT(battery.GetString(battery.StringCount() - 1)->NewJoinNumber(), system.GetBattery(0)->GetString(0)->Number);
}

// One battery, one string of 4 cells with a probe and a sensor.
std::string SmallSiteText() {
  TzmUPSSystem system;
  system.BMU()->AddChild();
  TzmUPSBatterySystemNode& battery = *system.GetBattery(0);
  battery.AddChild();
  TzmUPSStringSystemNode& string = *battery.GetString(0);
  string.SetCellCount(4);
  string.SetCurrentCount(1);
  string.SetTemperatureCount(1);
  string.SetControlUnit(0);
  TSiteSettings settings;
  settings.ControlUnitButtons = 1;
  return WriteSiteFile(system, settings);
}

struct TMalformedCase {
  const char* what;
  std::function<std::string(TJson&)> spoil;  // returns the file's text
  const char* message;  // "..." at its end: the message begins so (the parser's own words follow)
};

TJson& FirstString(TJson& j) { return j["batteries"][0]["strings"][0]; }

std::string Dump(const TJson& j) { return j.dump(2); }

TEST(SiteFileRead, MalformedFilesAreRefusedWithPathAndReasonAndChangeNothing) {
  const TMalformedCase cases[] = {
      {"unknown key", [](TJson& j) { j["Colour"] = "red"; return Dump(j); }, "Colour: is not a known key here"},
      {"unknown cell key", [](TJson& j) { FirstString(j)["cells"][3]["Colour"] = 1; return Dump(j); },
       "batteries[0].strings[0].cells[3].Colour: is not a known key here"},
      {"text for a number", [](TJson& j) { FirstString(j)["cells"][3]["HighAlarm"] = "14.4"; return Dump(j); },
       "batteries[0].strings[0].cells[3].HighAlarm: must be a number"},
      {"number for a flag", [](TJson& j) { j["batteries"][0]["VoltageOnly"] = 1; return Dump(j); },
       "batteries[0].VoltageOnly: must be true or false"},
      {"missing key", [](TJson& j) { FirstString(j).erase("ControlUnit"); return Dump(j); },
       "batteries[0].strings[0].ControlUnit: is missing"},
      {"fraction for a count", [](TJson& j) { FirstString(j)["cells"][1]["NullCount"] = 1.5; return Dump(j); },
       "batteries[0].strings[0].cells[1].NullCount: must be a whole number"},
      {"null channels", [](TJson& j) { FirstString(j)["cells"][2]["NullCount"] = 4; return Dump(j); },
       "batteries[0].strings[0].cells[2].NullCount: must be from 0 to 3, not 4"},
      {"blocks per channel", [](TJson& j) { FirstString(j)["CellDefaults"]["BlocksPerChannel"] = 0; return Dump(j); },
       "batteries[0].strings[0].CellDefaults.BlocksPerChannel: must be -1 (none) or from 1 to 12, not 0"},
      {"control unit", [](TJson& j) { FirstString(j)["ControlUnit"] = 32; return Dump(j); },
       "batteries[0].strings[0].ControlUnit: must be -1 (none) or from 0 to 31, not 32"},
      {"control unit buttons", [](TJson& j) { j["ControlUnitButtons"] = 33; return Dump(j); },
       "ControlUnitButtons: must be from 0 to 32, not 33"},
      {"five probes", [](TJson& j) {
         TJson& currents = FirstString(j)["currents"];
         for (int i = 0; i < 4; ++i) currents.push_back(currents[0]);
         return Dump(j);
       }, "batteries[0].strings[0].currents: holds 5 current probes; a string has at most 4"},
      {"sub-strings", [](TJson& j) { FirstString(j)["SubStrings"] = {3, 2}; return Dump(j); },
       "batteries[0].strings[0].SubStrings: add up to 5 cells, but the string has 4"},
      {"newer version", [](TJson& j) { j["version"] = 2; j["Colour"] = "red"; return Dump(j); },
       "version: is 2: the file was written by a newer program; this one reads version 1"},
      {"not a site file", [](TJson& j) { j["format"] = "Spreadsheet"; return Dump(j); },
       "format: is not a site file: \"format\" must be \"Zelmor site\""},
      {"scaling mode", [](TJson& j) { FirstString(j)["currents"][0]["Scaling"]["Mode"] = "Guess"; return Dump(j); },
       "batteries[0].strings[0].currents[0].Scaling.Mode: must be one of \"Probe\", \"CableRatio\", \"Percent\", "
       "\"Direct\", not \"Guess\""},
      {"cable ratio without cables", [](TJson& j) {
         TJson& scaling = FirstString(j)["currents"][0]["Scaling"];
         scaling["Mode"] = "CableRatio";
         return Dump(j);
       }, "batteries[0].strings[0].currents[0].Scaling.MonitoredCables: must be from 1 to 32767, not 0"},
      {"direct value outside direct mode",
       [](TJson& j) { FirstString(j)["currents"][0]["Scaling"]["DirectValue"] = 5; return Dump(j); },
       "batteries[0].strings[0].currents[0].Scaling.DirectValue: is only allowed when Mode is \"Direct\""},
      {"cell type", [](TJson& j) { j["AlarmDialog"]["CellType"] = "24V"; return Dump(j); },
       "AlarmDialog.CellType: must be one of \"12V\", \"2V\", \"4V\", \"6V\", \"Other\", not \"24V\""},
      {"join number too large", [](TJson& j) { FirstString(j)["Number"] = 99999999999LL; return Dump(j); },
       "batteries[0].strings[0].Number: is too large: 99999999999"},
      {"duplicate key", [](TJson& j) {
         std::string text = Dump(j);
         const size_t at = text.find("\"LowAlarm\"", text.find("\"CellDefaults\""));
         return text.insert(at, "\"LowAlarm\": 2, ");
       }, "batteries[0].strings[0].CellDefaults.LowAlarm: is given twice"},
      {"broken JSON", [](TJson& j) {
         std::string text = Dump(j);
         const size_t at = text.find("\"HighAlarm\"", text.find("\"temperatures\""));
         return text.erase(text.rfind(',', at), 1);  // the comma before it
       }, "batteries[0].strings[0].temperatures[0]: is not valid JSON: parse error at line ..."},
      {"not UTF-8", [](TJson& j) { return Dump(j).replace(Dump(j).find("Battery: 1"), 1, "\xC3"); },
       "batteries[0].Name: is not valid JSON: parse error at line ..."},
      {"not an object", [](TJson&) { return std::string("[1, 2]"); },
       "is not a site file: the file must hold one JSON object"},
  };
  const std::string valid = SmallSiteText();
  for (const TMalformedCase& c : cases) {
    SCOPED_TRACE(c.what);
    // The program's objects hold another installation, which must stay as it is.
    TzmUPSSystem system;
    TSiteSettings settings;
    TSiteModelGenerator(11).Generate(system, settings);
    const std::string before = WriteSiteFile(system, settings);
    TJson json = TJson::parse(valid);
    const auto error = ReadSiteFile(c.spoil(json), system, settings);
    ASSERT_TRUE(error);
    const std::string expected = c.message;
    if (expected.ends_with("..."))
      EXPECT_EQ(error->Message().substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3));
    else
      EXPECT_EQ(error->Message(), expected);
    EXPECT_EQ(WriteSiteFile(system, settings), before);
  }
}
}  // namespace
