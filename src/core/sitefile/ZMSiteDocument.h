#pragma once
// The description being worked on, as a site file: its file name, whether it
// has unsaved changes, the File commands New, Open, Save and Save As, the
// question about unsaved changes, the recent list and the recovery copy.
//
// Unsaved changes are found by comparison: after the user's input settles the
// window calls CheckForChanges, which compares the fingerprint of the site
// file the description would give now with the one last saved or opened. So
// every change of the model counts, and undoing a change makes the
// description unmodified again.
#include <functional>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sitefile/ZMRecentSites.h"
#include "sitefile/ZMRecoveryCopy.h"
#include "sitefile/ZMSiteFile.h"

class TConfigWizardLogic;

inline constexpr const char* kSiteUntitled = "Untitled";
inline constexpr const char* kSiteDefaultExt = "zmsite";
inline constexpr const char* kOpenSiteTitle = "Open Site File";
inline constexpr const char* kSaveSiteTitle = "Save Site File As";
inline constexpr const char* kImportConfigTitle = "Import Configuration File";
// "Save changes to <name>?"
std::string AskSaveChangesText(const std::string& name);
// The start-up question about a recovery copy saved at `savedAt`.
std::string AskRecoverText(const std::string& savedAt);
// The error box of a site file that was refused.
std::string CannotOpenText(const std::string& path, const std::string& reason);
// What the user is told when the recovery copy cannot be written; `reason`
// names the file and the system's reason.
std::string RecoveryFailedText(const std::string& reason);

class TSiteDocument {
 public:
  explicit TSiteDocument(TConfigWizardLogic& logic);
  ~TSiteDocument();
  TSiteDocument(const TSiteDocument&) = delete;
  TSiteDocument& operator=(const TSiteDocument&) = delete;

  // The alarm dialog's values: read for saving, given back when a file is
  // opened. Without them the dialog's defaults are saved.
  std::function<TSiteAlarmDialog()> ReadAlarmDialog;
  std::function<void(const TSiteAlarmDialog&)> ApplyAlarmDialog;
  // A description was read in: the window shows its settings.
  std::function<void()> OnDescriptionLoaded;
  // The file name, the modified state or the recent list changed.
  std::function<void()> OnStateChanged;
  // Called on the recovery copy's thread after each attempt to write it; the
  // window hands it to its own thread, which then calls RecoveryCopyFinished.
  // Set before the recovery folder.
  std::function<void()> OnRecoveryCopyFinished;
  // The recovery copy cannot be written: told once for a run of failures,
  // with the file and the reason; told again with an empty text once a copy
  // was written or is no longer needed.
  std::function<void(const std::string& message)> OnRecoveryFailure;

  // The form storage file that keeps the recent list; the folder of the
  // recovery copy (empty: none is kept).
  void UseRecentList(const std::string& formStoragePath);
  void UseRecoveryFolder(const std::string& folder);

  const std::string& FileName() const { return FileName_; }
  // The file's name without its folder, or "Untitled".
  std::string DisplayName() const;
  bool Modified() const { return Modified_; }
  const std::vector<std::string>& RecentFiles() const { return Recent_.Files(); }
  TRecoveryCopy& Recovery() { return *Recovery_; }

  TSiteSettings CurrentSettings() const;
  std::string CurrentText() const;

  // The description as it is now counts as saved (start-up, File New).
  void MarkUnmodified();
  // Compares the description with the one last saved or opened.
  void CheckForChanges();
  // Unsaved changes that the recovery copy does not hold yet.
  bool RecoveryDue() const { return Modified_ && LastFingerprint_ != RecoveryFingerprint_; }
  // Hands the description to the recovery copy's thread.
  void WriteRecoveryCopy();
  // After the recovery copy's thread made an attempt: a copy that failed is
  // due again, and the user hears of the failure (OnRecoveryFailure).
  void RecoveryCopyFinished();

  // File > Save: without a name, Save As. True when the file was written.
  bool Save();
  // File > Save As...: asks for a name. True when the file was written.
  bool SaveAs();
  // File > Open...: asks about unsaved changes, then for the file.
  bool Open();
  // Opens `path` (recent list, command line); asks about unsaved changes first.
  bool OpenFile(const std::string& path);
  // File > Import configuration file...: asks about unsaved changes, then for
  // the file. The description made from it is untitled and unsaved.
  bool ImportConfiguration();
  // Imports `path` without asking first; a refused file changes nothing.
  bool ImportFile(const std::string& path);
  // File > New: asks about unsaved changes, then the logic's own question.
  void FileNew();
  // Run by the logic once File New has made the new system.
  void NewSystemStarted();

  // "Save changes to <name>?" when there are unsaved changes: true to go on
  // (saved or discarded), false when the user cancelled or the save failed.
  bool AskSaveChanges();
  // The close query: unsaved changes first, then the configuration file's questions.
  bool CloseQuery();
  // The program is closing normally: no recovery copy is left.
  void CleanExit();
  // At start-up: offers a recovery copy newer than the last clean exit. Yes
  // loads it as an unsaved description (true), No removes it.
  bool OfferRecovery();

 private:
  bool WriteTo(const std::string& path);
  // Reads `path` and makes it the description; a refused file changes nothing.
  bool Load(const std::string& name);
  // Reads the site file at `path` and shows it on the tree page; a refused
  // file, or a No to leaving the grid page, changes nothing.
  bool ReadAndShow(const std::string& path);
  bool LeaveToTreePage();
  void Apply(std::unique_ptr<TzmUPSSystem> system, const TSiteSettings& settings);
  void RemoveRecoveryCopy();
  void EndRecoveryFailure();
  // The description now shown was never saved under any name.
  void BecameUntitled();
  void Changed();

  TConfigWizardLogic& Logic_;
  std::uint64_t Fingerprint() const;
  void Saved();

  std::string FileName_;
  // None: the description was never saved (a recovered one).
  std::optional<std::uint64_t> SavedFingerprint_;
  std::uint64_t LastFingerprint_ = 0;
  std::optional<std::uint64_t> RecoveryFingerprint_;
  bool Modified_ = false;
  bool CopyWritten_ = false;
  bool RecoveryFailureTold_ = false;
  TRecentSites Recent_;
  std::unique_ptr<TRecoveryCopy> Recovery_;
};
