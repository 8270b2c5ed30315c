// The largest system the hardware takes, 32 control units of 255 DCMs with
// four channels each, built with the tree page's commands on the program's
// real window set, edited in the grid and saved: the file holds the core's
// build of the same model with the same edit.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>
#include <sstream>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "ModalAnswers.h"
#include "SiteModelGenerator.h"
#include "TempFiles.h"
#include "app/ZMWindows.h"
#include "editgrid/UEditStringGrid.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/Main.h"

namespace {
constexpr int kUnits = 32, kChannelsPerUnit = 255 * 4;
constexpr int kLastRow = kUnits * (8 + kChannelsPerUnit);  // row 0 is the header
constexpr int kHV = 20, kLastCol = 28;

// The file's text with one field of one line replaced.
std::string WithField(const std::string& text, int line, int field, const std::string& value) {
  std::istringstream in(text);
  std::string out, row;
  for (int r = 0; std::getline(in, row, '\n'); ++r) {
    if (r == line) {
      size_t begin = 0;
      for (int f = 0; f < field; ++f) begin = row.find(',', begin) + 1;
      row.replace(begin, row.find(',', begin) - begin, value);
    }
    out += row + '\n';
  }
  return out;
}

// The line, from 0, where two texts first differ.
long FirstDifferingLine(const std::string& a, const std::string& b) {
  const auto at = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first;
  return std::count(a.begin(), at, '\n');
}

// Types into the grid's current cell, key by key, and ends with Return.
void TypeIntoGrid(TEditStringGrid* grid, const char* text) {
  QTest::keyClicks(grid, QString::fromLatin1(text).left(1));
  QLineEdit* editor = grid->Editor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, QString::fromLatin1(text).mid(1));
  QTest::keyClick(editor, Qt::Key_Return);
  for (int i = 0; i < 100 && grid->Editor(); ++i) QTest::qWait(10);
  ASSERT_EQ(grid->Editor(), nullptr);
}
}  // namespace

TEST(LargestSystem, ThirtyTwoFullControlUnitsAreBuiltEditedAndSavedAsTheCoreBuildsThem) {
  TFakeServices services;
  TTempFolder dir;
  TZMWindows windows(dir / "ZMConfigWizard", dir / "config");
  TfmConfigWizard* main = &windows.Main();
  main->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  TzmUPSSystem& system = main->Logic().System();

  // Battery setup: two batteries of 16 strings, each string with one probe,
  // one sensor and 1020 cells (a full control unit), then the alarm limits.
  TModalAnswers modals;
  modals
      .Expect("fmConfigureBatteries",
              [](QDialog* d) {
                TypeInto(d, "ebNumberOfBatteries", "2");
                TypeInto(d, "ebStringsPerBattery", "16");
                ClickButton(d, "Button1");
              })
      .Expect("fmConfigureString",
              [](QDialog* d) {
                TypeInto(d, "ebCurrentCount", "1");
                TypeInto(d, "ebTemperatureCount", "1");
                TypeInto(d, "ebCellCount", "1020");
                ClickButton(d, "btnOK");
              })
      .Expect("fmAlarmSettings", [](QDialog* d) {
        ClickButton(d, "btnSetDefaults");
        TypeInto(d, "ebHighR", "5.5");
        ClickButton(d, "btnOK");
      });
  modals.Run([&] { ASSERT_TRUE(TriggerEnabled(FindNamed<QAction>(main, "mnuBatterySetup"))); });
  ASSERT_EQ(system.BatteryCount(), 2);
  for (int b = 0; b < 2; ++b) {
    ASSERT_EQ(system.GetBattery(b)->StringCount(), 16);
    for (int s = 0; s < 16; ++s) ASSERT_EQ(system.GetBattery(b)->GetString(s)->ChannelCount(), kChannelsPerUnit);
  }

  // Auto-assign: one string per control unit, and the bar is full.
  TControlUnitBar* bar = main->tbarControlUnits();
  ASSERT_TRUE(TriggerEnabled(bar->actAutoAssignCUs()));
  ASSERT_EQ(bar->ButtonCount(), kUnits);
  EXPECT_FALSE(bar->actAddControlUnit()->isEnabled());
  EXPECT_EQ(system.GetBattery(1)->GetString(15)->ControlUnit(), kUnits - 1);
  ASSERT_TRUE(main->btnNext()->isEnabled()) << main->StatusLine()->currentMessage().toStdString();

  // Next: every control unit is in the grid, none left out.
  QTest::mouseClick(main->btnNext(), Qt::LeftButton);
  ASSERT_EQ(main->CurrentMenu(), main->mmuGrid());
  TEditStringGrid* grid = main->sgConfig();
  ASSERT_EQ(grid->Grid().RowCount(), kLastRow + 1);
  EXPECT_EQ(grid->Cells(2, kLastRow), "32");
  EXPECT_EQ(grid->Cells(3, kLastRow), "255");
  EXPECT_EQ(grid->Cells(4, kLastRow), "4");
  EXPECT_TRUE(services.messages.messages.empty()) << services.messages.LastText();
  EXPECT_TRUE(services.errors.lines.empty());

  // Editing on; to the last row's HV with the keys; an edit that is undone
  // from the Edit menu, then the one that stays.
  ASSERT_TRUE(TriggerEnabled(FindNamed<QAction>(main, "mnuEditConfiguration")));
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
  for (int c = kLastCol; c > kHV; --c) QTest::keyClick(grid, Qt::Key_Left);
  const QString before = grid->Cells(kHV, kLastRow);
  TypeIntoGrid(grid, "99");
  ASSERT_EQ(grid->Cells(kHV, kLastRow), "99");
  QMenu* editMenu = FindNamed<QMenu>(main->mmuGrid(), "GridEditMenu");
  emit editMenu->aboutToShow();
  ASSERT_TRUE(TriggerEnabled(FindNamed<QAction>(main, "actGridEditUndo")));
  EXPECT_EQ(grid->Cells(kHV, kLastRow), before);
  TypeIntoGrid(grid, "14.1");

  // Next: the save page, answered with a file in the temporary folder.
  const std::string path = dir / "BatConfig.cfg";
  services.files.Choose(path);
  QTest::mouseClick(main->btnNext(), Qt::LeftButton);
  ASSERT_EQ(main->StatusLine()->currentMessage().toStdString(), "Saved " + path);

  const std::string built = ConfigFileTextOf(system, TSiteSettings{});
  const std::string saved = ReadText(path), expected = WithField(built, kLastRow, kHV, "14.1");
  EXPECT_TRUE(saved == expected) << "the saved file differs from the core's build from line "
                                 << FirstDifferingLine(saved, expected);
  EXPECT_TRUE(services.messages.messages.empty()) << services.messages.LastText();
}
