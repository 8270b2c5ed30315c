// Every item of the main window's menus, opened once on the program's real
// window set: nothing crashes, the items that are always off stay off, and
// every window an item opens is closed again.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>
#include <map>
#include <set>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "TempFiles.h"
#include "app/ZMHelp.h"
#include "app/ZMWindows.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "wizard/Main.h"

namespace {
// While an item runs: closes each modal dialog it opens (Cancel) and records
// the dialog's name.
std::vector<std::string> RunClosingModals(const std::function<void()>& command) {
  std::vector<std::string> seen;
  QTimer poll;
  poll.setInterval(5);
  bool busy = false;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (busy || !dialog || !dialog->isVisible()) return;
    busy = true;
    seen.push_back(dialog->objectName().toStdString());
    dialog->reject();
    busy = false;
  });
  poll.start();
  command();
  poll.stop();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  return seen;
}

// Top-level windows shown now, but for `except`.
std::set<QWidget*> ShownWindows(QWidget* except) {
  std::set<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != except && w->isVisible() && !qobject_cast<QMenu*>(w)) shown.insert(w);
  return shown;
}

struct TItemRun {
  bool enabled = false;
  std::vector<std::string> modals;
  std::vector<std::string> windows;  // non-modal windows it opened (closed again)
};

class MenuWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    windows = std::make_unique<TZMWindows>(dir / "ZMConfigWizard", dir / "config");
    main = &windows->Main();
    ShowMain();
  }
  void TearDown() override {
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(ShownWindows(main).empty());
    windows.reset();
  }
  void ShowMain() {
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  }

  // Opens each menu of `bar` and runs each of its items in turn, as a user
  // who reopens the menu for every item.
  std::map<std::string, TItemRun> Walk(QMenuBar* bar, const std::function<void()>& prepare = {}) {
    std::map<std::string, TItemRun> runs;
    for (QAction* top : bar->actions()) {
      QMenu* menu = top->menu();
      const int count = menu ? static_cast<int>(menu->actions().size()) : 1;
      for (int i = 0; i < count; ++i) {
        if (prepare) prepare();
        if (menu) emit menu->aboutToShow();
        QAction* item = menu ? menu->actions().at(i) : top;
        if (item->isSeparator() || !item->isVisible()) continue;
        const std::string name = item->objectName().toStdString();
        EXPECT_FALSE(name.empty()) << item->text().toStdString();
        TItemRun& run = runs[name];
        const std::set<QWidget*> before = ShownWindows(main);
        run.modals = RunClosingModals([&] { run.enabled = TriggerEnabled(item); });
        for (QWidget* w : ShownWindows(main)) {
          if (before.count(w)) continue;
          run.windows.push_back(w->metaObject()->className());
          w->close();
        }
        if (!main->isVisible()) ShowMain();
      }
    }
    return runs;
  }

  TFakeServices services;
  TTempFolder dir;
  TZMHelp help;
  std::unique_ptr<TZMWindows> windows;
  TfmConfigWizard* main = nullptr;
};
}  // namespace

TEST_F(MenuWalk, EveryItemOfTheTreePageAndGridPageMenusRunsAndClosesWhatItOpens) {
  // Before each item the user clicks the first battery when nothing is
  // selected (File New leaves no selection), so that the Configure items are on.
  TzmTreeview* tree = main->TreePanel()->Tree();
  auto selectBattery = [&] {
    if (!tree->SelectedNodes().empty()) return;
    const QModelIndex battery = tree->IndexOfNode(main->Logic().System().GetBattery(0));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(battery).center());
  };
  ASSERT_EQ(main->CurrentMenu(), main->MainMenu());

  // File New asks first; Yes starts over and opens the battery setup. Open,
  // Save (no name yet), Save As and Import show their file dialogs, cancelled here.
  services.messages.Answer(TMsgAnswer::Yes);
  services.files.Choose("").Choose("").Choose("").Choose("");
  std::map<std::string, TItemRun> runs = Walk(main->MainMenu(), selectBattery);
  EXPECT_EQ(services.files.kinds, (std::vector<std::string>{"open", "save", "save", "open"}));
  for (const char* name : {"FileOpenItem", "FileSaveItem", "FileSaveAsItem", "FileImportItem"})
    EXPECT_TRUE(runs[name].enabled) << name;

  const char* const alwaysOff[] = {"FilePrintItem", "FilePrintSetupItem"};
  for (const char* name : alwaysOff) {
    ASSERT_EQ(runs.count(name), 1u) << name;
    EXPECT_FALSE(runs[name].enabled) << name;
    EXPECT_FALSE(FindNamed<QAction>(main, name)->isEnabled()) << name;
  }
  const std::map<std::string, std::vector<std::string>> opens = {
      {"FileNewItem", {"fmConfigureBatteries"}},  {"mnuBatterySetup", {"fmConfigureBatteries"}},
      {"mnuStringSetup", {"fmConfigureString"}},  {"mnuAlarmLimits", {"fmAlarmSettings"}},
      {"HelpAboutItem", {"fmAboutBox"}},          {"FileExitItem", {}},
      {"mnuVersion2AlarmCompatibility", {}},     {"mnuWalkThrough", {"fmWalkthru"}},
  };
  for (const auto& [name, modals] : opens) {
    ASSERT_EQ(runs.count(name), 1u) << name;
    EXPECT_TRUE(runs[name].enabled) << name;
    EXPECT_EQ(runs[name].modals, modals) << name;
  }
  EXPECT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), kAskStartOver);
  // The help items show the help window, which is not modal.
  for (const char* name : {"HelpContentsItem", "HelpSearchItem", "HelpHowToUseItem"}) {
    EXPECT_TRUE(runs[name].enabled) << name;
    EXPECT_TRUE(runs[name].modals.empty()) << name;
    EXPECT_EQ(runs[name].windows, std::vector<std::string>{"TfmHelpViewer"}) << name;
  }
  // Leaving walk-through mode gave the tree page its tool bar and buttons back.
  EXPECT_TRUE(main->tbarConfigUPS()->isVisible());
  EXPECT_TRUE(main->pnlDirection()->isVisible());
  // The global alarm tick was turned on once; turn it off again.
  QAction* global = FindNamed<QAction>(main, "mnuVersion2AlarmCompatibility");
  EXPECT_TRUE(global->isChecked());
  ASSERT_TRUE(TriggerEnabled(global));
  EXPECT_EQ(main->windowTitle(), "Configuration Wizard");

  // Onto the grid page with a described system.
  TConfigWizardLogic& logic = main->Logic();
  TzmUPSBatterySystemNode* first = logic.System().GetBattery(0);
  ASSERT_NE(first, nullptr);
  if (first->StringCount() == 0) first->AddChild();
  TzmUPSStringSystemNode* string = first->GetString(0);
  string->SetCellCount(4);
  string->SetCurrentCount(1);
  logic.ControlUnits().AddControlUnitButton();
  for (int b = 0; b < logic.System().BatteryCount(); ++b)
    for (int s = 0; s < logic.System().GetBattery(b)->StringCount(); ++s)
      logic.System().GetBattery(b)->GetString(s)->SetControlUnit(0);
  logic.UpdateWizardButtons();
  ASSERT_TRUE(main->btnNext()->isEnabled()) << main->StatusLine()->currentMessage().toStdString();
  QTest::mouseClick(main->btnNext(), Qt::LeftButton);
  ASSERT_EQ(main->CurrentMenu(), main->mmuGrid());

  // Save asks for a file name.
  const std::string path = dir / "walk.cfg";
  services.files.Choose(path);
  // Exit asks about the unsaved description first: Cancel keeps the window.
  services.messages.Answer(TMsgAnswer::Cancel);
  runs = Walk(main->mmuGrid());
  for (const char* name : {"Save1", "Exit1", "mnuEditConfiguration", "About1"}) {
    ASSERT_EQ(runs.count(name), 1u) << name;
    EXPECT_TRUE(runs[name].enabled) << name;
  }
  EXPECT_EQ(runs["About1"].modals, std::vector<std::string>{"fmAboutBox"});
  EXPECT_EQ(services.files.asked.size(), 5u);
  EXPECT_FALSE(ReadText(path).empty());
  // Editing was turned on, so Cut and Copy were offered, and after Copy the
  // paste, which is refused onto the copied block itself.
  EXPECT_TRUE(runs["actGridEditCut"].enabled);
  EXPECT_TRUE(runs["actGridEditCopy"].enabled);
  EXPECT_TRUE(runs["actGridEditPaste"].enabled);
  ASSERT_EQ(services.messages.messages.size(), 3u);
  EXPECT_EQ(services.messages.messages[1].text, "Save changes to Untitled?");
  EXPECT_EQ(services.messages.LastText(), "Cannot copy block onto itself.");
  for (const auto& [name, run] : runs) EXPECT_TRUE(run.windows.empty()) << name;

  // The description is not saved; after the walk the grid may have changed
  // since the save: the close asks.
  services.messages.Answer(TMsgAnswer::Discard);
  if (logic.Grid().Modified()) services.messages.Answer(TMsgAnswer::Yes);
  main->close();
  EXPECT_FALSE(main->isVisible());
}
