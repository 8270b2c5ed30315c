#include "app/ZMWindows.h"

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

TZMWindows::TZMWindows(const std::string& executablePath, const std::string& configFolder,
                       bool startWalkThrough) {
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
  Main_->UseSettings(settings.ReadPath(), TFormStorage::DefaultPath(executablePath, configFolder));
  if (startWalkThrough) Main_->PostStartupWalkThrough();
}

TZMWindows::~TZMWindows() {
  // Windows go in the reverse order; the main window last, since it owns the
  // rest as their parent.
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
