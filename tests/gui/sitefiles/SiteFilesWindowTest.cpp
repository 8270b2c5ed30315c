// Site files in the real main window: save and open with the File keys, the
// title with the file's name and modified mark, the recent list, the question
// about unsaved changes before New, Open and closing, and a site file named
// on the command line.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "SiteModelGenerator.h"
#include "TempFiles.h"
#include "app/ZMWindows.h"
#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/fmWalkThrough.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/Main.h"
#include "wizard/MainSiteFiles.h"

namespace {
class SiteFilesWindow : public ::testing::Test {
 protected:
  void Start(bool startUp = false, const std::string& siteFile = {}) {
    windows = std::make_unique<TZMWindows>(dir / "ZMConfigWizard", dir / "config", startUp, siteFile);
    main = &windows->Main();
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  }
  // A change through the control unit bar: a new control unit for the battery.
  void Change() {
    main->Logic().System().GetBattery(0)->SelectInView();
    ASSERT_TRUE(TriggerEnabled(main->tbarControlUnits()->actAddControlUnit()));
  }
  std::string WriteSite(const std::string& name, TSiteSettings& settings) {
    TzmUPSSystem system;
    TSiteModelGenerator(11).Generate(system, settings);
    UseBoxValues(settings);
    SaveSiteFile(dir / name, system, settings);
    return dir / name;
  }
  std::string Title() const { return main->windowTitle().toStdString(); }

  TFakeServices services;
  TTempFolder dir;
  std::unique_ptr<TZMWindows> windows;
  TfmConfigWizard* main = nullptr;
};
}  // namespace

TEST_F(SiteFilesWindow, SaveAndOpenWithTheKeysMarkTheTitleAndFillTheRecentList) {
  Start();
  EXPECT_EQ(Title(), "Configuration Builder");
  Change();
  QTRY_VERIFY(main->isWindowModified());
  EXPECT_EQ(Title(), "Untitled[*] - Configuration Builder");

  // Ctrl+S without a name asks for one.
  services.files.Choose(dir / "plant.zmsite");
  QTest::keyClick(main, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(services.files.kinds, std::vector<std::string>{"save"});
  EXPECT_EQ(services.files.asked[0].Filter, "Site files|*.zmsite");
  EXPECT_TRUE(std::filesystem::exists(dir / "plant.zmsite"));
  EXPECT_FALSE(main->isWindowModified());
  EXPECT_EQ(Title(), "plant.zmsite[*] - Configuration Builder");
  const std::string saved = main->SiteFiles().Document().CurrentText();

  // Changed, then opened again over the change (discarding it).
  Change();
  QTRY_VERIFY(main->isWindowModified());
  EXPECT_EQ(main->Logic().ControlUnits().ButtonCount(), 2);
  services.messages.Answer(TMsgAnswer::Discard);
  services.files.Choose(dir / "plant.zmsite");
  QTest::keyClick(main, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(services.messages.LastText(), "Save changes to plant.zmsite?");
  EXPECT_EQ(main->SiteFiles().Document().CurrentText(), saved);
  EXPECT_EQ(main->tbarControlUnits()->ButtonCount(), 1);
  EXPECT_FALSE(main->isWindowModified());

  // Save As under a second name; the recent list is newest first, and comes
  // back in the next run, where its item opens the file.
  services.files.Choose(dir / "second.zmsite");
  QTest::keyClick(main, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Title(), "second.zmsite[*] - Configuration Builder");
  ASSERT_EQ(main->SiteFiles().RecentItems().size(), 2u);
  EXPECT_EQ(main->SiteFiles().RecentItems()[0]->text(), "&1 second.zmsite");
  EXPECT_EQ(main->SiteFiles().RecentItems()[1]->text(), "&2 plant.zmsite");
  main->close();
  windows.reset();

  Start();
  ASSERT_EQ(main->SiteFiles().RecentItems().size(), 2u);
  QAction* recent = FindNamed<QAction>(main, "mnuRecentSite2");
  ASSERT_TRUE(TriggerEnabled(recent));
  EXPECT_EQ(Title(), "plant.zmsite[*] - Configuration Builder");
  EXPECT_EQ(main->SiteFiles().Document().CurrentText(), saved);
}

TEST_F(SiteFilesWindow, UnsavedChangesAreAskedAboutBeforeNewOpenAndClosingAndCancelKeepsThem) {
  Start();
  Change();
  QAction* fileNew = FindNamed<QAction>(main, "FileNewItem");
  QAction* open = FindNamed<QAction>(main, "FileOpenItem");
  for (QAction* command : {fileNew, open}) {
    services.messages.Answer(TMsgAnswer::Cancel);
    ASSERT_TRUE(TriggerEnabled(command));
  }
  services.messages.Answer(TMsgAnswer::Cancel);
  main->close();
  EXPECT_TRUE(main->isVisible());
  ASSERT_EQ(services.messages.messages.size(), 3u);
  for (const TRecordedMessage& m : services.messages.messages) {
    EXPECT_EQ(m.text, "Save changes to Untitled?");
    EXPECT_EQ(m.buttons, TMsgButtons::SaveDiscardCancel);
  }
  EXPECT_TRUE(services.files.asked.empty());
  EXPECT_EQ(main->Logic().ControlUnits().ButtonCount(), 1);
  EXPECT_TRUE(main->isWindowModified());

  // Discard goes on to New's own question, answered No: nothing changes.
  services.messages.messages.clear();
  services.messages.Answer(TMsgAnswer::Discard).Answer(TMsgAnswer::No);
  ASSERT_TRUE(TriggerEnabled(fileNew));
  ASSERT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(services.messages.messages[1].text, "Are you sure you want to start over?");
  EXPECT_EQ(main->Logic().ControlUnits().ButtonCount(), 1);

  // Save on closing asks for a name, saves, and closes.
  services.messages.Answer(TMsgAnswer::Save);
  services.files.Choose(dir / "closing.zmsite");
  main->close();
  EXPECT_FALSE(main->isVisible());
  TzmUPSSystem reread;
  TSiteSettings settings;
  ASSERT_FALSE(OpenSiteFile(dir / "closing.zmsite", reread, settings));
  EXPECT_EQ(settings.ControlUnitButtons, 1);
}

TEST_F(SiteFilesWindow, SiteFileOnTheCommandLineOpensOnTheTreePageInsteadOfTheWalkThrough) {
  TSiteSettings settings;
  const std::string path = WriteSite("cmdline.zmsite", settings);
  TzmUPSSystem expected;
  TSiteSettings expectedSettings;
  ASSERT_FALSE(OpenSiteFile(path, expected, expectedSettings));
  Start(/*startUp=*/true, path);
  QTRY_VERIFY(Title() == "cmdline.zmsite[*] - Configuration Builder");
  QTest::qWait(50);
  EXPECT_FALSE(windows->Walkthru().isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_FALSE(main->isWindowModified());
  EXPECT_EQ(main->Logic().State(), wsDefine);
  EXPECT_EQ(WriteSiteFile(main->Logic().System(), main->SiteFiles().Document().CurrentSettings()),
            WriteSiteFile(expected, expectedSettings));
  ASSERT_GT(settings.ControlUnitButtons, 0);
  EXPECT_EQ(main->tbarControlUnits()->ButtonCount(), settings.ControlUnitButtons);
  EXPECT_TRUE(main->tbarControlUnits()->isVisible());
  EXPECT_EQ(main->Logic().System().BatteryCount(), expected.BatteryCount());
}

TEST_F(SiteFilesWindow, ImportingAConfigurationFileAsksFirstAndGivesAnUntitledDescriptionOfIt) {
  Start();
  Change();
  QAction* import = FindNamed<QAction>(main, "FileImportItem");
  services.messages.Answer(TMsgAnswer::Cancel);
  ASSERT_TRUE(TriggerEnabled(import));
  EXPECT_EQ(services.messages.LastText(), "Save changes to Untitled?");
  EXPECT_TRUE(services.files.asked.empty());

  // A file that is no configuration file is refused naming it, and nothing changes.
  const std::string before = main->SiteFiles().Document().CurrentText();
  WriteText(dir / "junk.cfg", std::string("\x01\x02\x00\xff binary", 11));
  services.messages.Answer(TMsgAnswer::Discard);
  services.files.Choose(dir / "junk.cfg");
  ASSERT_TRUE(TriggerEnabled(import));
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Error);
  EXPECT_NE(services.messages.LastText().find("junk.cfg"), std::string::npos) << services.messages.LastText();
  EXPECT_EQ(main->SiteFiles().Document().CurrentText(), before);

  // The hand-worked file: its description builds the same bytes again.
  const std::string cfg = ZM_TEST_DATA_DIR "/OneStringOfFourCells.cfg";
  services.messages.Answer(TMsgAnswer::Discard);
  services.files.Choose(cfg);
  ASSERT_TRUE(TriggerEnabled(import));
  EXPECT_EQ(services.files.asked.back().Filter, "Configuration Files|*.cfg|All files|*.*");
  EXPECT_EQ(ConfigFileTextOf(main->Logic().System(), main->SiteFiles().Document().CurrentSettings()),
            ReadText(cfg));
  EXPECT_EQ(Title(), "Untitled[*] - Configuration Builder");
  EXPECT_TRUE(main->isWindowModified());
}
