#include "alarms/fmAlarmSetDefaults.h"

#include "alarms/ZMIniFile.h"
#include "common/ZMFormat.h"

namespace {
struct TKeyInfo {
  const char* name;
  double builtIn;
};

constexpr TKeyInfo kKeys[adkCount] = {
    {"LowVRLACellR per jar", 0.3}, {"HighVRLACellR per jar", 1.0}, {"LowWetCellR per jar", 0.3},
    {"HighWetCellR per jar", 1.0}, {"DefaultLowI", -1.0},          {"DefaultHighI", 100.0},
    {"DefaultLowT", 16.0},         {"DefaultHighT", 28.0},         {"DefaultLow12V", 12.0},
    {"DefaultHigh12V", 14.4},      {"DefaultLow2V", 2.0},          {"DefaultHigh2V", 2.4},
    {"DefaultLow4V", 4.0},         {"DefaultHigh4V", 4.8},         {"DefaultLow6V", 6.0},
    {"DefaultHigh6V", 7.2},        {"DefaultLowOtherV", 8.0},      {"DefaultHighOtherV", 9.6},
    {"DefaultOtherVoltage", 8.0},
};

// Held in extended precision; the product is rounded once, to the stored double.
constexpr long double kOtherHighFactor = 1.2L;

// The file is written with a point, but a file from an earlier version may
// hold the separator of the user's locale ("14,4"): both are read.
double SettingsFileNumber(const std::string& text) {
  double value = 0;
  if (TryStrToFloat(text, value, '.')) return value;
  return StrToFloat(text, DecimalSeparator());
}
}  // namespace

const char* TAlarmDefaults::KeyName(TAlarmDefaultKey key) { return kKeys[key].name; }
double TAlarmDefaults::BuiltIn(TAlarmDefaultKey key) { return kKeys[key].builtIn; }

void TAlarmDefaults::SetBuiltIn() {
  for (int k = 0; k < adkCount; ++k) values_[k] = kKeys[k].builtIn;
}

void TAlarmDefaults::LoadAlarmDefaults(const TZMIniFile& ini) {
  SetBuiltIn();
  for (int k = 0; k < adkCount; ++k) {
    const std::string text =
        ini.ReadString(kAlarmDefaultsSection, kKeys[k].name, AlarmFileNumberText(values_[k]));
    values_[k] = SettingsFileNumber(text);
  }
}

void TAlarmDefaults::SaveAlarmDefaults(TZMIniFile& ini) const {
  for (int k = 0; k < adkCount; ++k)
    ini.WriteString(kAlarmDefaultsSection, kKeys[k].name, AlarmFileNumberText(values_[k]));
}

double TAlarmDefaults::NominalVoltage(TCellType type) const {
  switch (type) {
    case TCellType::ct12V: return 12.0;
    case TCellType::ct2V: return 2.0;
    case TCellType::ct4V: return 4.0;
    case TCellType::ct6V: return 6.0;
    case TCellType::ctOther: break;
  }
  return values_[adkOtherVoltage];
}

double TAlarmDefaults::LowVoltageDefault(TCellType type) const {
  switch (type) {
    case TCellType::ct12V: return values_[adkLow12V];
    case TCellType::ct2V: return values_[adkLow2V];
    case TCellType::ct4V: return values_[adkLow4V];
    case TCellType::ct6V: return values_[adkLow6V];
    case TCellType::ctOther: break;
  }
  return values_[adkLowOtherV];
}

double TAlarmDefaults::HighVoltageDefault(TCellType type) const {
  switch (type) {
    case TCellType::ct12V: return values_[adkHigh12V];
    case TCellType::ct2V: return values_[adkHigh2V];
    case TCellType::ct4V: return values_[adkHigh4V];
    case TCellType::ct6V: return values_[adkHigh6V];
    case TCellType::ctOther: break;
  }
  return values_[adkHighOtherV];
}

double TAlarmDefaults::LowOhmicDefault(TCellType type, TCellChemistry chemistry) const {
  switch (chemistry) {
    case TCellChemistry::chVRLA: return CellsPerJar(type) * values_[adkLowVRLACellR];
    case TCellChemistry::chWet: return CellsPerJar(type) * values_[adkLowWetCellR];
    case TCellChemistry::chNone: break;
  }
  throw EAlarmDefaultsError("No cell type defined");
}

double TAlarmDefaults::HighOhmicDefault(TCellType type, TCellChemistry chemistry) const {
  switch (chemistry) {
    case TCellChemistry::chVRLA: return CellsPerJar(type) * values_[adkHighVRLACellR];
    case TCellChemistry::chWet: return CellsPerJar(type) * values_[adkHighWetCellR];
    case TCellChemistry::chNone: break;
  }
  throw EAlarmDefaultsError("No cell type defined");
}

void TAlarmDefaults::SetOtherVoltage(double voltage) {
  values_[adkOtherVoltage] = voltage;
  values_[adkLowOtherV] = voltage;
  values_[adkHighOtherV] = static_cast<double>(kOtherHighFactor * voltage);
}

std::string AlarmNumberText(double value) { return FormatFloatGeneral(value, 5); }
std::string AlarmFileNumberText(double value) { return FormatFloatGeneral(value, 5, 2, '.'); }
