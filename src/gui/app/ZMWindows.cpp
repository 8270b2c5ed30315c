#include "app/ZMWindows.h"

#include <filesystem>

#include "alarms/ZMIniFile.h"
#include "alarms/fmAlarmSet.h"
#include "dialogs/ZMValuePrompts.h"
#include "dialogs/fmAbout.h"
#include "dialogs/fmConfigBattery.h"
#include "dialogs/fmConfigString.h"
#include "dialogs/fmCurrentScaling.h"
#include "walkthrough/fmWalkThrough.h"
#include "wizard/Main.h"
#include "wizard/MainDialogsQt.h"
#include "wizard/MainSettings.h"
#include "wizard/MainSiteFiles.h"

TZMWindows::TZMWindows(const std::string& executablePath, const std::string& configFolder, bool startUp,
                       const std::string& siteFile) {
  const TSettingsFileLocation settings(executablePath, configFolder);
  Main_ = std::make_unique<TfmConfigWizard>();
  QWidget* owner = Main_.get();
  Batteries_ = std::make_unique<TfmConfigureBatteries>(owner);
  Alarms_ = std::make_unique<TfmAlarmSettings>(settings, owner);
  String_ = std::make_unique<TfmConfigureString>(owner);
  Errors_ = std::make_unique<TQtErrorList>(owner);
  SetErrorList(Errors_.get());
  Walkthru_ = std::make_unique<TfmWalkthru>(owner);
  About_ = std::make_unique<TfmAboutBox>(owner);
  Scaling_ = std::make_unique<TfrmCurrentScaling>(owner);

  Dialogs_ = std::make_unique<TMainDialogsQt>(String_.get(), Batteries_.get(), Alarms_.get(), Scaling_.get());
  Main_->AttachTreeCommands(*Dialogs_);
  Walkthru_->SetCurrentScalingDialog(Scaling_.get());
  Main_->AttachWalkthrough(Walkthru_.get());
  TMainSiteFiles& siteFiles = Main_->SiteFiles();
  siteFiles.UseAlarmDialog(Alarms_.get());
  siteFiles.Document().UseRecoveryFolder(
      TRecoveryCopy::DefaultFolder(std::filesystem::path(executablePath).filename().string()));
  Main_->UseSettings(settings.ReadPath(), TFormStorage::DefaultPath(executablePath, configFolder));
  if (startUp) siteFiles.PostStartup(siteFile, [this] { Main_->mnuWalkThroughClick(); });
}

TZMWindows::~TZMWindows() {
  // Windows go in the reverse order; the main window last, since it owns the
  // rest as their parent.
  Main_->SiteFiles().UseAlarmDialog(nullptr);
  Dialogs_.reset();
  Scaling_.reset();
  About_.reset();
  Main_->AttachWalkthrough(nullptr);
  Walkthru_.reset();
  SetErrorList(nullptr);
  Errors_.reset();
  String_.reset();
  Alarms_.reset();
  Batteries_.reset();
  Main_.reset();
}
