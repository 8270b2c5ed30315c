#pragma once
// The description an import makes, as plain data: built once from the file's
// rows, then given to a scratch model (to check that it builds the file again)
// and to the caller's model.
#include <cstdint>
#include <string>
#include <vector>

#include "sitefile/ZMSiteFile.h"

class TzmUPSSystem;

namespace zmimport {

struct TCfgFile;

struct TPlanCell {
  std::string Name;  // empty: the default name
  double HighAlarm = -1, LowAlarm = -1, HighResistance = -1, LowResistance = -1;
  int BlocksPerChannel = -1;
  std::uint8_t NullCount = 0;
  std::uint8_t VoltageOnlyState = 0;
};

struct TPlanLeaf {
  std::string Name;  // empty: the default name
  double LowAlarm = -1, HighAlarm = -1;
  int ScaledCurrent = 1000;
};

struct TPlanString {
  std::string Name;
  int ControlUnit = -1;
  int JoinGroup = -1;  // strings with the same group are joined
  std::vector<TPlanLeaf> Probes, Sensors;
  std::vector<TPlanCell> Cells;
  std::vector<int> SubStrings;  // cells per sub-string; empty for none
};

struct TPlanBattery {
  std::string Name;
  bool VoltageOnly = false;
  std::vector<TPlanString> Strings;
};

struct TPlan {
  int CommPort = 1;
  std::vector<TPlanBattery> Batteries;
  TSiteSettings Settings;
  // Error list entries found while planning ("Line 12: ...").
  std::vector<std::pair<int, std::string>> Problems;
};

// The description of the file's rows.
TPlan PlanDescription(const TCfgFile& file);

// Replaces the system's batteries by the plan's.
void ApplyPlan(const TPlan& plan, TzmUPSSystem& system);

// The channel rows of one string on one control unit, as cells and the null
// rows after each: gaps[i] null rows follow cell i, and the rows fill whole
// DCMs. Splits the cells into sub-strings (one sub-string: no split) and gives
// each cell its NullCount so that the grid builder lays them out exactly so;
// false when no split does.
bool PlanRuns(const std::vector<int>& gaps, std::vector<int>& subStrings, std::vector<int>& nullCounts);

}  // namespace zmimport
