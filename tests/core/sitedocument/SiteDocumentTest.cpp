// The site document: unsaved changes, the Save/Discard/Cancel question before
// New, Open and closing, opening a file into the program, and the recovery copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "FakeUserInterface.h"
#include "SiteModelGenerator.h"
#include "TempFiles.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteDocument.h"
#include "wizard/MainWizard.h"

namespace {
struct TDocumentFixture : ::testing::Test {
  TFakeServices services;
  TTempFolder dir;
  TConfigWizardLogic logic;
  std::unique_ptr<TSiteDocument> doc;
  TSiteAlarmDialog alarmDialog;

  void SetUp() override {
    logic.FormCreate();
    doc = std::make_unique<TSiteDocument>(logic);
    doc->ReadAlarmDialog = [this] { return alarmDialog; };
    doc->ApplyAlarmDialog = [this](const TSiteAlarmDialog& values) { alarmDialog = values; };
    logic.OnNewSystemStarted = [this] { doc->NewSystemStarted(); };
    doc->MarkUnmodified();
  }

  // A site file of a generated installation on disk.
  std::string WriteGenerated(const std::string& name, std::uint32_t seed, TSiteSettings& settings) {
    TzmUPSSystem system;
    TSiteModelGenerator(seed).Generate(system, settings);
    SaveSiteFile(dir / name, system, settings);
    return dir / name;
  }

  void Change() {
    logic.System().GetBattery(0)->SetName("Changed");
    doc->CheckForChanges();
  }
};
}  // namespace

TEST_F(TDocumentFixture, EveryChangeCountsAndUndoingItMakesTheDescriptionUnmodifiedAgain) {
  EXPECT_FALSE(doc->Modified());
  auto* string = static_cast<TzmUPSStringSystemNode*>(logic.System().GetBattery(0)->AddChild());
  doc->CheckForChanges();
  EXPECT_TRUE(doc->Modified());
  string->SetCellCount(3);
  doc->MarkUnmodified();
  // A change deep in the model, and the same value again.
  const double high = string->GetCell(2)->HighAlarm;
  string->GetCell(2)->HighAlarm = 2.25;
  doc->CheckForChanges();
  EXPECT_TRUE(doc->Modified());
  string->GetCell(2)->HighAlarm = high;
  doc->CheckForChanges();
  EXPECT_FALSE(doc->Modified());
  // The settings that travel with the description.
  logic.ControlUnits().AddControlUnitButton();
  doc->CheckForChanges();
  EXPECT_TRUE(doc->Modified());
  logic.ControlUnits().SetButtonCount(0);
  doc->CheckForChanges();
  EXPECT_FALSE(doc->Modified());
  alarmDialog.Chemistry = TCellChemistry::chWet;
  doc->CheckForChanges();
  EXPECT_TRUE(doc->Modified());
}

TEST_F(TDocumentFixture, SaveDiscardCancelComeBeforeTheQuestionsOfNewOpenAndClosing) {
  TSiteSettings settings;
  const std::string other = WriteGenerated("other.zmsite", 7, settings);
  const std::string saved = dir / "mine.zmsite";
  struct TCase {
    const char* what;
    TMsgAnswer answer;
    std::function<bool()> command;  // true when the command went on
  };
  const std::vector<TCase> cases = {
      {"New, Cancel", TMsgAnswer::Cancel, [&] { TzmUPSSystem* s = &logic.System(); doc->FileNew(); return s != &logic.System(); }},
      {"Open, Cancel", TMsgAnswer::Cancel, [&] { return doc->Open(); }},
      {"recent, Cancel", TMsgAnswer::Cancel, [&] { return doc->OpenFile(other); }},
      {"close, Cancel", TMsgAnswer::Cancel, [&] { return doc->CloseQuery(); }},
  };
  for (const TCase& c : cases) {
    Change();
    TzmUPSSystem* system = &logic.System();
    services.messages.messages.clear();
    services.messages.Answer(c.answer);
    EXPECT_FALSE(c.command()) << c.what;
    ASSERT_EQ(services.messages.messages.size(), 1u) << c.what;
    EXPECT_EQ(services.messages.messages[0].text, "Save changes to Untitled?") << c.what;
    EXPECT_EQ(services.messages.messages[0].buttons, TMsgButtons::SaveDiscardCancel) << c.what;
    EXPECT_EQ(&logic.System(), system) << c.what;
    EXPECT_EQ(logic.System().GetBattery(0)->Name(), "Changed") << c.what;
    EXPECT_TRUE(doc->Modified()) << c.what;
    EXPECT_TRUE(services.files.asked.empty()) << c.what;
  }

  // Discard: New goes on to its own question.
  services.messages.messages.clear();
  services.messages.Answer(TMsgAnswer::Discard).Answer(TMsgAnswer::Yes);
  doc->FileNew();
  ASSERT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(services.messages.messages[1].text, kAskStartOver);
  EXPECT_EQ(logic.System().GetBattery(0)->Name(), "Battery: 1");
  EXPECT_FALSE(doc->Modified());

  // Save without a name asks for one, saves, then opens the other file.
  Change();
  services.messages.messages.clear();
  services.messages.Answer(TMsgAnswer::Save);
  services.files.Choose(saved);
  EXPECT_TRUE(doc->OpenFile(other));
  EXPECT_EQ(services.files.kinds, std::vector<std::string>{"save"});
  EXPECT_EQ(services.files.asked[0].Filter, "Site files|*.zmsite");
  TzmUPSSystem reread;
  TSiteSettings rereadSettings;
  ASSERT_FALSE(OpenSiteFile(saved, reread, rereadSettings));
  EXPECT_EQ(reread.GetBattery(0)->Name(), "Changed");
  EXPECT_EQ(doc->FileName(), other);
  EXPECT_EQ(doc->DisplayName(), "other.zmsite");
  EXPECT_FALSE(doc->Modified());
  EXPECT_EQ(doc->RecentFiles(), (std::vector<std::string>{other, saved}));

  // Closing with Save writes the named file without a dialog.
  Change();
  services.messages.Answer(TMsgAnswer::Save);
  EXPECT_TRUE(doc->CloseQuery());
  EXPECT_EQ(services.messages.LastText(), "Save changes to other.zmsite?");
  EXPECT_EQ(services.files.asked.size(), 1u);
  ASSERT_FALSE(OpenSiteFile(other, reread, rereadSettings));
  EXPECT_EQ(reread.GetBattery(0)->Name(), "Changed");
}

TEST_F(TDocumentFixture, OpeningGivesTheFilesButtonsAlarmDialogAndTreePageAndARefusedFileChangesNothing) {
  // The bar has more buttons than the file: it gets exactly the file's count.
  logic.ControlUnits().EnsureButtons(9);
  TSiteSettings settings;
  const std::string path = WriteGenerated("site.zmsite", 3, settings);
  TzmUPSSystem expected;
  TSiteSettings expectedSettings;
  ASSERT_FALSE(OpenSiteFile(path, expected, expectedSettings));
  // Start from the grid page with a grid edited directly: leaving it asks first.
  logic.System().GetBattery(0)->SetChildCount(0);
  logic.SetStateForTest(wsVerify);
  logic.Grid().SetEdited(true);
  doc->MarkUnmodified();
  services.messages.Answer(TMsgAnswer::No);
  services.files.Choose(path);
  EXPECT_FALSE(doc->Open());
  EXPECT_EQ(logic.State(), wsVerify);
  EXPECT_EQ(logic.System().GetBattery(0)->StringCount(), 0);

  services.messages.Answer(TMsgAnswer::Yes);
  EXPECT_TRUE(doc->OpenFile(path));
  EXPECT_EQ(logic.State(), wsDefine);
  EXPECT_EQ(WriteSiteFile(logic.System(), doc->CurrentSettings()), WriteSiteFile(expected, expectedSettings));
  EXPECT_EQ(logic.ControlUnits().ButtonCount(), settings.ControlUnitButtons);
  EXPECT_EQ(alarmDialog, settings.AlarmDialog);
  EXPECT_EQ(logic.GlobalAlarmSetting, settings.GlobalAlarmSetting);

  // A file whose strings use control units beyond its button count gets
  // buttons for them; a broken one changes nothing.
  std::string text = ReadText(path);
  const std::string buttons = "\"ControlUnitButtons\": " + std::to_string(settings.ControlUnitButtons);
  ASSERT_NE(text.find(buttons), std::string::npos);
  WriteText(dir / "few.zmsite", std::string(text).replace(text.find(buttons), buttons.size(), "\"ControlUnitButtons\": 0"));
  EXPECT_TRUE(doc->OpenFile(dir / "few.zmsite"));
  int highest = -1;
  logic.System().ForEachNode({}, [&](TzmUPSStringSystemNode* s) { highest = std::max(highest, s->ControlUnit()); });
  EXPECT_EQ(logic.ControlUnits().ButtonCount(), highest + 1);

  WriteText(dir / "broken.zmsite", text.substr(0, text.size() / 2));
  const std::string before = doc->CurrentText();
  EXPECT_FALSE(doc->OpenFile(dir / "broken.zmsite"));
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Error);
  EXPECT_NE(services.messages.LastText().find("broken.zmsite"), std::string::npos);
  EXPECT_EQ(doc->CurrentText(), before);
  EXPECT_EQ(doc->FileName(), dir / "few.zmsite");
}

TEST_F(TDocumentFixture, RecoveryCopyFollowsUnsavedChangesAndIsOfferedOnlyWhenNewerThanACleanExit) {
  const std::string state = dir / "state";
  doc->UseRecoveryFolder(state);
  const std::string copy = doc->Recovery().Path();
  Change();
  ASSERT_TRUE(doc->RecoveryDue());
  doc->WriteRecoveryCopy();
  doc->Recovery().Flush();
  EXPECT_EQ(ReadText(copy), doc->CurrentText());
  EXPECT_FALSE(doc->RecoveryDue());

  // A save removes it; a new change brings it back; a clean exit removes it.
  services.files.Choose(dir / "a.zmsite");
  ASSERT_TRUE(doc->Save());
  EXPECT_FALSE(std::filesystem::exists(copy));
  logic.System().GetBattery(0)->SetName("Again");
  doc->CheckForChanges();
  doc->WriteRecoveryCopy();
  doc->Recovery().Flush();
  EXPECT_TRUE(std::filesystem::exists(copy));
  const std::string unsaved = doc->CurrentText();

  // The next start after a crash: Yes loads it as unsaved and untitled.
  {
    TConfigWizardLogic next;
    next.FormCreate();
    TSiteDocument restarted(next);
    restarted.UseRecoveryFolder(state);
    services.messages.Answer(TMsgAnswer::Yes);
    EXPECT_TRUE(restarted.OfferRecovery());
    EXPECT_NE(services.messages.LastText().find("Do you want to recover it?"), std::string::npos);
    EXPECT_EQ(restarted.CurrentText(), unsaved);
    EXPECT_TRUE(restarted.Modified());
    EXPECT_EQ(restarted.DisplayName(), "Untitled");
    restarted.CheckForChanges();
    EXPECT_TRUE(restarted.Modified());
  }
  // No removes it.
  {
    TConfigWizardLogic next;
    next.FormCreate();
    TSiteDocument restarted(next);
    restarted.UseRecoveryFolder(state);
    services.messages.Answer(TMsgAnswer::No);
    EXPECT_FALSE(restarted.OfferRecovery());
    EXPECT_FALSE(std::filesystem::exists(copy));
  }
  // A copy older than the last clean exit is not offered.
  WriteText(copy, unsaved);
  doc->Recovery().MarkCleanExit();
  WriteText(copy, unsaved);
  std::filesystem::last_write_time(copy, std::filesystem::last_write_time(copy) - std::chrono::hours(1));
  const size_t asked = services.messages.messages.size();
  EXPECT_FALSE(doc->OfferRecovery());
  EXPECT_EQ(services.messages.messages.size(), asked);
}
