#pragma once
// Names shared by the site file's reader and writer: the texts of the alarm
// dialog's choices and of the current scaling modes, and a cell's default name.
#include <array>
#include <string>
#include <utility>

#include "alarms/fmAlarmSetDefaults.h"

inline constexpr std::array<std::pair<TCellType, const char*>, 5> kSiteCellTypes{{
    {TCellType::ct12V, "12V"},
    {TCellType::ct2V, "2V"},
    {TCellType::ct4V, "4V"},
    {TCellType::ct6V, "6V"},
    {TCellType::ctOther, "Other"},
}};

inline constexpr std::array<std::pair<TCellChemistry, const char*>, 2> kSiteChemistries{{
    {TCellChemistry::chVRLA, "VRLA"},
    {TCellChemistry::chWet, "Wet"},
}};

// How a current probe's full-scale current is described.
enum class TSiteScalingMode { Probe, CableRatio, Percent, Direct };
inline constexpr std::array<std::pair<TSiteScalingMode, const char*>, 4> kSiteScalingModes{{
    {TSiteScalingMode::Probe, "Probe"},
    {TSiteScalingMode::CableRatio, "CableRatio"},
    {TSiteScalingMode::Percent, "Percent"},
    {TSiteScalingMode::Direct, "Direct"},
}};

// Ranges of what the program's commands and dialogs can give a node.
inline constexpr int kSiteMaxControlUnits = 32;
inline constexpr int kSiteMaxCurrents = 4;
inline constexpr int kSiteMaxTemperatures = 4;
inline constexpr int kSiteMaxNullCount = 3;
inline constexpr int kSiteMaxBlocksPerChannel = 12;
inline constexpr int kSiteMaxProbeCurrent = 32000;
inline constexpr int kSiteMaxCables = 32767;
inline constexpr int kSiteMaxPercent = 200;

// The name a cell at `index` gets when the file leaves its name out.
inline std::string SiteDefaultCellName(size_t index) { return "Cell " + std::to_string(index + 1); }

template <typename E, size_t N>
const char* SiteNameOf(const std::array<std::pair<E, const char*>, N>& names, E value) {
  for (const auto& [v, name] : names)
    if (v == value) return name;
  return names[0].second;
}
