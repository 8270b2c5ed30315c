// Writing the configuration grid to its file.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

#include "common/ZMFormat.h"
#include "common/ZMSafeFile.h"
#include "config/grid_file_stuff.h"
#include "editgrid/UEditGrid.h"

namespace {
namespace fs = std::filesystem;

const char* const Headers[29] = {"PC", "PT", "CU", "DCM", "CH", "TY", "CT", "TP", "VF", "VT",
                                 "ZI", "HY", "BatLbl", "StrLbl", "CellLbl", "Bat No", "Str No",
                                 "Blk Fr", "Blk To", "Ver", "HV", "LV", "HZ", "LZ", "HT", "LT",
                                 "HC", "LC", "SP1"};

// One control unit with one string of four cells: header, 8 input rows, 4 channel rows.
void FillOneUnitGrid(TEditGrid& g) {
  g.SetColCount(29);
  g.SetRowCount(13);
  for (int c = 0; c < 29; ++c) g.SetCellText(c, 0, Headers[c]);
  for (int r = 1; r <= 12; ++r) {
    g.SetCellText(0, r, "1");
    g.SetCellText(1, r, "1");
    g.SetCellText(2, r, "1");
    g.SetCellText(19, r, "02.20");
    g.SetCellText(12, r, "UPS A");
  }
  g.SetCellText(28, 1, "1500");
  g.SetCellText(20, 9, "13.8");
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class GridFileTest : public ::testing::Test {
 protected:
  fs::path dir;
  TEditGrid grid{29, 13};
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zm_gridfile_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    FillOneUnitGrid(grid);
  }
  void TearDown() override { fs::remove_all(dir); }
  size_t EntriesInDir() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }
};

TEST_F(GridFileTest, OneUnitOneStringGivesThirteenLinesOf29FieldsWithCrLf) {
  const fs::path file = dir / "BatConfig.cfg";
  SaveGridToFile(grid, file.string());
  const std::string text = ReadAll(file);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  std::vector<std::string> lines;
  for (size_t pos = 0; pos < text.size();) {
    const size_t end = text.find("\r\n", pos);
    ASSERT_NE(end, std::string::npos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  ASSERT_EQ(lines.size(), 13u);
  for (const std::string& line : lines) {
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 28) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
  }
  EXPECT_EQ(lines[0].substr(0, 15), "PC,PT,CU,DCM,CH");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 10), ",HC,LC,SP1");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 5), ",1500");
  EXPECT_EQ(lines[2].back(), ',');  // empty last column still gives its comma
  EXPECT_NE(lines[9].find(",02.20,13.8,"), std::string::npos);
  EXPECT_EQ(EntriesInDir(), 1u);  // no temporary file left behind
}

TEST_F(GridFileTest, SavingTwiceReplacesTheFileWrittenOneBytePerCharacter) {
  const fs::path file = dir / "BatConfig.cfg";
  SaveGridToFile(grid, file.string());
  grid.SetRowCount(2);
  grid.SetCellText(14, 1, "S\xC3\xBC" "d \xE2\x82\xAC");  // "Süd €" in UTF-8
  SaveGridToFile(grid, file.string());
  const std::string text = ReadAll(file);
  EXPECT_EQ(text, GridToFileText(grid));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
  EXPECT_NE(text.find(",S\xFC" "d \x80,"), std::string::npos);  // Windows-1252
}

TEST_F(GridFileTest, CellThatWouldBreakTheLayoutIsRefusedBeforeWriting) {
  const fs::path file = dir / "BatConfig.cfg";
  SaveGridToFile(grid, file.string());
  const std::string before = ReadAll(file);
  for (const char* bad : {"UPS, west", "two\r\nlines", "line\nfeed"}) {
    SCOPED_TRACE(bad);
    grid.SetCellText(12, 5, bad);
    try {
      SaveGridToFile(grid, file.string());
      ADD_FAILURE() << "saved a grid with a separator in a cell";
    } catch (const EGridFileError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find("BatConfig.cfg"), std::string::npos) << what;
      EXPECT_NE(what.find("Row 5"), std::string::npos) << what;
      EXPECT_NE(what.find("\"BatLbl\""), std::string::npos) << what;
      EXPECT_NE(what.find(bad[0] == 'U' ? "UPS, west" : (bad[3] == '\r' ? "two<CR><LF>lines" : "line<LF>feed")),
                std::string::npos) << what;
    }
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(EntriesInDir(), 1u);
  }
  // A character that Windows-1252 lacks cannot be written either.
  grid.SetCellText(12, 5, "UPS A");
  grid.SetCellText(13, 6, "\xCE\xA9 bank");
  try {
    SaveGridToFile(grid, file.string());
    ADD_FAILURE() << "saved a character the file cannot hold";
  } catch (const EGridFileError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("Row 6, column \"StrLbl\""), std::string::npos) << what;
    EXPECT_NE(what.find("\"\xCE\xA9\""), std::string::npos) << what;
  }
  EXPECT_EQ(ReadAll(file), before);
  // The first offending cell is named, scanning rows top to bottom.
  grid.SetCellText(3, 2, "a,b");
  EXPECT_NE(FindUnwritableCell(grid).find("Row 2, column \"DCM\""), std::string::npos);
}

TEST_F(GridFileTest, FailedWritesLeaveTheEarlierFileIntact) {
  const fs::path file = dir / "BatConfig.cfg";
  std::ofstream(file, std::ios::binary) << "earlier";

  // The write itself fails half way: the file size limit stops it.
  grid.SetRowCount(2000);
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 64;
  ::setrlimit(RLIMIT_FSIZE, &small);
  std::string error;
  try {
    SaveGridToFile(grid, file.string());
  } catch (const ESafeFileError& e) {
    error = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_NE(error.find(file.string()), std::string::npos) << error;
  EXPECT_NE(error.find("too large"), std::string::npos) << error;  // the system's reason
  EXPECT_EQ(ReadAll(file), "earlier");
  EXPECT_EQ(EntriesInDir(), 1u);

  // The folder does not exist.
  EXPECT_THROW(SaveGridToFile(grid, (dir / "missing" / "BatConfig.cfg").string()), ESafeFileError);
  // The target is a folder: it is left as it was.
  fs::create_directories(dir / "taken.cfg");
  std::ofstream(dir / "taken.cfg" / "inside") << "x";
  EXPECT_THROW(SaveGridToFile(grid, (dir / "taken.cfg").string()), ESafeFileError);
  EXPECT_TRUE(fs::is_directory(dir / "taken.cfg"));
  EXPECT_EQ(ReadAll(dir / "taken.cfg" / "inside"), "x");
  EXPECT_EQ(EntriesInDir(), 2u);
}

TEST(GridFileNumbers, LimitsUseAFullStopWhateverTheLocale) {
  const char saved = DecimalSeparator();
  SetDecimalSeparator(',');
  EXPECT_EQ(FormatFileNumber(13.8), "13.8");
  EXPECT_EQ(FormatFileNumber(0.25), "0.25");
  EXPECT_EQ(FormatFileNumber(150000), "1.5E+05");
  SetDecimalSeparator(saved);
}
}  // namespace
