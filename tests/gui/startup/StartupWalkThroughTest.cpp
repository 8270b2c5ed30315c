// Start-up in walk-through mode on the program's real window set: the
// walk-through opens by itself once the program is idle, is answered through
// its own widgets (typing, Enter, Next, a check box and Go back), and the main
// window then carries on with the system it built: the tree, the control unit
// bar, and Next, Next to a saved configuration file.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "TempFiles.h"
#include "app/ZMWindows.h"
#include "model/ZMUPSTreeSystem.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "walkthrough/fmWalkThrough.h"
#include "walkthrough/fmWalkThroughSpinEdit.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/Main.h"

// Shows texts as text when a check fails.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// Lets the walk-through's deferred steps run (one step may post the next).
void Settle() {
  for (int i = 0; i < 8; ++i) QCoreApplication::processEvents();
  QTest::qWait(0);
}

void Click(QAbstractButton* button) {
  ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
  ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
  QTest::mouseClick(button, Qt::LeftButton);
  Settle();
}

// Clicks on the box of a check box, at its left end.
void Tick(QCheckBox* box) {
  ASSERT_TRUE(box->isVisible()) << box->objectName().toStdString();
  ASSERT_TRUE(box->isEnabled()) << box->objectName().toStdString();
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  Settle();
}

// Replaces the text of a text box or number box as the user does.
void Type(QWidget* box, const QString& value) {
  ASSERT_TRUE(box->isVisible()) << box->objectName().toStdString();
  if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(box)) spin->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  if (!value.isEmpty()) QTest::keyClicks(box, value);
}

// Types the answer and presses Enter in the box.
void Answer(QWidget* box, const QString& value) {
  Type(box, value);
  QTest::keyClick(box, Qt::Key_Return);
  Settle();
}

std::vector<std::string> SplitLines(const std::string& text, bool& allEndInCrLf) {
  std::vector<std::string> lines;
  allEndInCrLf = !text.empty();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string::npos) {
      allEndInCrLf = false;
      lines.push_back(text.substr(start));
      break;
    }
    if (lf == start || text[lf - 1] != '\r') allEndInCrLf = false;
    const std::size_t end = (lf > start && text[lf - 1] == '\r') ? lf - 1 : lf;
    lines.push_back(text.substr(start, end - start));
    start = lf + 1;
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

class StartupWalkThrough : public ::testing::Test {
 protected:
  void SetUp() override {
    // Closes whatever modal window is left open, so that a stuck flow fails
    // instead of hanging.
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
      timedOut = true;
      for (int i = 0; i < 5; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) break;
        ADD_FAILURE() << "modal window " << modal->objectName().toStdString() << " still open after 20 s";
        if (auto* dialog = qobject_cast<QDialog*>(modal))
          dialog->reject();
        else
          modal->close();
        QCoreApplication::processEvents();
      }
    });
    watchdog.start(20000);
  }
  void TearDown() override {
    watchdog.stop();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }

  // Waits until `done` holds while the event loop runs; false on time-out.
  bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired() && !timedOut) QTest::qWait(5);
    return done();
  }

  TFakeServices services;  // before the windows, which take the error list
  TTempFolder dir;
  QTimer watchdog;
  bool timedOut = false;
};

// The walk-through as a user answers it: one battery North with two strings
// that are all the same (the box is ticked), 6 channels of one block, a
// discharge limit of 50 A on the string's forced probe and one sensor.
void AnswerWalkThrough(TfmWalkthru& walk, TfmConfigWizard& main, bool& reachedFinish) {
  TzmUPSSystem& system = main.Logic().System();
  TzmTreeview* tree = main.TreePanel()->Tree();
  auto* heading = FindNamed<QLabel>(&walk, "lblHeading");
  auto* next = FindNamed<QPushButton>(&walk, "btnWalkNext");
  auto* back = FindNamed<QPushButton>(&walk, "btnWalkPrev");
  auto* entry = FindNamed<QLineEdit>(&walk, "ebWalkThru");
  auto* number = FindNamed<TWalkSpinEdit>(&walk, "rxspinWalkThru");
  auto* walkThru = FindNamed<QCheckBox>(&walk, "cbxWalkThru");
  ASSERT_TRUE(heading && next && back && entry && number && walkThru);

  // The window sits over the right two thirds of the main window, which
  // meanwhile hides its own Back/Next/Cancel panel and tool bars.
  EXPECT_EQ(walk.geometry(), TfmWalkthru::PlacementOver(main.geometry()));
  EXPECT_FALSE(main.pnlDirection()->isVisible());
  EXPECT_FALSE(main.tbarConfigUPS()->isVisible());
  EXPECT_EQ(heading->text(), "Create a system configuration file");
  EXPECT_EQ(next->text(), "&Start");
  EXPECT_FALSE(back->isEnabled());
  Click(next);

  ASSERT_EQ(heading->text(), "Number of batteries on this system");
  EXPECT_EQ(next->text(), "&Next >>");
  Answer(number, "1");

  ASSERT_EQ(heading->text(), "Name of battery #1");
  ASSERT_EQ(system.BatteryCount(), 1);
  TzmUPSBatterySystemNode* battery = system.GetBattery(0);
  // The tree beside the window follows the question.
  EXPECT_EQ(tree->FocusedNode(), battery);
  Answer(entry, "North");
  EXPECT_EQ(battery->GetShortName(), "North");

  ASSERT_EQ(heading->text(), "Number of strings on " + QString::fromStdString(battery->Name()));
  Type(number, "2");
  ASSERT_TRUE(walkThru->isVisible());
  EXPECT_EQ(walkThru->text(), "All strings on this battery are the same");
  EXPECT_FALSE(walkThru->isChecked());
  Tick(walkThru);
  EXPECT_TRUE(walkThru->isChecked());
  QTest::keyClick(number, Qt::Key_Return);
  Settle();
  ASSERT_EQ(battery->StringCount(), 2);
  EXPECT_TRUE(battery->AllStringsSame);

  ASSERT_EQ(heading->text(), "Label for string #1");
  Answer(entry, "North 1");
  TzmUPSStringSystemNode* first = battery->GetString(0);
  EXPECT_EQ(first->GetShortName(), "North 1");

  ASSERT_EQ(heading->text(), "Number of monitoring points (channels) on " + QString::fromStdString(first->Name()));
  Answer(number, "6");
  EXPECT_EQ(first->CellCount(), 6);

  ASSERT_EQ(heading->text(), "Blocks per channel");
  Answer(number, "1");
  ASSERT_EQ(heading->text(), "Low voltage alarm limit per channel");
  Answer(number, "12");
  ASSERT_EQ(heading->text(), "High voltage alarm limit per channel");
  // Go back shows the low limit again with the answer already stored.
  Click(back);
  ASSERT_EQ(heading->text(), "Low voltage alarm limit per channel");
  EXPECT_EQ(number->text(), "12");
  Answer(number, "12");
  ASSERT_EQ(heading->text(), "High voltage alarm limit per channel");
  Answer(number, "14");
  ASSERT_EQ(heading->text(), "Low ohmic-value alarm limit per channel");
  Answer(number, "1");
  ASSERT_EQ(heading->text(), "High ohmic-value alarm limit per channel");
  Answer(number, "5");

  // All strings the same: the probe question is forced, straight to its limit.
  ASSERT_EQ(heading->text(), "Minimum discharge current for " + QString::fromStdString(first->Name()));
  EXPECT_EQ(first->CurrentCount(), 1);
  Answer(number, "50");

  ASSERT_EQ(heading->text(), "Number of temperature sensors on " + QString::fromStdString(first->Name()));
  Answer(number, "1");
  ASSERT_TRUE(heading->text().startsWith("Label for temperature #1 on "));
  Answer(entry, "Ambient");
  ASSERT_EQ(heading->text(), "Low temperature alarm for Ambient");
  Answer(number, "10");
  ASSERT_EQ(heading->text(), "High temperature alarm for Ambient");
  Answer(number, "40");

  // The second string asks only for its name and copies the first.
  ASSERT_EQ(heading->text(), "Label for string #2");
  Answer(entry, "North 2");
  EXPECT_EQ(battery->GetString(1)->GetShortName(), "North 2");

  ASSERT_EQ(heading->text(), "Verify battery setup");
  // The strings are on their control units now: the main window's status
  // line no longer gives a reason for Next to be off.
  EXPECT_EQ(main.StatusLine()->currentMessage().toStdString(), "Define the UPS system");
  Click(next);
  // No page: the report stays until the next Next.
  EXPECT_EQ(heading->text(), "Verify battery setup");
  Click(next);
  ASSERT_EQ(heading->text(), "Verify system configuration");
  ASSERT_EQ(next->text(), "&Finish");
  reachedFinish = true;
  Click(next);
  EXPECT_FALSE(walk.isVisible());
}

}  // namespace

TEST_F(StartupWalkThrough, AnsweredWalkThroughLeadsToASavedConfiguration) {
  TZMWindows windows(dir / "ZMConfigWizard", dir / "config", /*startWalkThrough=*/true);
  TfmConfigWizard& main = windows.Main();
  TfmWalkthru& walk = windows.Walkthru();
  TzmUPSSystem& system = main.Logic().System();

  // The walk-through is only posted: nothing is open before the loop runs.
  EXPECT_FALSE(walk.isVisible());

  bool scriptRan = false;
  bool reachedFinish = false;
  QTimer driver;
  driver.setInterval(5);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (scriptRan || QApplication::activeModalWidget() != &walk || !walk.isVisible()) return;
    scriptRan = true;
    driver.stop();
    Settle();
    AnswerWalkThrough(walk, main, reachedFinish);
    // A script that stopped early leaves the window to Cancel.
    if (walk.isVisible()) {
      ADD_FAILURE() << "walk-through still open after the answers";
      QTest::mouseClick(FindNamed<QPushButton>(&walk, "btnWalkCancel"), Qt::LeftButton);
    }
  });
  driver.start();
  main.show();

  ASSERT_TRUE(WaitFor([&] { return scriptRan && !walk.isVisible() && main.pnlDirection()->isVisible(); }));
  ASSERT_TRUE(reachedFinish);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // The model the answers built, as the tree shows it.
  ASSERT_EQ(system.BatteryCount(), 1);
  TzmUPSBatterySystemNode* battery = system.GetBattery(0);
  ASSERT_EQ(battery->StringCount(), 2);
  TzmTreeview* tree = main.TreePanel()->Tree();
  const QModelIndex batteryRow = tree->IndexOfNode(battery);
  ASSERT_TRUE(batteryRow.isValid());
  EXPECT_EQ(batteryRow.data(Qt::DisplayRole).toString(), QString::fromStdString(battery->Name()));
  EXPECT_TRUE(batteryRow.data(Qt::DisplayRole).toString().contains("North"));
  EXPECT_EQ(tree->model()->rowCount(batteryRow), 2);
  for (int s = 0; s < 2; ++s) {
    TzmUPSStringSystemNode* string = battery->GetString(s);
    const QModelIndex stringRow = tree->IndexOfNode(string);
    ASSERT_TRUE(stringRow.isValid()) << s;
    EXPECT_EQ(stringRow.parent(), batteryRow);
    EXPECT_EQ(stringRow.data(Qt::DisplayRole).toString(), QString::fromStdString(string->Name()));
    EXPECT_TRUE(stringRow.data(Qt::DisplayRole).toString().contains(QString("North %1").arg(s + 1)));
    EXPECT_EQ(string->CellCount(), 6) << s;
    EXPECT_EQ(string->CurrentCount(), 1) << s;
    EXPECT_EQ(string->TemperatureCount(), 1) << s;
    EXPECT_EQ(string->ControlUnit(), 0) << s;
    EXPECT_DOUBLE_EQ(string->GetCell(5)->HighAlarm, 14.0) << s;
    EXPECT_DOUBLE_EQ(string->GetCell(0)->LowResistance, 1.0) << s;
    EXPECT_DOUBLE_EQ(string->GetCurrent(0)->HighAlarm, 50.0) << s;
    EXPECT_DOUBLE_EQ(string->GetTemperature(0)->LowAlarm, 10.0) << s;
  }

  // Back on the tree page: both strings went on control unit 1, which now
  // has its button, and the system passes the check behind Next.
  TControlUnitBar* bar = main.tbarControlUnits();
  EXPECT_EQ(bar->ButtonCount(), 1);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(main.tbarConfigUPS()->isVisible());
  ASSERT_TRUE(main.btnNext()->isEnabled()) << main.btnNext()->toolTip().toStdString();
  // Passing the check clears the reason Next was off (the status line keeps its last text).
  EXPECT_EQ(main.btnNext()->toolTip().toStdString(), "");

  // Next: the grid; Next: the save dialog, answered with a file in the temporary folder.
  QTest::mouseClick(main.btnNext(), Qt::LeftButton);
  EXPECT_EQ(main.StatusLine()->currentMessage().toStdString(), "Verify the setup");
  const std::string path = dir / "BatConfig.cfg";
  services.files.Choose(path);
  QTest::mouseClick(main.btnNext(), Qt::LeftButton);
  ASSERT_EQ(services.files.asked.size(), 1u);
  EXPECT_EQ(main.StatusLine()->currentMessage().toStdString(), "Saved " + path);
  EXPECT_EQ(main.btnNext()->text().toStdString(), "&Finish");

  ASSERT_TRUE(std::filesystem::exists(path));
  bool crlf = false;
  const std::vector<std::string> lines = SplitLines(ReadText(path), crlf);
  EXPECT_TRUE(crlf) << "every line ends in CR LF";
  // The header, the 8 input rows of the one control unit, and per string its
  // 6 channels laid out on 2 full DCMs (2 cells and 2 null channels, then 4 cells).
  const std::size_t expectedLines = 1 + 8 + 2 * 8;
  ASSERT_EQ(lines.size(), expectedLines);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    rows.push_back(Fields(lines[i]));
    ASSERT_EQ(rows.back().size(), 29u) << "line " << i << ": " << lines[i];
  }
  EXPECT_EQ(rows[0][0], "PC");
  EXPECT_EQ(rows[0][28], "SP1");
  // Input 1: the first string's probe; input 3: its sensor; the first row
  // also carries the system-wide limits.
  EXPECT_EQ(rows[1][2], "1");
  EXPECT_EQ(rows[1][5], "C");
  EXPECT_EQ(rows[1][6], "1");
  EXPECT_EQ(rows[1][26], "50");
  EXPECT_EQ(rows[1][20], "14");
  EXPECT_EQ(rows[1][21], "12");
  EXPECT_EQ(rows[1][22], "5");
  EXPECT_EQ(rows[1][23], "1");
  EXPECT_EQ(rows[1][24], "40");
  EXPECT_EQ(rows[1][25], "10");
  EXPECT_EQ(rows[2][13], "North 2");  // the second string's probe
  EXPECT_EQ(rows[2][26], "50");
  EXPECT_EQ(rows[3][7], "1");
  EXPECT_EQ(rows[3][14], "Ambient");
  EXPECT_EQ(rows[3][16], "1");
  EXPECT_EQ(rows[4][16], "2");
  // First channel row: DCM 1 channel 1 of North 1, with the answered limits.
  const std::vector<std::string>& cell = rows[9];
  EXPECT_EQ(cell[3], "1");
  EXPECT_EQ(cell[4], "1");
  EXPECT_EQ(cell[5], "Z");
  EXPECT_EQ(cell[12], "North");
  EXPECT_EQ(cell[13], "North 1");
  EXPECT_EQ(cell[17], "1");
  EXPECT_EQ(cell[20], "14");
  EXPECT_EQ(cell[21], "12");
  EXPECT_EQ(cell[22], "5");
  EXPECT_EQ(cell[23], "1");
  // Rows 11 and 12 are the null channels that fill the first DCM.
  EXPECT_EQ(rows[11][15], "");
  EXPECT_EQ(rows[11][17], "");
  EXPECT_EQ(rows[12][4], "4");
  // The last row: DCM 4 channel 4, the sixth cell of North 2.
  const std::vector<std::string>& last = rows.back();
  EXPECT_EQ(last[3], "4");
  EXPECT_EQ(last[4], "4");
  EXPECT_EQ(last[13], "North 2");
  EXPECT_EQ(last[16], "2");
  EXPECT_EQ(last[17], "6");
  EXPECT_TRUE(services.messages.messages.empty()) << services.messages.LastText();

  // Finish asks only about the unsaved description: the file was written.
  services.messages.Answer(TMsgAnswer::Discard);
  QTest::mouseClick(main.btnNext(), Qt::LeftButton);
  EXPECT_FALSE(main.isVisible());
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), "Save changes to Untitled?");
}
