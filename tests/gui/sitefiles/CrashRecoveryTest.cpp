// Crash recovery with a real process: the program is started offscreen with a
// site file, a scripted change is made in it, it writes its own recovery
// copy, and it is killed. The next start offers the copy and restores the
// description exactly, as an unsaved one.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "SiteModelGenerator.h"
#include "TempFiles.h"
#include "app/ZMWindows.h"
#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/fmWalkThrough.h"
#include "wizard/Main.h"
#include "wizard/MainSiteFiles.h"

TEST(CrashRecovery, KilledProgramOffersItsRecoveryCopyAndRestoresTheDescriptionExactly) {
  TTempFolder dir;
  TzmUPSSystem system;
  TSiteSettings settings;
  TSiteModelGenerator(5).Generate(system, settings);
  UseBoxValues(settings);
  SaveSiteFile(dir / "site.zmsite", system, settings);
  // What the description is after the scripted change.
  system.GetBattery(0)->SetName("Renamed after opening");
  const std::string expected = WriteSiteFile(system, settings);

  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("HOME", QString::fromStdString(dir / "home"));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir / "config"));
  env.insert("XDG_STATE_HOME", QString::fromStdString(dir / "state"));
  env.insert("ZM_TEST_RENAME_FIRST_BATTERY", "Renamed after opening");
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(ZM_PROGRAM), {QString::fromStdString(dir / "site.zmsite")});
  ASSERT_TRUE(program.waitForStarted(10000));
  const std::string copy = dir / "state/ZMConfigWizard/recovery.zmsite";
  QDeadlineTimer deadline(20000);
  while (!std::filesystem::exists(copy) && !deadline.hasExpired() && program.state() == QProcess::Running)
    QTest::qWait(50);
  ASSERT_TRUE(std::filesystem::exists(copy)) << program.readAllStandardError().toStdString();
  program.kill();  // SIGKILL: no clean exit
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(ReadText(copy), expected);

  // The next start, with the same folders.
  TFakeServices services;
  setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
  services.messages.Answer(TMsgAnswer::Yes);
  TZMWindows windows(dir / "ZMConfigWizard", dir / "config", /*startUp=*/true);
  TfmConfigWizard& main = windows.Main();
  main.show();
  QTRY_COMPARE(services.messages.messages.size(), size_t{1});
  EXPECT_EQ(services.messages.messages[0].buttons, TMsgButtons::YesNo);
  EXPECT_NE(services.messages.messages[0].text.find("A recovery copy of the unsaved description was saved at"),
            std::string::npos);
  EXPECT_EQ(main.SiteFiles().Document().CurrentText(), expected);
  EXPECT_TRUE(main.isWindowModified());
  EXPECT_EQ(main.windowTitle(), "Untitled[*] - Configuration Builder");
  EXPECT_FALSE(windows.Walkthru().isVisible());
  // A clean exit (the description discarded) removes the copy.
  services.messages.Answer(TMsgAnswer::Discard);
  main.close();
  EXPECT_FALSE(std::filesystem::exists(copy));
}
