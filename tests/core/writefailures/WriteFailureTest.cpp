// Every writer of the core with the disk failing at each step of the safe
// writer: the earlier file stays byte for byte, no temporary file is left, the
// user gets one message naming the file and the reason, and nothing reports
// success.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

#include "DescribedSystems.h"
#include "FakeUserInterface.h"
#include "TempFiles.h"
#include "alarms/fmAlarmSetLogic.h"
#include "cli/ZMConfigCli.h"
#include "common/ZMSafeFile.h"
#include "sitefile/ZMSiteFile.h"
#include "wizard/MainSettings.h"
#include "wizard/MainWizard.h"
#include "WriteFaults.h"

namespace fs = std::filesystem;

namespace {
// What the user was told by one attempt to write `target`.
struct TOutcome {
  bool succeeded = false;
  std::vector<std::string> messages;
};

// The description the file writers build from: one string on control unit 1.
std::string WriteInputSite(const TTempFolder& inputs) {
  TzmUPSSystem system;
  system.Root()->AddChild();
  TzmUPSStringSystemNode* s = AddStringOfFourCells(system.GetBattery(0));
  SetHandWorkedLimits(s);
  s->SetControlUnit(0);
  TSiteSettings settings;
  settings.ControlUnitButtons = 1;
  const std::string path = inputs / "site.zmsite";
  SaveSiteFile(path, system, settings);
  return path;
}

TOutcome SaveFromTheSavePage(const std::string& target) {
  TFakeServices services;
  TStatusOnlyView view;
  TConfigWizardLogic wizard;
  wizard.SetView(&view);
  wizard.FormCreate();
  PutOnFirstControlUnit(wizard, AddStringOfFourCells(wizard.System().GetBattery(0)));
  wizard.btnNextClick();  // to "Verify the setup"
  services.files.Choose(target);
  wizard.btnNextClick();  // the save dialog, then the file
  TOutcome outcome;
  outcome.succeeded = wizard.FileSaved() || view.Status.rfind(kStatusSaved, 0) == 0;
  for (const TRecordedMessage& m : services.messages.messages) outcome.messages.push_back(m.text);
  return outcome;
}

TOutcome RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  TOutcome outcome;
  outcome.succeeded = RunZmConfig(args, out, err) == 0;
  std::istringstream lines(err.str());
  for (std::string line; std::getline(lines, line);) outcome.messages.push_back(line);
  return outcome;
}

TOutcome SaveAlarmDefaults(const std::string& target) {
  TFakeServices services;
  TOutcome outcome;
  try {
    TAlarmSettingsLogic(TSettingsFileLocation::Fixed(target)).SaveAlarmDefaults();
    outcome.succeeded = true;
  } catch (const ESafeFileError& e) {
    outcome.messages.push_back(e.what());
  }
  return outcome;
}

TOutcome SaveFormStorage(const std::string& target) {
  TOutcome outcome;
  std::string failure;
  outcome.succeeded = TFormStorage(target).Save(800, 600, true, &failure);
  if (!failure.empty()) outcome.messages.push_back(failure);
  return outcome;
}

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}
}  // namespace

TEST(WriteFailures, EveryWriterKeepsTheEarlierFileAndSaysWhy) {
  TTempFolder inputs;
  const std::string site = WriteInputSite(inputs);
  const std::string cfg = std::string(ZM_TEST_DATA_DIR) + "/OneStringOfFourCells.cfg";

  struct TWriter {
    const char* name;
    const char* fileName;
    std::function<TOutcome(const std::string& target)> write;
  };
  const TWriter writers[] = {
      {"configuration file from the save page", "BatConfig.cfg", SaveFromTheSavePage},
      {"configuration file from zmconfig build", "BatConfig.cfg",
       [&](const std::string& t) { return RunCli({"build", site, "-o", t}); }},
      {"site file from zmconfig import", "site.zmsite",
       [&](const std::string& t) { return RunCli({"import", cfg, "-o", t}); }},
      {"settings file", "ZMConfigWizard.ini", SaveAlarmDefaults},
      {"form storage", "ZMConfigWizard.INI", SaveFormStorage},
  };

  for (const TWriter& writer : writers) {
    // Each writer succeeds without a fault, so the failures below are the faults'.
    {
      TTempFolder folder;
      const TOutcome fine = writer.write(folder / writer.fileName);
      EXPECT_TRUE(fine.succeeded) << writer.name;
      EXPECT_TRUE(fs::exists(folder / writer.fileName)) << writer.name;
    }
    for (const auto& fault : kWriteFaults) {
      SCOPED_TRACE(std::string(writer.name) + ", failing with " + std::strerror(fault.error));
      TTempFolder folder;
      const std::string target = folder / writer.fileName;
      const std::string earlier = "[Earlier]\r\nbytes=\x01\xfe kept\r\n";
      WriteText(target, earlier);
      TOutcome outcome;
      {
        TSafeWriteFault failing(fault.step, fault.error);
        outcome = writer.write(target);
      }
      EXPECT_FALSE(outcome.succeeded);
      EXPECT_EQ(ReadText(target), earlier);
      EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{writer.fileName});
      ASSERT_EQ(outcome.messages.size(), 1u);
      EXPECT_NE(outcome.messages[0].find(target), std::string::npos) << outcome.messages[0];
      EXPECT_NE(outcome.messages[0].find(std::strerror(fault.error)), std::string::npos) << outcome.messages[0];
    }
  }
}
