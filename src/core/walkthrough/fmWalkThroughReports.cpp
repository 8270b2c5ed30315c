// Placement of the strings on control units, and the print titles.
#include "walkthrough/fmWalkThroughReports.h"

#include <algorithm>

#include "common/ZMFormat.h"
#include "model/ZMUPSTreeSystem.h"

namespace {
// One section a string asks for: its sub-string number (0 without sub-strings)
// and the DCMs it needs. Sections without channels need no DCM and are left out.
struct TSectionDemand {
  int SubString = 0;
  int DCMs = 0;
};

std::vector<TSectionDemand> SectionsOf(const TzmUPSStringSystemNode& string) {
  std::vector<TSectionDemand> sections;
  if (string.HasSubStrings()) {
    for (int k = 0; k < string.SubStringCount(); ++k) {
      const int dcms = DCMsForChannels(string.GetSubStringChannelCount(k));
      if (dcms > 0) sections.push_back({k + 1, dcms});
    }
  } else {
    const int dcms = DCMsForChannels(string.ChannelCount());
    if (dcms > 0) sections.push_back({0, dcms});
  }
  return sections;
}

// Walks the records of the table, filling the current one.
class TPlacement {
 public:
  explicit TPlacement(TControlUnitTable& table) : table_(table) {
    if (table_.empty()) table_.emplace_back();
    // Nothing of an earlier placement may remain in any record.
    for (auto& record : table_) record = TControlUnitRecord{};
  }

  void Place(TzmUPSStringSystemNode& string, bool firstOfBattery, bool batteryForcesNew) {
    const auto sections = SectionsOf(string);
    int dcms = 0;
    for (const auto& s : sections) dcms += s.DCMs;

    if (Current().Used) {
      const bool forced = (firstOfBattery && batteryForcesNew) || string.ForceNewControlUnit;
      if (forced || probes_ + string.CurrentCount() > CUProbeInputs ||
          sensors_ + string.TemperatureCount() > CUSensorInputs || dcms_ + dcms > CUMaxDCMs ||
          sections_ + static_cast<int>(sections.size()) > CUMaxSections)
        StartNextRecord();
    }

    TControlUnitRecord& record = Current();
    record.Used = true;
    // A string with more than four probes or sensors keeps the surplus off the
    // inputs; the battery report names them.
    for (int i = 0; i < string.CurrentCount() && probes_ < CUProbeInputs; ++i)
      record.Probes[static_cast<size_t>(probes_++)] = string.GetCurrent(i);
    for (int i = 0; i < string.TemperatureCount() && sensors_ < CUSensorInputs; ++i)
      record.Sensors[static_cast<size_t>(sensors_++)] = string.GetTemperature(i);

    for (const auto& demand : sections) {
      dcms_ += demand.DCMs;
      if (sections_ < CUMaxSections) {
        record.Sections[static_cast<size_t>(sections_++)] = {dcms_, &string, demand.SubString,
                                                             demand.SubString};
      } else {
        // Only a string with more sub-strings than entries gets here, alone on
        // its control unit: its tail shares the last entry.
        TControlUnitSection& last = record.Sections.back();
        last.DcmEnd = dcms_;
        last.LastSubString = demand.SubString;
      }
    }
    string.SetControlUnit(static_cast<int>(current_));
  }

 private:
  TControlUnitRecord& Current() { return table_[current_]; }

  void StartNextRecord() {
    ++current_;
    if (current_ >= table_.size()) table_.emplace_back();
    table_[current_] = TControlUnitRecord{};
    probes_ = sensors_ = sections_ = dcms_ = 0;
  }

  TControlUnitTable& table_;
  size_t current_ = 0;
  int probes_ = 0, sensors_ = 0, sections_ = 0, dcms_ = 0;
};

template <typename TNode, size_t N>
bool Holds(const std::array<TNode*, N>& slots, const TNode* node) {
  return std::find(slots.begin(), slots.end(), node) != slots.end();
}

const TControlUnitRecord* RecordOf(const TzmUPSStringSystemNode& string,
                                   const TControlUnitTable& table) {
  const int cu = string.ControlUnit();
  if (cu < 0 || cu >= static_cast<int>(table.size())) return nullptr;
  const TControlUnitRecord& record = table[static_cast<size_t>(cu)];
  return record.Used ? &record : nullptr;
}
}  // namespace

int TControlUnitRecord::ProbeCount() const {
  return static_cast<int>(std::count_if(Probes.begin(), Probes.end(), [](auto* p) { return p; }));
}

int TControlUnitRecord::SensorCount() const {
  return static_cast<int>(
      std::count_if(Sensors.begin(), Sensors.end(), [](auto* p) { return p; }));
}

int TControlUnitRecord::SectionCount() const {
  return static_cast<int>(std::count_if(Sections.begin(), Sections.end(),
                                        [](const auto& s) { return s.DcmEnd > 0; }));
}

int TControlUnitRecord::DcmCount() const {
  const int n = SectionCount();
  return n > 0 ? Sections[static_cast<size_t>(n - 1)].DcmEnd : 0;
}

int DCMsForChannels(int channels) {
  return channels > 0 ? (channels + CUChannelsPerDCM - 1) / CUChannelsPerDCM : 0;
}

int DCMsNeededBy(const TzmUPSStringSystemNode& string) {
  int dcms = 0;
  for (const auto& s : SectionsOf(string)) dcms += s.DCMs;
  return dcms;
}

void AllocateControlUnits(TzmUPSSystem& system, TControlUnitTable& table) {
  TPlacement placement(table);
  for (int b = 0; b < system.BatteryCount(); ++b) {
    TzmUPSBatterySystemNode* battery = system.GetBattery(b);
    for (int s = 0; s < battery->StringCount(); ++s)
      if (TzmUPSStringSystemNode* string = battery->GetString(s))
        placement.Place(*string, s == 0, battery->ForceNewControlUnit);
  }
}

std::vector<TzmUPSCurrentSystemNode*> UnconnectedProbes(const TzmUPSStringSystemNode& string,
                                                        const TControlUnitTable& table) {
  std::vector<TzmUPSCurrentSystemNode*> missing;
  const TControlUnitRecord* record = RecordOf(string, table);
  if (!record) return missing;
  for (int i = 0; i < string.CurrentCount(); ++i)
    if (auto* probe = string.GetCurrent(i); probe && !Holds(record->Probes, probe))
      missing.push_back(probe);
  return missing;
}

std::vector<TzmUPSTemperatureSystemNode*> UnconnectedSensors(
    const TzmUPSStringSystemNode& string, const TControlUnitTable& table) {
  std::vector<TzmUPSTemperatureSystemNode*> missing;
  const TControlUnitRecord* record = RecordOf(string, table);
  if (!record) return missing;
  for (int i = 0; i < string.TemperatureCount(); ++i)
    if (auto* sensor = string.GetTemperature(i); sensor && !Holds(record->Sensors, sensor))
      missing.push_back(sensor);
  return missing;
}

std::string ReportDateText(int year, int month, int day, char separator) {
  return Format("%02d%c%02d%c%04d", month, separator, day, separator, year);
}

std::string BatteryReportTitle(const std::string& batteryName, const std::string& date) {
  return "Configuration Wizard - " + batteryName + " - " + date;
}

std::string HardwareReportTitle(const std::string& date) {
  return "Configuration Wizard - Hardware Setup -" + date;
}
