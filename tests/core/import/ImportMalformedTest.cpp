// Files the program did not write: refused naming the first bad line with
// nothing changed, or imported with every row it could not keep listed.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "FakeUserInterface.h"
#include "TempFiles.h"
#include "import/ZMConfigImport.h"
#include "model/ZMUPSTreeSystem.h"

namespace {

using TLines = std::vector<std::string>;

TLines HandWorkedLines() {
  const std::string text = ReadText(std::string(ZM_TEST_DATA_DIR) + "/OneStringOfFourCells.cfg");
  TLines lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string Joined(const TLines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Replaces field `col` (from 0) of line `number` (from 1).
void SetField(TLines& lines, int number, int col, const std::string& value) {
  std::string& line = lines[static_cast<size_t>(number - 1)];
  size_t start = 0;
  for (int c = 0; c < col; ++c) start = line.find(',', start) + 1;
  line.replace(start, line.find(',', start) - start, value);
}

struct TCase {
  const char* what;
  std::function<void(TLines&)> edit;
  // A refusal begins with this; empty when the file is imported.
  std::string refusal;
  // Error list entries when imported.
  std::vector<std::string> problems;
};

class ImportMalformed : public ::testing::Test {
 protected:
  // A description that a refused import must leave as it was.
  void SetUp() override {
    system.BMU()->AddChild();
    system.GetBattery(0)->SetName("Battery: Before");
    settings.ControlUnitButtons = 7;
  }
  TzmUPSSystem system;
  TSiteSettings settings;
  TFakeErrorList errors;
};

TEST_F(ImportMalformed, EachFaultIsRefusedAtItsLineOrListedWithIt) {
  const std::vector<TCase> cases = {
      {"header", [](TLines& l) { l[0] = "PC;PT"; }, "Line 1: ", {}},
      {"column count", [](TLines& l) { l[4].pop_back(); }, "Line 5: has 28 columns", {}},
      {"number", [](TLines& l) { SetField(l, 4, 2, "one"); }, "Line 4: CU \"one\" is not a number", {}},
      {"order", [](TLines& l) { std::swap(l[9], l[10]); }, "Line 10: DCM 1 channel 2 is out of order", {}},
      {"input order", [](TLines& l) { std::swap(l[2], l[3]); }, "Line 3: input row 3", {}},
      {"TY", [](TLines& l) { SetField(l, 11, 5, "Q"); }, "Line 11: unknown TY \"Q\"", {}},
      {"DCM", [](TLines& l) { SetField(l, 10, 3, "256"); }, "Line 10: DCM \"256\" is not a number from 0 to 255", {}},
      {"control unit", [](TLines& l) { for (size_t i = 1; i < l.size(); ++i) SetField(l, static_cast<int>(i) + 1, 2, "33"); },
       "Line 2: CU \"33\" is not a number from 1 to 32", {}},
      {"cut off at a line", [](TLines& l) { l.pop_back(); }, "Line 12: DCM 1 of control unit 1 has 3 channels", {}},
      {"cut off in a line", [](TLines& l) { l.back().resize(20); }, "Line 13: has 13 columns", {}},
      {"binary", [](TLines& l) { l[2][5] = '\0'; }, "Line 3: holds binary data", {}},
      {"limit", [](TLines& l) { SetField(l, 11, 20, "abc"); }, "",
       {"Line 2: HV reads \"14.4\" in the file but \"\" in the imported description.",
        "Line 11: HV \"abc\" is not a number; the limit is left off."}},
      {"blocks", [](TLines& l) { SetField(l, 10, 18, "30"); }, "",
       {"Line 10: Blk Fr 1 to Blk To 30 cannot be kept; a channel measures 2 to 12 blocks."}},
      {"cell label", [](TLines& l) { SetField(l, 11, 14, "Cell 9"); }, "",
       {"Line 11: CellLbl reads \"Cell 9\" in the file but \"2\" in the imported description."}},
      {"unused input", [](TLines& l) { SetField(l, 3, 26, "50"); }, "",
       {"Line 3: HC \"50\" is on an input without Bat No and Str No and was left out."}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TLines lines = HandWorkedLines();
    c.edit(lines);
    const TConfigImportResult result = ImportConfigFile(Joined(lines), system, settings, errors);
    if (!c.refusal.empty()) {
      EXPECT_FALSE(result.Imported);
      EXPECT_EQ(result.Refusal.substr(0, c.refusal.size()), c.refusal) << result.Refusal;
      EXPECT_EQ(system.GetBattery(0)->Name(), "Battery: Before");
      EXPECT_EQ(settings.ControlUnitButtons, 7);
    } else {
      EXPECT_TRUE(result.Imported) << result.Refusal;
      EXPECT_EQ(result.Problems, c.problems);
      EXPECT_EQ(errors.lines, c.problems);
      EXPECT_EQ(errors.shown, 1);
      errors.shown = 0;
      system.GetBattery(0)->SetName("Battery: Before");
      settings.ControlUnitButtons = 7;
    }
  }
}

TEST_F(ImportMalformed, HundredThousandLinesAndBinaryFilesAreRefusedAtTheirFirstBadLine) {
  TLines lines = HandWorkedLines();
  lines.resize(9);
  for (int n = 0; lines.size() < 100000; ++n)
    lines.push_back("1,1,1," + std::to_string(n / 4 + 1) + "," + std::to_string(n % 4 + 1) +
                    ",Z,,,,1,1,,1,1,,,,,,02.20,,,,,,,,,");
  TConfigImportResult result = ImportConfigFile(Joined(lines), system, settings, errors);
  EXPECT_EQ(result.Refusal, "Line 1030: DCM \"256\" is not a number from 0 to 255.");

  std::mt19937 random(7);
  std::string binary(1 << 20, '\0');
  for (char& ch : binary) ch = static_cast<char>(random());
  result = ImportConfigFile(binary, system, settings, errors);
  EXPECT_FALSE(result.Imported);
  EXPECT_EQ(result.Refusal.substr(0, 5), "Line ");
  EXPECT_EQ(system.GetBattery(0)->Name(), "Battery: Before");
}

TEST_F(ImportMalformed, Windows1252NamesBecomeUtf8) {
  TLines lines = HandWorkedLines();
  for (size_t i = 1; i < lines.size(); ++i) SetField(lines, static_cast<int>(i) + 1, 12, "S\xFC" "d \x80");
  const TConfigImportResult result = ImportConfigFile(Joined(lines), system, settings, errors);
  ASSERT_TRUE(result.Imported) << result.Refusal;
  EXPECT_EQ(system.GetBattery(0)->Name(), "Battery: S\xC3\xBC" "d \xE2\x82\xAC");
}

}  // namespace
