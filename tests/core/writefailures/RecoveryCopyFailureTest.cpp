// The recovery copy with the disk failing at each step of the safe writer:
// the earlier copy stays byte for byte, no temporary file is left, the user
// hears of it once for a run of failures, and the copy is not taken as written.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <set>

#include "FakeUserInterface.h"
#include "TempFiles.h"
#include "WriteFaults.h"
#include "sitefile/ZMSiteDocument.h"
#include "wizard/MainWizard.h"

namespace fs = std::filesystem;

TEST(WriteFailures, RecoveryCopyKeepsTheEarlierCopyAndSaysWhyOncePerRunOfFailures) {
  TFakeServices services;
  TTempFolder dir;
  TConfigWizardLogic logic;
  logic.FormCreate();
  TSiteDocument doc(logic);
  std::atomic<int> attempts{0};
  std::vector<std::string> told;
  doc.OnRecoveryCopyFinished = [&] { ++attempts; };
  doc.OnRecoveryFailure = [&](const std::string& message) { told.push_back(message); };
  doc.MarkUnmodified();
  const fs::path state = dir.Path() / "state";
  doc.UseRecoveryFolder(state.string());
  const std::string copy = doc.Recovery().Path();

  // A change as the window handles it: the timer's tick hands the description
  // to the copy's thread; once that is done, the window's thread takes the outcome.
  auto tick = [&] {
    doc.WriteRecoveryCopy();
    doc.Recovery().Flush();
    doc.RecoveryCopyFinished();
  };
  auto change = [&](const std::string& name) {
    logic.System().GetBattery(0)->SetName(name);
    doc.CheckForChanges();
    ASSERT_TRUE(doc.RecoveryDue());
    tick();
  };
  change("Earlier");
  ASSERT_EQ(ReadText(copy), doc.CurrentText());
  ASSERT_EQ(attempts, 1);

  for (const auto& fault : kWriteFaults) {
    SCOPED_TRACE(std::string("failing with ") + std::strerror(fault.error));
    const std::string earlier = ReadText(copy);
    told.clear();
    {
      TSafeWriteFault failing(fault.step, fault.error);
      change("Failing");
      // Not written: due again, and the next tick tries again, without telling again.
      EXPECT_TRUE(doc.RecoveryDue());
      tick();
      change("Failing again");
    }
    EXPECT_EQ(ReadText(copy), earlier);
    std::set<std::string> entries;
    for (const fs::directory_entry& e : fs::directory_iterator(state)) entries.insert(e.path().filename().string());
    EXPECT_EQ(entries, std::set<std::string>{"recovery.zmsite"});
    EXPECT_TRUE(doc.RecoveryDue());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("Recovery copy"), std::string::npos) << told[0];
    EXPECT_NE(told[0].find(copy), std::string::npos) << told[0];
    EXPECT_NE(told[0].find(std::strerror(fault.error)), std::string::npos) << told[0];

    // The disk works again: the next tick writes the copy and the note goes.
    tick();
    EXPECT_EQ(ReadText(copy), doc.CurrentText());
    EXPECT_FALSE(doc.RecoveryDue());
    EXPECT_EQ(told, (std::vector<std::string>{told[0], ""}));
  }
  EXPECT_EQ(attempts, 1 + 4 * 4);
  EXPECT_TRUE(services.messages.messages.empty()) << services.messages.LastText();
}
