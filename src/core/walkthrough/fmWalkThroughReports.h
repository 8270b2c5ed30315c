#pragma once
// The reports of walk-through mode: the placement of the strings on control
// units, the configuration text of one battery and the list of the hardware
// the installation needs, with the titles their printouts carry.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "walkthrough/ZMTextArea.h"

class TzmUPSSystem;
class TzmUPSBatterySystemNode;
class TzmUPSStringSystemNode;
class TzmUPSCurrentSystemNode;
class TzmUPSTemperatureSystemNode;

// Inputs of one control unit.
inline constexpr int CUProbeInputs = 4;
inline constexpr int CUSensorInputs = 4;
inline constexpr int CUMaxDCMs = 255;
inline constexpr int CUMaxSections = 32;
inline constexpr int CUChannelsPerDCM = 4;

// A string, or one sub-string of it, on a control unit. Only sections that need
// at least one DCM are entered.
struct TControlUnitSection {
  // Running DCM total of the control unit after this section; 0 = no entry.
  std::int32_t DcmEnd = 0;
  TzmUPSStringSystemNode* StringNode = nullptr;
  // 1-based sub-string number, when the string has sub-strings.
  int SubString = 0;
  // Last sub-string this entry covers; above SubString only when a string has
  // more sub-strings than a control unit has section entries (the tail shares
  // the last entry).
  int LastSubString = 0;
};

struct TControlUnitRecord {
  bool Used = false;
  // Current inputs 1 to 4 and temperature inputs 1 to 4, in order of placement.
  std::array<TzmUPSCurrentSystemNode*, CUProbeInputs> Probes{};
  std::array<TzmUPSTemperatureSystemNode*, CUSensorInputs> Sensors{};
  std::array<TControlUnitSection, CUMaxSections> Sections{};

  int ProbeCount() const;
  int SensorCount() const;
  int SectionCount() const;
  // DcmEnd of the last section, 0 without sections.
  int DcmCount() const;
};

// Kept by the walk-through window between runs; at least one record long once
// AllocateControlUnits has run.
using TControlUnitTable = std::vector<TControlUnitRecord>;

// DCMs needed by a number of channels (4 channels per DCM, rounded up).
int DCMsForChannels(int channels);
// DCMs needed by a string: the sum over its sub-strings, or its channels.
int DCMsNeededBy(const TzmUPSStringSystemNode& string);

// Rebuilds the table for the whole system and stores each string's control unit
// (0-based) in the model. Strings fill a control unit in model order until one of
// its inputs would overflow, a force flag asks for a new one (not on the very
// first string), or its section entries run out. Probes and sensors beyond a
// string's own four get no input (see UnconnectedProbes/Sensors).
void AllocateControlUnits(TzmUPSSystem& system, TControlUnitTable& table);

// The probes and sensors of a string that found no input on its control unit.
std::vector<TzmUPSCurrentSystemNode*> UnconnectedProbes(const TzmUPSStringSystemNode& string,
                                                        const TControlUnitTable& table);
std::vector<TzmUPSTemperatureSystemNode*> UnconnectedSensors(
    const TzmUPSStringSystemNode& string, const TControlUnitTable& table);

// Replaces the area's content with the configuration of the battery.
void WriteBatteryDescription(const TzmUPSSystem& system, const TzmUPSBatterySystemNode& battery,
                             ITextArea& area, const TControlUnitTable& table);

// Replaces the area's content with the hardware list made from the table.
void WriteHardwareList(ITextArea& area, const TControlUnitTable& table);

// Print titles. Date: "mm/dd/yyyy" with the locale's date separator.
std::string ReportDateText(int year, int month, int day, char separator = '/');
std::string BatteryReportTitle(const std::string& batteryName, const std::string& date);
std::string HardwareReportTitle(const std::string& date);
