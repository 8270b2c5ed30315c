#include "sitefile/ZMSiteDocument.h"

#include <algorithm>
#include <filesystem>

#include "common/ZMUserInterface.h"
#include "import/ZMConfigImport.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFingerprint.h"
#include "wizard/MainWizard.h"

namespace fs = std::filesystem;

std::string AskSaveChangesText(const std::string& name) { return "Save changes to " + name + "?"; }

std::string AskRecoverText(const std::string& savedAt) {
  return "Configuration Builder was not closed properly. A recovery copy of the unsaved description was "
         "saved at " +
         savedAt + ".\r\rDo you want to recover it?";
}

std::string CannotOpenText(const std::string& path, const std::string& reason) {
  return "The site file \"" + path + "\" cannot be opened.\r\r" + reason;
}

std::string RecoveryFailedText(const std::string& reason) { return "Recovery copy not saved: " + reason; }

TSiteDocument::TSiteDocument(TConfigWizardLogic& logic)
    : Logic_(logic), Recovery_(std::make_unique<TRecoveryCopy>()) {}

TSiteDocument::~TSiteDocument() = default;

void TSiteDocument::UseRecentList(const std::string& formStoragePath) {
  Recent_ = TRecentSites(formStoragePath);
  Changed();
}

void TSiteDocument::UseRecoveryFolder(const std::string& folder) {
  Recovery_ = std::make_unique<TRecoveryCopy>(folder, [this] {
    if (OnRecoveryCopyFinished) OnRecoveryCopyFinished();
  });
  CopyWritten_ = false;
  RecoveryFingerprint_.reset();
  EndRecoveryFailure();
}

std::string TSiteDocument::DisplayName() const {
  return FileName_.empty() ? std::string(kSiteUntitled) : fs::path(FileName_).filename().string();
}

TSiteSettings TSiteDocument::CurrentSettings() const {
  TSiteSettings settings;
  settings.ControlUnitButtons = Logic_.ControlUnits().ButtonCount();
  settings.GlobalAlarmSetting = Logic_.GlobalAlarmSetting;
  if (ReadAlarmDialog) settings.AlarmDialog = ReadAlarmDialog();
  return settings;
}

std::string TSiteDocument::CurrentText() const { return WriteSiteFile(Logic_.System(), CurrentSettings()); }

std::uint64_t TSiteDocument::Fingerprint() const { return SiteFingerprint(Logic_.System(), CurrentSettings()); }

void TSiteDocument::Changed() {
  if (OnStateChanged) OnStateChanged();
}

void TSiteDocument::MarkUnmodified() {
  SavedFingerprint_ = LastFingerprint_ = Fingerprint();
  const bool was = Modified_;
  Modified_ = false;
  RemoveRecoveryCopy();
  if (was) Changed();
}

void TSiteDocument::CheckForChanges() {
  LastFingerprint_ = Fingerprint();
  const bool modified = LastFingerprint_ != SavedFingerprint_;
  // Back to the saved description: no copy is needed any more.
  if (!modified) RemoveRecoveryCopy();
  if (modified == Modified_) return;
  Modified_ = modified;
  Changed();
}

void TSiteDocument::WriteRecoveryCopy() {
  if (!RecoveryDue()) return;
  // The text is made here, where the model is not changing; the file is
  // written on the copy's thread.
  Recovery_->WriteAsync(CurrentText());
  RecoveryFingerprint_ = LastFingerprint_;
  CopyWritten_ = true;
}

void TSiteDocument::RecoveryCopyFinished() {
  const std::optional<std::string> failure = Recovery_->LastFailure();
  if (!failure) {
    EndRecoveryFailure();
    return;
  }
  // The copy does not hold the description: it is written again with the
  // next change, but the user hears of it only once.
  RecoveryFingerprint_.reset();
  if (RecoveryFailureTold_) return;
  RecoveryFailureTold_ = true;
  if (OnRecoveryFailure) OnRecoveryFailure(RecoveryFailedText(*failure));
}

void TSiteDocument::EndRecoveryFailure() {
  if (!RecoveryFailureTold_) return;
  RecoveryFailureTold_ = false;
  if (OnRecoveryFailure) OnRecoveryFailure({});
}

void TSiteDocument::RemoveRecoveryCopy() {
  RecoveryFingerprint_.reset();
  EndRecoveryFailure();
  if (!CopyWritten_) return;
  Recovery_->Remove();
  CopyWritten_ = false;
}

bool TSiteDocument::WriteTo(const std::string& path) {
  try {
    SaveSiteFile(path, Logic_.System(), CurrentSettings());
  } catch (const std::exception& error) {
    UserMessages().Show(TMsgKind::Error, error.what(), TMsgButtons::Ok);
    return false;
  }
  FileName_ = path;
  Saved();
  return true;
}

void TSiteDocument::Saved() {
  SavedFingerprint_ = LastFingerprint_ = Fingerprint();
  Modified_ = false;
  Recovery_->Remove();  // a copy from before a recovery counts too
  CopyWritten_ = false;
  RecoveryFingerprint_.reset();
  EndRecoveryFailure();
  Recent_.Add(FileName_);
  Changed();
}

bool TSiteDocument::Save() {
  if (FileName_.empty()) return SaveAs();
  return WriteTo(FileName_);
}

bool TSiteDocument::SaveAs() {
  TFileDialogOptions options;
  options.Title = kSaveSiteTitle;
  options.Filter = kSiteFileFilter;
  options.DefaultExt = kSiteDefaultExt;
  options.FileName = FileName_.empty() ? std::string() : fs::path(FileName_).filename().string();
  if (!FileName_.empty()) options.InitialDir = fs::path(FileName_).parent_path().string();
  else if (!RecentFiles().empty()) options.InitialDir = fs::path(RecentFiles().front()).parent_path().string();
  else options.InitialDir = Logic_.InitialDir.empty() ? Logic_.BuiltInSaveFolder : Logic_.InitialDir;
  options.OverwritePrompt = true;
  std::string path;
  if (!FileDialogs().SaveFileName(options, path)) return false;
  return WriteTo(path);
}

bool TSiteDocument::AskSaveChanges() {
  CheckForChanges();
  if (!Modified_) return true;
  switch (UserMessages().Show(TMsgKind::Confirmation, AskSaveChangesText(DisplayName()),
                              TMsgButtons::SaveDiscardCancel)) {
    case TMsgAnswer::Save: return Save();
    case TMsgAnswer::Discard: return true;
    default: return false;
  }
}

bool TSiteDocument::CloseQuery() { return AskSaveChanges() && Logic_.CloseQuery(); }

void TSiteDocument::CleanExit() {
  Recovery_->MarkCleanExit();
  CopyWritten_ = false;
  RecoveryFingerprint_.reset();
}

bool TSiteDocument::Open() {
  if (!AskSaveChanges()) return false;
  TFileDialogOptions options;
  options.Title = kOpenSiteTitle;
  options.Filter = kSiteFileFilter;
  options.DefaultExt = kSiteDefaultExt;
  if (!FileName_.empty()) options.InitialDir = fs::path(FileName_).parent_path().string();
  else if (!RecentFiles().empty()) options.InitialDir = fs::path(RecentFiles().front()).parent_path().string();
  std::string path;
  if (!FileDialogs().OpenFileName(options, path)) return false;
  return Load(path);
}

bool TSiteDocument::OpenFile(const std::string& path) { return AskSaveChanges() && Load(path); }

bool TSiteDocument::ReadAndShow(const std::string& path) {
  auto system = std::make_unique<TzmUPSSystem>();
  TSiteSettings settings;
  if (const auto error = OpenSiteFile(path, *system, settings)) {
    UserMessages().Show(TMsgKind::Error, CannotOpenText(path, error->Message()), TMsgButtons::Ok);
    return false;
  }
  if (!LeaveToTreePage()) return false;
  Apply(std::move(system), settings);
  return true;
}

bool TSiteDocument::Load(const std::string& name) {
  std::error_code ec;
  const fs::path full = fs::absolute(name, ec);
  const std::string path = ec ? name : full.lexically_normal().string();
  if (!ReadAndShow(path)) return false;
  FileName_ = path;
  Saved();
  return true;
}

bool TSiteDocument::ImportConfiguration() {
  if (!AskSaveChanges()) return false;
  TFileDialogOptions options;
  options.Title = kImportConfigTitle;
  options.Filter = kImportFilter;
  options.DefaultExt = "cfg";
  options.InitialDir = Logic_.InitialDir.empty() ? Logic_.BuiltInSaveFolder : Logic_.InitialDir;
  std::string path;
  if (!FileDialogs().OpenFileName(options, path)) return false;
  return ImportFile(path);
}

bool TSiteDocument::ImportFile(const std::string& path) {
  auto system = std::make_unique<TzmUPSSystem>();
  TSiteSettings settings;
  const TConfigImportResult result = ImportConfigFileAt(path, *system, settings, ErrorList());
  if (!result.Imported) {
    UserMessages().Show(TMsgKind::Error, result.Refusal, TMsgButtons::Ok);
    return false;
  }
  if (!LeaveToTreePage()) return false;
  Apply(std::move(system), settings);
  BecameUntitled();
  return true;
}

void TSiteDocument::BecameUntitled() {
  // It differs from anything saved until it is saved.
  FileName_.clear();
  SavedFingerprint_.reset();
  LastFingerprint_ = Fingerprint();
  Modified_ = true;
  Changed();
}

bool TSiteDocument::LeaveToTreePage() {
  // The way Back goes: from the save page to the grid, from the grid to the
  // tree (asking first when the grid was edited directly).
  while (Logic_.State() != wsDefine) {
    const int before = Logic_.State();
    Logic_.ChangeState(false);
    if (Logic_.State() == before) return false;
  }
  return true;
}

void TSiteDocument::Apply(std::unique_ptr<TzmUPSSystem> system, const TSiteSettings& settings) {
  Logic_.ReplaceSystem(std::move(system));
  TMainControlUnits& units = Logic_.ControlUnits();
  units.SetButtonCount(settings.ControlUnitButtons);
  // Every control unit a string is on gets its button.
  int highest = -1;
  Logic_.System().ForEachNode({}, [&highest](TzmUPSStringSystemNode* string) {
    highest = std::max(highest, string->ControlUnit());
  });
  if (highest >= units.ButtonCount()) units.EnsureButtons(std::min(highest + 1, TMainControlUnits::MaxControlUnits));
  Logic_.GlobalAlarmSetting = settings.GlobalAlarmSetting;
  if (ApplyAlarmDialog) ApplyAlarmDialog(settings.AlarmDialog);
  if (OnDescriptionLoaded) OnDescriptionLoaded();
  Logic_.UpdateWizardButtons();
}

void TSiteDocument::FileNew() {
  if (!AskSaveChanges()) return;
  Logic_.FileNew();
}

void TSiteDocument::NewSystemStarted() {
  FileName_.clear();
  MarkUnmodified();
  Changed();
}

bool TSiteDocument::OfferRecovery() {
  const auto savedAt = Recovery_->PendingCopy();
  if (!savedAt) return false;
  const std::string path = Recovery_->Path();
  if (UserMessages().Show(TMsgKind::Confirmation, AskRecoverText(LocalTimeText(*savedAt)), TMsgButtons::YesNo) !=
      TMsgAnswer::Yes) {
    Recovery_->Remove();
    return false;
  }
  if (!ReadAndShow(path)) return false;
  CopyWritten_ = true;  // the copy stays until a save or a clean exit
  RecoveryFingerprint_ = Fingerprint();
  BecameUntitled();
  return true;
}
