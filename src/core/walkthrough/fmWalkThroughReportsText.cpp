// The battery configuration text and the hardware list.
#include <exception>

#include "common/ZMFormat.h"
#include "model/TempConvert.h"
#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/fmWalkThroughReports.h"

namespace {
// Numbers in report texts: the general format with up to 15 digits, taken
// from the extended value itself (degrees F are computed in extended precision).
std::string G(long double value) { return FormatExtendedGeneral(value, 15); }

const char* Plural(int n, const char* singular, const char* plural) {
  return n == 1 ? singular : plural;
}

// The string a probe or sensor belongs to (leaf -> group -> string).
const TzmUPSStringSystemNode* StringOf(const TzmSystemNode* leaf) {
  const TzmSystemNode* group = leaf ? leaf->Parent() : nullptr;
  return group ? dynamic_cast<const TzmUPSStringSystemNode*>(group->Parent()) : nullptr;
}

std::string NameOf(const TzmSystemNode* node) { return node ? node->Name() : std::string(); }

std::string BatteryNameOf(const TzmUPSStringSystemNode* string) {
  return string ? NameOf(string->Battery()) : std::string();
}

void WriteProbes(const TzmUPSStringSystemNode& s, ITextArea& area,
                 const TControlUnitTable& table) {
  const std::string& name = s.Name();
  if (s.CurrentCount() == 0) {
    area.AddLine(Format("    %s does not have a current probe.", name.c_str()));
    return;
  }
  const TzmUPSCurrentSystemNode* p0 = s.GetCurrent(0);
  area.AddLine(Format("    %s does have a current probe.", name.c_str()));
  area.AddLine(
      Format("    %s is considered to be discharging if the output current more than is %s amps.",
             name.c_str(), G(p0->HighAlarm).c_str()));
  if (p0->LowAlarm >= 0)
    area.AddLine(Format("    %s will alarm if the charging current is less than %s amps.",
                        name.c_str(), G(p0->LowAlarm).c_str()));
  for (const auto* probe : UnconnectedProbes(s, table))
    area.AddColouredLine(
        Format("    %s is NOT connected: Control Unit #%d has only %d current probe inputs.",
               probe->Name().c_str(), s.ControlUnit() + 1, CUProbeInputs),
        clRed, true);
}

void WriteSensors(const TzmUPSStringSystemNode& s, ITextArea& area,
                  const TControlUnitTable& table) {
  const std::string& name = s.Name();
  const int count = s.TemperatureCount();
  if (count == 0) {
    area.AddLine(Format("    %s does not have a temperature sensor.", name.c_str()));
    return;
  }
  area.AddLine(Format(Plural(count, "    %s has %d temperature sensor.",
                             "    %s has %d temperature sensors."),
                      name.c_str(), count));
  for (int i = 0; i < count; ++i) {
    const TzmUPSTemperatureSystemNode* t = s.GetTemperature(i);
    area.AddLine(Format("        %s alarms below %s\u00B0C (%s\u00B0F) and above %s\u00B0C (%s\u00B0F).",
                        t->Name().c_str(), G(t->LowAlarm).c_str(),
                        G(CelsiusToFahrenheit(t->LowAlarm)).c_str(), G(t->HighAlarm).c_str(),
                        G(CelsiusToFahrenheit(t->HighAlarm)).c_str()));
  }
  for (const auto* sensor : UnconnectedSensors(s, table))
    area.AddColouredLine(
        Format("    %s is NOT connected: Control Unit #%d has only %d temperature sensor inputs.",
               sensor->Name().c_str(), s.ControlUnit() + 1, CUSensorInputs),
        clRed, true);
}

void WriteChannels(const TzmUPSBatterySystemNode& b, const TzmUPSStringSystemNode& s,
                   ITextArea& area) {
  const std::string& name = s.Name();
  if (s.CellCount() == 0) {
    area.AddLine(Format("    %s does not have any monitored channels.", name.c_str()));
    return;
  }
  std::string line = Format("    %s has %d monitored channels", name.c_str(), s.CellCount());
  if (s.HasSubStrings()) {
    line += Format(" in %d sub-strings [%d", s.SubStringCount(), s.GetSubStringCells(0));
    for (int k = 1; k < s.SubStringCount(); ++k)
      line += ", " + std::to_string(s.GetSubStringCells(k));
    line += "]";
  }
  area.AddLine(line);
  const TzmUPSCellSystemNode* c0 = s.GetCell(0);
  area.AddLine(Format("        %s alarm when the voltage is below %s or above %s volts.", "Cells",
                      G(c0->LowAlarm).c_str(), G(c0->HighAlarm).c_str()));
  if (!b.VoltageOnly)
    area.AddLine(Format(
        "        %s alarm when the internal ohmic-value is below %s or above %s milliohms.",
        "Cells", G(c0->LowResistance).c_str(), G(c0->HighResistance).c_str()));
  area.AddLine("");
  for (int i = 0; i < s.CellCount(); ++i)
    if (const auto* c = s.GetCell(i); c && c->NullCount != 0)
      area.AddLine(Format("        There is an inter-tier link after %s.", c->Name().c_str()));
}

void WriteString(const TzmUPSBatterySystemNode& b, const TzmUPSStringSystemNode& s, int number,
                 ITextArea& area, const TControlUnitTable& table) {
  const std::string& name = s.Name();
  if (s.IsContinuation()) {
    area.AddLine(Format("String #%d", number), true);
    area.AppendBold(" - continuation of previous string");
    area.AddLine(Format("    This section of %s has %d monitored channels.", name.c_str(),
                        s.CellCount()));
    return;
  }
  area.AddLine("");
  area.AddLine(Format("String #%d", number), true);
  area.AddLine("    String name : ");
  area.AppendBold(s.GetShortName());
  if (s.CellCount() > 0) {
    long double sum = 0;
    for (int i = 0; i < s.CellCount(); ++i)
      if (const auto* c = s.GetCell(i)) sum += c->LowAlarm;
    area.AddLine(Format("    Nominal string voltage = %lld Volts", RoundHalfEven(sum)));
  }
  WriteProbes(s, area, table);
  WriteSensors(s, area, table);
  WriteChannels(b, s, area);
}

void WriteInputs(const char* heading, const char* noneText, const char* lineFormat,
                 const auto& slots, bool withSensorName, ITextArea& area) {
  area.AddLine(heading, true);
  if (!slots[0]) {
    area.AddLine(noneText, true);
    return;
  }
  for (size_t n = 0; n < slots.size(); ++n) {
    area.AddLine(Format(lineFormat, static_cast<int>(n + 1)));
    const auto* node = slots[n];
    if (!node) {
      area.AppendColoured("Unused", clNavy);
      continue;
    }
    const TzmUPSStringSystemNode* string = StringOf(node);
    const std::string where = BatteryNameOf(string) + " " + NameOf(string);
    area.AppendText(withSensorName ? " " + node->Name() + " from " + where : " " + where);
  }
}

void WriteDCMs(const TControlUnitRecord& record, ITextArea& area) {
  area.AddLine("DCMs :", true);
  if (record.Sections[0].DcmEnd <= 0) {
    area.AddLine("No DCMs are configured for use on this control unit", true);
    return;
  }
  int first = 1;
  for (const TControlUnitSection& section : record.Sections) {
    if (section.DcmEnd <= 0 || !section.StringNode) break;
    const TzmUPSStringSystemNode* s = section.StringNode;
    const std::string battery = BatteryNameOf(s);
    if (!s->HasSubStrings())
      area.AddLine(Format("DCM #%d to DCM #%d is %s %s", first, section.DcmEnd, battery.c_str(),
                          s->Name().c_str()));
    else if (section.LastSubString > section.SubString)
      area.AddLine(Format("DCM #%d to DCM #%d is %s %s sub-strings #%d to #%d", first,
                          section.DcmEnd, battery.c_str(), s->Name().c_str(), section.SubString,
                          section.LastSubString));
    else
      area.AddLine(Format("DCM #%d to DCM #%d is %s %s sub-string #%d", first, section.DcmEnd,
                          battery.c_str(), s->Name().c_str(), section.SubString));
    first = section.DcmEnd + 1;
  }
}
}  // namespace

void WriteBatteryDescription(const TzmUPSSystem& system, const TzmUPSBatterySystemNode& battery,
                             ITextArea& area, const TControlUnitTable& table) {
  area.ClearText();

  int cu = -1;
  try {
    const TzmUPSStringSystemNode* first = battery.GetString(0);
    const TzmUPSStringSystemNode* previous = first ? system.FindPreviousStringOf(first) : nullptr;
    if (previous) {
      cu = previous->ControlUnit();
      if (first->ControlUnit() == cu) {
        area.AddColouredLine(Format("******** Continuing on Control Unit #%d", cu + 1), clRed,
                             true);
        area.AddLine("");
      }
    }
  } catch (const std::exception&) {
    // The continuation note is a courtesy; the report goes on without it.
  }

  area.SetUnderline(true);
  area.AddLine("Battery Configuration", true);
  area.SetUnderline(false);
  area.AddLine("");

  area.AddLine("Battery name : ");
  area.AppendBold(battery.GetShortName());
  if (battery.Genset) area.AddLine("Battery is a genset kit");
  if (battery.VoltageOnly) area.AddLine("Battery monitors only battery voltage");
  area.AddLine("Battery current count     = " + std::to_string(battery.TotalCurrentCount()));
  area.AddLine("Battery temperature count = " + std::to_string(battery.TotalTemperatureCount()));

  const int strings = battery.StringCount();
  area.AddLine(Format(Plural(strings, "%s has %d string :", "%s has %d strings :"),
                      battery.Name().c_str(), strings));
  area.AddLine("");

  for (int i = 0; i < strings; ++i) {
    const TzmUPSStringSystemNode* s = battery.GetString(i);
    if (!s) continue;
    if (s->ControlUnit() != cu) {
      cu = s->ControlUnit();
      area.AddColouredLine(
          Format("******** The following is connected to Control Unit #%d", cu + 1), clRed, true);
    }
    WriteString(battery, *s, i + 1, area, table);
  }
}

void WriteHardwareList(ITextArea& area, const TControlUnitTable& table) {
  area.ClearText();

  int units = 0, probes = 0, sensors = 0, dcms = 0;
  for (const TControlUnitRecord& record : table) {
    if (!record.Used) break;
    ++units;
    probes += record.ProbeCount();
    sensors += record.SensorCount();
    dcms += record.DcmCount();
  }

  area.AddLine("This system requires the following hardware:", true);
  area.AddLine(Format("%d Battery Monitoring Unit", 1));
  area.AddLine(Format(Plural(units, "%d Control Unit", "%d Control Units"), units));
  area.AddLine(Format(Plural(probes, "%d Current Probe", "%d Current Probes"), probes));
  area.AddLine(
      Format(Plural(sensors, "%d Temperature Sensor", "%d Temperature Sensors"), sensors));
  area.AddLine(Format(Plural(dcms, "%d DCM", "%d DCMs"), dcms));
  area.AddLine("");
  area.AddLine("This hardware should be connected as follows:", true);

  int k = 0;
  for (const TControlUnitRecord& record : table) {
    if (!record.Used) break;
    ++k;
    area.AddColouredLine(Format("Control unit #%d", k), clRed, true);
    WriteInputs("Current probes:", "No current probes are configured for use on this control unit",
                "Probe #%d - ", record.Probes, false, area);
    area.AddLine("");
    WriteInputs("Temperature sensors:",
                "No temperature sensors are configured for use on this control unit",
                "Temp #%d - ", record.Sensors, true, area);
    area.AddLine("");
    WriteDCMs(record, area);
    area.AddLine("");
  }
}
