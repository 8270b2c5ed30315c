// The main window's settings file and form storage across two runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "DescribedSystems.h"
#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "TempFiles.h"
#include "common/ZMSafeFile.h"
#include "wizard/Main.h"
#include "wizard/MainSettings.h"
#include "WriteFaults.h"

TEST(SettingsAndFormStorage, GlobalAlarmTickAndSizeComeBackWithoutTheCaption) {
  TFakeServices services;
  TTempFolder dir;
  const std::string settings = dir / "ZMConfigWizard.ini";
  const std::string forms = dir / "ZMConfigWizard.INI";
  {
    TfmConfigWizard window;
    window.UseSettings(settings, forms);
    window.show();
    window.resize(800, 500);
    ASSERT_TRUE(TriggerEnabled(FindNamed<QAction>(&window, "mnuVersion2AlarmCompatibility")));
    EXPECT_EQ(window.windowTitle(), "Configuration Wizard - Global alarm setting only");
    // The tick belongs to the description too, which is not saved.
    services.messages.Answer(TMsgAnswer::Discard);
    window.close();
    EXPECT_FALSE(window.isVisible());
  }
  TfmConfigWizard window;
  EXPECT_EQ(window.width(), 613);
  window.UseSettings(settings, forms);
  EXPECT_EQ(window.width(), 800);
  EXPECT_EQ(window.height(), 500);
  QAction* global = FindNamed<QAction>(&window, "mnuVersion2AlarmCompatibility");
  EXPECT_TRUE(global->isChecked());
  EXPECT_TRUE(window.Logic().GlobalAlarmSetting);
  EXPECT_EQ(window.windowTitle(), "Configuration Builder");
  ASSERT_TRUE(TriggerEnabled(global));
  EXPECT_FALSE(global->isChecked());
  EXPECT_EQ(window.windowTitle(), "Configuration Wizard");
}

TEST(SettingsAndFormStorage, InitialDirOfTheSettingsFileOpensTheSaveDialogThere) {
  TFakeServices services;
  TTempFolder dir;
  WriteText(dir / "ZMConfigWizard.ini", "[Settings]\r\nInitialDir=" + (dir / "Configs") + "\r\n");
  TfmConfigWizard window;
  window.Logic().BuiltInSaveFolder = "/home/installer/Documents";
  window.UseSettings(dir / "ZMConfigWizard.ini", {});
  PutOnFirstControlUnit(window.Logic(), AddStringOfFourCells(window.Logic().System().GetBattery(0)));
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  services.files.Choose("");
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  ASSERT_EQ(services.files.asked.size(), 1u);
  EXPECT_EQ(services.files.asked[0].InitialDir, dir / "Configs");

  // Without the key the built-in folder stays.
  TfmConfigWizard other;
  other.Logic().BuiltInSaveFolder = "/home/installer/Documents";
  other.UseSettings(dir / "missing.ini", {});
  EXPECT_EQ(other.Logic().InitialDir, "");
}

TEST(SettingsAndFormStorage, OpeningMaximizedKeepsTheRestoredSizeForTheNextRun) {
  TFakeServices services;
  TTempFolder dir;
  const std::string forms = dir / "ZMConfigWizard.INI";
  ASSERT_TRUE(TFormStorage(forms).Save(700, 500, false));
  {
    TfmConfigWizard window;
    window.UseSettings(dir / "missing.ini", forms);
    window.ShowAtStartUp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.isMaximized());
    window.close();
  }
  // The window was never made smaller or larger by the user: its size stays.
  const TFormPlacement stored = TFormStorage(forms).Restore(0, 0);
  EXPECT_EQ(stored.Width, 700);
  EXPECT_EQ(stored.Height, 500);
}

TEST(SettingsAndFormStorage, AFormStorageThatCannotBeWrittenIsNamedOnceAndTheWindowStillCloses) {
  for (const auto& fault : kWriteFaults) {
    SCOPED_TRACE(std::strerror(fault.error));
    TFakeServices services;
    TTempFolder dir;
    const std::string forms = dir / "ZMConfigWizard.INI";
    const std::string earlier = "[TfmConfigWizard]\r\nForm width=700\r\n";
    WriteText(forms, earlier);
    TfmConfigWizard window;
    window.UseSettings(dir / "ZMConfigWizard.ini", forms);
    window.show();
    window.resize(900, 650);
    {
      TSafeWriteFault failing(fault.step, fault.error);
      window.close();
    }
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadText(forms), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    ASSERT_EQ(services.messages.messages.size(), 1u);
    EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
    EXPECT_NE(services.messages.LastText().find(forms), std::string::npos) << services.messages.LastText();
    EXPECT_NE(services.messages.LastText().find(std::strerror(fault.error)), std::string::npos);
  }
}
