#pragma once
// The main window's persistent state: the settings file that gives the save
// dialog its starting folder, and the form storage that keeps the window size
// and the "Global alarm setting" tick between runs.
#include <string>

class TSettingsFileLocation;

inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kInitialDirKey = "InitialDir";

// Reads "Settings"/"InitialDir" from the settings file at `settingsPath` into
// `initialDir`. A missing file, section or key, or an empty value, leaves
// `initialDir` as it was. Returns true when a folder was read.
bool ReadSettings(const std::string& settingsPath, std::string& initialDir);
// The same, reading the settings file from where the program keeps it.
bool ReadSettings(const TSettingsFileLocation& location, std::string& initialDir);

inline constexpr const char* kFormStorageSection = "TfmConfigWizard";
inline constexpr const char* kFormWidthKey = "Form width";
inline constexpr const char* kFormHeightKey = "Form height";
inline constexpr const char* kGlobalAlarmKey = "mnuVersion2AlarmCompatibility.Checked";

// The values the form storage restores.
struct TFormPlacement {
  int Width = 0;
  int Height = 0;
  bool GlobalAlarmSetting = false;
};

// The form storage file: named like the executable with the extension ".INI",
// section "TfmConfigWizard", kept in the user's configuration folder.
class TFormStorage {
 public:
  explicit TFormStorage(std::string path) : path_(std::move(path)) {}

  // <configuration folder>/<executable name>.INI; `configFolder` empty means
  // the user's configuration folder. Without one, the file sits beside the
  // executable.
  static std::string DefaultPath(const std::string& executablePath, const std::string& configFolder = {});

  const std::string& FileName() const { return path_; }

  // The stored width and height, each at least the current one, and the
  // stored tick (the current tick when none is stored).
  TFormPlacement Restore(int currentWidth, int currentHeight, bool currentTick = false) const;

  // Writes the three values, keeping everything else in the file. Returns
  // false when the file could not be written (the earlier file is untouched);
  // `failure` then gets the message naming the file and the reason.
  bool Save(int width, int height, bool globalAlarmSetting, std::string* failure = nullptr) const;

 private:
  std::string path_;
};
