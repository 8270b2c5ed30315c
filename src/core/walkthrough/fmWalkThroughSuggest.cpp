#include "walkthrough/fmWalkThroughSuggest.h"

#include <array>
#include <functional>

#include "common/ZMFormat.h"

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string General(double value) { return FormatFloatGeneral(value, 15); }

TzmUPSStringSystemNode* Previous(const TzmUPSSystem& system, const TzmUPSStringSystemNode& s) {
  return system.FindPreviousStringOf(&s);
}

// Count rule of the string pages: the string's own count when above 0, else the
// previous string's when above 0, else the string's own.
int CountRule(const TzmUPSSystem& system, const TzmUPSStringSystemNode& s,
              int (TzmUPSStringSystemNode::*count)() const) {
  if ((s.*count)() > 0) return (s.*count)();
  const TzmUPSStringSystemNode* prev = Previous(system, s);
  if (prev && (prev->*count)() > 0) return (prev->*count)();
  return (s.*count)();
}

TzmUPSCellSystemNode* FirstCell(const TzmUPSStringSystemNode* s) {
  return s && s->CellCount() > 0 ? s->GetCell(0) : nullptr;
}

bool HasLimits(const TzmUPSAlarmedSystemNode* node) {
  return node && (node->LowAlarm >= 0 || node->HighAlarm >= 0);
}

TzmUPSTemperatureSystemNode* SensorAt(const TzmUPSStringSystemNode* s, int index) {
  return s && index >= 0 ? s->GetTemperature(index) : nullptr;
}

}  // namespace

std::string OrdinalWord(int n) {
  static const std::array<const char*, 21> words = {
      "zeroth",     "first",      "second",     "third",       "fourth",     "fifth",
      "sixth",      "seventh",    "eighth",     "ninth",       "tenth",      "eleventh",
      "twelfth",    "thirteenth", "fourteenth", "fifteenth",   "sixteenth",  "seventeenth",
      "eighteenth", "nineteenth", "twentieth"};
  if (n >= 0 && n <= 20) return words[static_cast<size_t>(n)];
  const int last = ((n % 10) + 10) % 10;
  const char* suffix = last == 1 ? "st" : last == 2 ? "nd" : last == 3 ? "rd" : "th";
  return std::to_string(n) + suffix;
}

TzmUPSStringSystemNode* FindEarlierStringWithChannel(const TzmUPSSystem& system,
                                                     const TzmUPSStringSystemNode& string) {
  for (TzmUPSStringSystemNode* s = Previous(system, string); s; s = Previous(system, *s))
    if (s->CellCount() > 0) return s;
  return nullptr;
}

TzmUPSStringSystemNode* FindStringWithSameSensorCount(const TzmUPSSystem& system,
                                                      const TzmUPSStringSystemNode& string) {
  for (TzmUPSStringSystemNode* s = Previous(system, string); s; s = Previous(system, *s))
    if (s->TemperatureCount() == string.TemperatureCount()) return s;
  return nullptr;
}

int SuggestChannelCount(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string) {
  return CountRule(system, string, &TzmUPSStringSystemNode::CellCount);
}

int SuggestCurrentProbe(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string) {
  return CountRule(system, string, &TzmUPSStringSystemNode::CurrentCount);
}

int SuggestTemperatureCount(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string) {
  return CountRule(system, string, &TzmUPSStringSystemNode::TemperatureCount);
}

int SuggestSubStringChannels(const TzmUPSStringSystemNode& string, int subStringIndex) {
  if (!string.HasSubStrings() || subStringIndex < 0 || subStringIndex >= string.SubStringCount())
    return 4;
  if (string.GetSubStringCells(subStringIndex) >= 1) return string.GetSubStringCells(subStringIndex);
  if (subStringIndex > 0 && string.GetSubStringCells(subStringIndex - 1) > 0)
    return string.GetSubStringCells(subStringIndex - 1);
  return 4;
}

int SuggestBlocksPerChannel(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string) {
  const TzmUPSCellSystemNode* own = FirstCell(&string);
  if (own && own->BlocksPerChannel() > 0) return own->BlocksPerChannel();
  const TzmUPSCellSystemNode* prev = FirstCell(Previous(system, string));
  if (prev && prev->BlocksPerChannel() >= 1) return prev->BlocksPerChannel();
  return own ? own->BlocksPerChannel() : -1;
}

double SuggestChannelLimit(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                           TChannelLimit limit) {
  const auto field = [limit](const TzmUPSCellSystemNode& c) {
    switch (limit) {
      case TChannelLimit::LowVoltage: return c.LowAlarm;
      case TChannelLimit::HighVoltage: return c.HighAlarm;
      case TChannelLimit::LowOhmic: return c.LowResistance;
      case TChannelLimit::HighOhmic: return c.HighResistance;
    }
    return -1.0;
  };
  const TzmUPSCellSystemNode* own = FirstCell(&string);
  if (own && field(*own) >= 0) return field(*own);
  const TzmUPSCellSystemNode* prev = FirstCell(Previous(system, string));
  if (prev && field(*prev) >= 0) return field(*prev);
  // Last resort from the low voltage just stored: round(LV / 2) nominal 2 V cells.
  if (limit != TChannelLimit::LowVoltage && own && own->LowAlarm > 0) {
    const double cells = static_cast<double>(RoundHalfEven(own->LowAlarm / 2));
    if (limit == TChannelLimit::HighVoltage) return cells * 2.4;
    if (limit == TChannelLimit::LowOhmic) return cells * 0.3;
    return cells;
  }
  return -1;
}

namespace {
double ProbeRule(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string, int index,
                 double TzmUPSAlarmedSystemNode::*field) {
  const TzmUPSCurrentSystemNode* own = index >= 0 ? string.GetCurrent(index) : nullptr;
  if (own && own->*field >= 0) return own->*field;
  const TzmUPSStringSystemNode* prev = Previous(system, string);
  const TzmUPSCurrentSystemNode* other = prev && index >= 0 ? prev->GetCurrent(index) : nullptr;
  if (other && other->*field >= 0) return other->*field;
  return -1;
}
}  // namespace

double SuggestDischarge(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                        int currentIndex) {
  return ProbeRule(system, string, currentIndex, &TzmUPSAlarmedSystemNode::HighAlarm);
}

double SuggestCharge(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                     int currentIndex) {
  return ProbeRule(system, string, currentIndex, &TzmUPSAlarmedSystemNode::LowAlarm);
}

std::string SuggestTemperatureName(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                                   int temperatureIndex) {
  const TzmUPSTemperatureSystemNode* own = SensorAt(&string, temperatureIndex);
  if (HasLimits(own)) return own->Name();
  const auto* same = SensorAt(FindStringWithSameSensorCount(system, string), temperatureIndex);
  if (HasLimits(same)) return same->Name();
  const auto* prev = SensorAt(Previous(system, string), temperatureIndex);
  if (HasLimits(prev)) return prev->Name();
  return own ? own->Name() : std::string();
}

double SuggestTemperatureLimit(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                               int temperatureIndex, bool high) {
  const auto field = [high](const TzmUPSAlarmedSystemNode& n) {
    return high ? n.HighAlarm : n.LowAlarm;
  };
  const TzmUPSTemperatureSystemNode* own = SensorAt(&string, temperatureIndex);
  double r = own ? field(*own) : -1;
  if (r >= 0) return r;
  const TzmUPSTemperatureSystemNode* other =
      SensorAt(FindStringWithSameSensorCount(system, string), temperatureIndex);
  if (!HasLimits(other)) other = SensorAt(Previous(system, string), temperatureIndex);
  if (other && field(*other) >= 0) r = field(*other);
  if (r <= 0 && temperatureIndex >= 1) {
    const TzmUPSTemperatureSystemNode* before = SensorAt(&string, temperatureIndex - 1);
    if (before) r = field(*before);
  }
  return r;
}

std::string SuggestStringName(const TzmUPSSystem& system, int batteryIndex, int stringIndex) {
  const TzmUPSBatterySystemNode* b = system.GetBattery(batteryIndex);
  const TzmUPSStringSystemNode* s = b->GetString(stringIndex);
  const std::string own = s->GetShortName();
  int number = 0;
  if (!TryStrToInt(own, number) || number != stringIndex + 1) return own;

  if (stringIndex > 0) {
    const std::string n = b->GetString(stringIndex - 1)->GetShortName();
    const std::string l = b->GetShortName();
    const auto at = l.size() > 3 ? n.find(l) : std::string::npos;
    if (at != std::string::npos) {
      const std::string prefix = n.substr(0, at);
      const std::string rest = n.substr(at + l.size());
      int restNumber = 0;
      if (!rest.empty() && TryStrToInt(Trimmed(rest), restNumber) && restNumber == stringIndex) {
        const std::string spaces = rest.substr(0, rest.find_first_not_of(' '));
        return prefix + l + spaces + std::to_string(stringIndex + 1);
      }
    }
  }
  if (batteryIndex > 0) {
    const TzmUPSBatterySystemNode* before = system.GetBattery(batteryIndex - 1);
    if (const TzmUPSStringSystemNode* same = before->GetString(stringIndex)) {
      std::string n = same->GetShortName();
      const std::string l = before->GetShortName();
      const std::string m = b->GetShortName();
      const auto at = l.size() > 3 ? n.find(l) : std::string::npos;
      if (at != std::string::npos && m.size() > 3) return n.replace(at, l.size(), m);
    }
  }
  return own;
}

std::string DescribeChannelDefaults(const TzmUPSCellSystemNode& cell) {
  const auto part = [](const char* name, double value, const char* unit, const char* tail) {
    return std::string(name) + " = " + (value < 0 ? std::string("Unused") : General(value) + unit) +
           tail;
  };
  std::string text = part("HV", cell.HighAlarm, "V", ", ") + part("LV", cell.LowAlarm, "V", ", ") +
                     part("HR", cell.HighResistance, "mOhms", ", ") +
                     part("LR", cell.LowResistance, "mOhms", "");
  if (cell.BlocksPerChannel() > 1)
    text += ", Cells / channel = " + std::to_string(cell.BlocksPerChannel());
  return text;
}

TzmUPSCellSystemNode* ChannelDefaultsSource(const TzmUPSSystem& system,
                                            const TzmUPSStringSystemNode& string) {
  TzmUPSCellSystemNode* c = FirstCell(FindEarlierStringWithChannel(system, string));
  if (!c) return nullptr;
  if (c->HighAlarm < 0 && c->LowAlarm < 0 && c->HighResistance < 0 && c->LowResistance < 0)
    return nullptr;
  return c;
}
