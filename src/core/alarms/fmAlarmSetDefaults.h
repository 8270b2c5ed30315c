#pragma once
// The default alarm limits proposed by the alarm settings dialog: per cell type
// (the nominal voltage of one monitored block) and cell chemistry, kept between
// runs in section "DefaultValues" of the program's settings file.
#include <array>
#include <stdexcept>
#include <string>

class TZMIniFile;

enum class TCellType { ct12V, ct2V, ct4V, ct6V, ctOther };
enum class TCellChemistry { chNone, chVRLA, chWet };

class EAlarmDefaultsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The nineteen stored values, in the order they are loaded and saved.
enum TAlarmDefaultKey {
  adkLowVRLACellR,
  adkHighVRLACellR,
  adkLowWetCellR,
  adkHighWetCellR,
  adkLowI,
  adkHighI,
  adkLowT,
  adkHighT,
  adkLow12V,
  adkHigh12V,
  adkLow2V,
  adkHigh2V,
  adkLow4V,
  adkHigh4V,
  adkLow6V,
  adkHigh6V,
  adkLowOtherV,
  adkHighOtherV,
  adkOtherVoltage,
  adkCount
};

inline constexpr const char* kAlarmDefaultsSection = "DefaultValues";

class TAlarmDefaults {
 public:
  // The nominal voltage of one cell, used to count the cells in a block.
  static constexpr double kCellVoltage = 2.0;

  TAlarmDefaults() { SetBuiltIn(); }

  static const char* KeyName(TAlarmDefaultKey key);
  static double BuiltIn(TAlarmDefaultKey key);

  double Value(TAlarmDefaultKey key) const { return values_[key]; }
  void SetBuiltIn();

  // Fills the set from section "DefaultValues": first all values are set to
  // their built-in values, then each key is read in order with the value held
  // as default. A text that is not a number throws EConvertError; that key and
  // all later ones keep their built-in values.
  void LoadAlarmDefaults(const TZMIniFile& ini);
  // Writes the nineteen values into section "DefaultValues" (in memory).
  void SaveAlarmDefaults(TZMIniFile& ini) const;

  double NominalVoltage(TCellType type) const;
  double CellsPerJar(TCellType type) const { return NominalVoltage(type) / kCellVoltage; }
  double LowVoltageDefault(TCellType type) const;
  double HighVoltageDefault(TCellType type) const;
  // Throw EAlarmDefaultsError "No cell type defined" for chNone.
  double LowOhmicDefault(TCellType type, TCellChemistry chemistry) const;
  double HighOhmicDefault(TCellType type, TCellChemistry chemistry) const;

  double DefaultLowI() const { return values_[adkLowI]; }
  double DefaultHighI() const { return values_[adkHighI]; }
  double DefaultLowT() const { return values_[adkLowT]; }
  double DefaultHighT() const { return values_[adkHighT]; }
  double DefaultOtherVoltage() const { return values_[adkOtherVoltage]; }

  // The other voltage v with low limit v and high limit 1.2 x v.
  void SetOtherVoltage(double voltage);
  void SetOtherLowLimit(double voltage) { values_[adkLowOtherV] = voltage; }
  void SetOtherHighLimit(double voltage) { values_[adkHighOtherV] = voltage; }

 private:
  std::array<double, adkCount> values_{};
};

// A limit as number text: general format with at most 5 significant digits.
// The settings file always uses "." as decimal separator; the dialog uses the
// user's one.
std::string AlarmNumberText(double value);
std::string AlarmFileNumberText(double value);
