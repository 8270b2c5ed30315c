#pragma once
// The program's windows, created once at start-up in their fixed order and
// kept until the program ends: the main window, the battery setup, alarm
// settings, string configuration, error list, walk-through, about and current
// scaling windows. The alarm settings window loads its defaults when created
// and saves them when destroyed.
#include <memory>
#include <string>

class TfmAboutBox;
class TfmWalkthru;
class TfmAlarmSettings;
class TfmConfigWizard;
class TfmConfigureBatteries;
class TfmConfigureString;
class TfrmCurrentScaling;
class TMainDialogsQt;
class TQtErrorList;

class TZMWindows {
 public:
  // `executablePath` names the settings files (".ini" beside it or in
  // `configFolder`, the user's configuration folder when empty) and the
  // folder of the recovery copy in the user's state folder.
  // With `startUp`, once the program is idle: a recovery copy newer than the
  // last clean exit is offered; without one `siteFile` is opened when given,
  // otherwise walk-through mode opens by itself.
  explicit TZMWindows(const std::string& executablePath, const std::string& configFolder = {},
                      bool startUp = false, const std::string& siteFile = {});
  ~TZMWindows();
  TZMWindows(const TZMWindows&) = delete;
  TZMWindows& operator=(const TZMWindows&) = delete;

  TfmConfigWizard& Main() const { return *Main_; }
  TfmConfigureBatteries& Batteries() const { return *Batteries_; }
  TfmAlarmSettings& Alarms() const { return *Alarms_; }
  TfmConfigureString& String() const { return *String_; }
  TQtErrorList& Errors() const { return *Errors_; }
  TfrmCurrentScaling& Scaling() const { return *Scaling_; }
  TfmWalkthru& Walkthru() const { return *Walkthru_; }

 private:
  std::unique_ptr<TfmConfigWizard> Main_;
  std::unique_ptr<TfmConfigureBatteries> Batteries_;
  std::unique_ptr<TfmAlarmSettings> Alarms_;
  std::unique_ptr<TfmConfigureString> String_;
  std::unique_ptr<TQtErrorList> Errors_;
  std::unique_ptr<TfmWalkthru> Walkthru_;
  std::unique_ptr<TfmAboutBox> About_;
  std::unique_ptr<TfrmCurrentScaling> Scaling_;
  std::unique_ptr<TMainDialogsQt> Dialogs_;
};
