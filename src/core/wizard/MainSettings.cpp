#include "wizard/MainSettings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "alarms/ZMIniFile.h"
#include "common/ZMSafeFile.h"

namespace fs = std::filesystem;

namespace {
bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Ticks are written as "True"/"False"; "1", "yes" and "on" read as ticked too.
bool ParseBool(const std::string& text, bool defaultValue) {
  const std::string t = Lower(text);
  if (t == "true" || t == "1" || t == "yes" || t == "on") return true;
  if (t == "false" || t == "0" || t == "no" || t == "off") return false;
  return defaultValue;
}
}  // namespace

bool ReadSettings(const std::string& settingsPath, std::string& initialDir) {
  if (!FileExists(settingsPath)) return false;
  const TZMIniFile ini(settingsPath);
  if (!ini.SectionExists(kSettingsSection) || !ini.ValueExists(kSettingsSection, kInitialDirKey))
    return false;
  std::string folder = ini.ReadString(kSettingsSection, kInitialDirKey, {});
  if (folder.empty()) return false;
  initialDir = std::move(folder);
  return true;
}

bool ReadSettings(const TSettingsFileLocation& location, std::string& initialDir) {
  return ReadSettings(location.ReadPath(), initialDir);
}

std::string TFormStorage::DefaultPath(const std::string& executablePath, const std::string& configFolder) {
  fs::path name = fs::path(executablePath).filename();
  name.replace_extension(".INI");
  const std::string folder = configFolder.empty() ? UserConfigFolder() : configFolder;
  if (folder.empty()) return (fs::path(executablePath).parent_path() / name).string();
  return (fs::path(folder) / name).string();
}

TFormPlacement TFormStorage::Restore(int currentWidth, int currentHeight, bool currentTick) const {
  TFormPlacement placement{currentWidth, currentHeight, currentTick};
  if (!FileExists(path_)) return placement;
  const TZMIniFile ini(path_);
  placement.Width = std::max(currentWidth, ini.ReadInteger(kFormStorageSection, kFormWidthKey, currentWidth));
  placement.Height = std::max(currentHeight, ini.ReadInteger(kFormStorageSection, kFormHeightKey, currentHeight));
  if (ini.ValueExists(kFormStorageSection, kGlobalAlarmKey))
    placement.GlobalAlarmSetting = ParseBool(ini.ReadString(kFormStorageSection, kGlobalAlarmKey, {}), currentTick);
  return placement;
}

bool TFormStorage::Save(int width, int height, bool globalAlarmSetting, std::string* failure) const {
  try {
    TZMIniFile ini(path_);
    ini.WriteInteger(kFormStorageSection, kFormWidthKey, width);
    ini.WriteInteger(kFormStorageSection, kFormHeightKey, height);
    ini.WriteString(kFormStorageSection, kGlobalAlarmKey, globalAlarmSetting ? "True" : "False");
    ini.UpdateFile();
    return true;
  } catch (const ESafeFileError& e) {
    if (failure) *failure = e.what();
    return false;
  }
}
