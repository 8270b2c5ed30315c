#pragma once
// Building the configuration grid from the battery system model and the control
// unit list: a header row, then for each control unit its eight input rows and
// one row per DCM channel. The build also numbers batteries, cells and blocks in
// the model and collects the system-wide limits. String numbers stay with the
// builder: a string's own number field keeps its join number, if any.
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "alarms/ZMAlarmLimits.h"

class IErrorList;
class TzmUPSSystem;
class TzmUPSStringSystemNode;
class TzmUPSBatterySystemNode;
class TzmUPSCellSystemNode;

inline constexpr int kConfigGridColumns = 29;
extern const std::array<const char*, kConfigGridColumns> kConfigGridHeaders;
// The file format version every data row carries.
inline constexpr const char* kConfigFormatVersion = "02.20";

// Where the grid is built: the editable grid in the program, a plain table in tests.
class IConfigGridTarget {
 public:
  virtual ~IConfigGridTarget() = default;
  virtual void SetColCount(int count) = 0;
  virtual void SetRowCount(int count) = 0;
  virtual void SetFixedRows(int count) = 0;
  virtual void SetCell(int col, int row, const std::string& text) = 0;
  // Makes the column as wide as `text` in the main window's font.
  virtual void SetColWidthForText(int col, const std::string& text) = 0;
  // Called once every cell has been written.
  virtual void EndUpdate() {}
};

// The strings put on each control unit, control units in list order.
using TControlUnitStrings = std::vector<TzmUPSStringSystemNode*>;
using TControlUnitStringList = std::vector<TControlUnitStrings>;

// The "Global alarm setting" option and the alarm dialog's limits it applies.
struct TGlobalAlarmSetting {
  bool Enabled = false;
  TAlarmLimits Limits;
};

// System-wide limits: -10 = no value seen, -100 = the values differ.
inline constexpr double kNoAlarmSeen = -10;
inline constexpr double kAlarmsDiffer = -100;
struct TSystemAlarms {
  double HighVoltage = kNoAlarmSeen, LowVoltage = kNoAlarmSeen;
  double HighResistance = kNoAlarmSeen, LowResistance = kNoAlarmSeen;
  double HighTemperature = kNoAlarmSeen, LowTemperature = kNoAlarmSeen;
  double HighCurrent = kNoAlarmSeen, LowCurrent = kNoAlarmSeen;
};

// Folds one node's limit into a system-wide limit (values closer than 0.01 are equal).
void MergeSystemAlarm(double& target, double value);
// A control unit row's limit: empty when 0 or below, else 5 significant digits.
std::string FormatSystemAlarm(double value);

class TConfigGridBuilder {
 public:
  TConfigGridBuilder(TzmUPSSystem& system, const TControlUnitStringList& controlUnits,
                     IConfigGridTarget& grid, IErrorList& errors,
                     const TGlobalAlarmSetting& globalAlarms = {});

  // Builds the whole grid; shows the error list at the end when it holds anything.
  void BuildConfigGrid();

  void SetupConfigGridHeader();
  void NumberSystemForGrid();
  void CollectSystemAlarms();
  void AddCUListToConfigGrid(int k, const TControlUnitStrings& strings);
  void AddStringChannelsToConfigGrid(int k, const TControlUnitStrings& strings);

  const TSystemAlarms& SystemAlarms() const { return alarms_; }
  // The number the file gives `string` (from 1 within its battery; joined
  // segments side by side on one control unit share theirs).
  int StringNumberOf(const TzmUPSStringSystemNode& string) const;
  int RowCount() const { return static_cast<int>(rows_.size()); }

 private:
  using TRow = std::array<std::string, kConfigGridColumns>;

  // Texts shared by every channel row of one string.
  struct TRunTexts {
    std::string BatLbl, StrLbl, BatNo, StrNo;
    bool VoltageOnly = false;
  };
  // The last limit formatted: neighbouring channels mostly share their limits.
  struct TNumberMemo {
    double Value = -1;
    std::string Text;
  };

  TRow& AppendRow(int k);
  TRunTexts RunTextsOf(const TzmUPSStringSystemNode& string) const;
  void LayOutRun(int k, const TzmUPSStringSystemNode& string, int first, int count, int channels);
  void WriteChannelRow(int k, const TRunTexts& run, const TzmUPSCellSystemNode* cell);
  const std::string& ChannelLimit(double value, TNumberMemo& memo);
  void FlushToGrid();

  TzmUPSSystem& system_;
  const TControlUnitStringList& controlUnits_;
  IConfigGridTarget& grid_;
  IErrorList& errors_;
  TGlobalAlarmSetting global_;
  TSystemAlarms alarms_;
  std::vector<TRow> rows_;
  std::unordered_map<const TzmUPSStringSystemNode*, int> stringNumbers_;
  int dcm_ = 0;
  int channel_ = 0;
  std::string commPortText_;
  TNumberMemo memos_[4];
};
