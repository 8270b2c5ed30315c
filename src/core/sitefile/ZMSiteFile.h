#pragma once
// Site files (".zmsite"): the durable description of one installation. A site
// file holds the whole battery system model (every battery, string, probe,
// sensor and cell with everything the user can set, and the walk-through's
// answers the model keeps) and the program settings that belong to the
// installation (control unit buttons, "Global alarm setting", the alarm
// dialog's values), so that the same configuration file can be built again.
//
// The file is JSON in UTF-8; "format" and "version" come first. Reading is
// strict: a file with an unknown key, a wrong type, a value out of range,
// sub-strings that do not add up, a newer version or broken JSON is refused
// with the JSON path of the fault and the reason, and nothing is changed.
#include <optional>
#include <stdexcept>
#include <string>

#include "alarms/ZMAlarmLimits.h"
#include "alarms/fmAlarmSetDefaults.h"

class TzmUPSSystem;

inline constexpr const char* kSiteFileFormat = "Zelmor site";
inline constexpr int kSiteFileVersion = 1;
inline constexpr const char* kSiteFileExtension = ".zmsite";
inline constexpr const char* kSiteFileFilter = "Site files|*.zmsite";

// The values of the alarm settings dialog.
struct TSiteAlarmDialog {
  TAlarmLimits Limits;
  TCellType CellType = TCellType::ct12V;
  TCellChemistry Chemistry = TCellChemistry::chVRLA;
  bool operator==(const TSiteAlarmDialog& other) const;
};

// What a site file holds besides the model.
struct TSiteSettings {
  // Buttons on the control unit bar, 0 to 32.
  int ControlUnitButtons = 0;
  // Options > "Global alarm setting".
  bool GlobalAlarmSetting = false;
  TSiteAlarmDialog AlarmDialog;
  bool operator==(const TSiteSettings& other) const = default;
};

// Why a site file was refused: the JSON path of the fault (empty for the file
// as a whole) and the reason.
struct TSiteFileError {
  std::string Path;
  std::string Reason;
  // "batteries[1].strings[0].cells[3].HighAlarm: must be a number", or the
  // reason alone when there is no path.
  std::string Message() const;
};

// A model that cannot be written (a name that is not valid UTF-8).
class ESiteFileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The site file's text for the model and the settings.
std::string WriteSiteFile(const TzmUPSSystem& system, const TSiteSettings& settings);
// Writes the site file through WriteFileSafely: an earlier file is replaced
// only once the new one is complete. Throws ESiteFileWriteError, or
// ESafeFileError naming the file and the system's reason.
void SaveSiteFile(const std::string& path, const TzmUPSSystem& system, const TSiteSettings& settings);

// Reads a site file's text. When the whole file is valid, `system` is replaced
// by the file's model (its tree control, if any, is rebuilt), `settings` by the
// file's settings, and the result is empty. Otherwise the error is returned
// and neither is touched.
std::optional<TSiteFileError> ReadSiteFile(const std::string& text, TzmUPSSystem& system,
                                           TSiteSettings& settings);
// ReadSiteFile on the file at `path`; a file that cannot be read is refused
// with the system's reason.
std::optional<TSiteFileError> OpenSiteFile(const std::string& path, TzmUPSSystem& system,
                                           TSiteSettings& settings);
