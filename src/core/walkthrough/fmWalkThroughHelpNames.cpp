#include "walkthrough/fmWalkThroughHelpNames.h"

namespace {
// Positions in the one list of names below.
enum THelp {
  hStart, hBatteryCount, hBatteryName, hBatteryNameWithCopy, hStringCount, hStringName,
  hStringNameWithCopy, hStringCellCount, hSubStringCount, hSubStringCellCount, hProbeCheck,
  hTemperatureCount, hBlocksPerChannel, hLowVoltage, hHighVoltage, hLowResistance,
  hHighResistance, hDischarge, hCharge, hTemperatureName, hLowTemperature, hHighTemperature,
  hNone
};
static_assert(hNone == WalkThroughHelpCount);

THelp HelpOf(TWalkPageId page, bool variant) {
  switch (page) {
    case TWalkPageId::Start: return hStart;
    case TWalkPageId::BatteryCount: return hBatteryCount;
    case TWalkPageId::BatteryName: return variant ? hBatteryNameWithCopy : hBatteryName;
    case TWalkPageId::StringCount: return hStringCount;
    case TWalkPageId::StringName: return variant ? hStringNameWithCopy : hStringName;
    case TWalkPageId::StringChannels: return variant ? hSubStringCount : hStringCellCount;
    case TWalkPageId::StringProbe: return hProbeCheck;
    case TWalkPageId::StringSensors: return hTemperatureCount;
    case TWalkPageId::SubStringChannels: return hSubStringCellCount;
    case TWalkPageId::BlocksPerChannel: return hBlocksPerChannel;
    case TWalkPageId::LowVoltage: return hLowVoltage;
    case TWalkPageId::HighVoltage: return hHighVoltage;
    case TWalkPageId::LowOhmic: return hLowResistance;
    case TWalkPageId::HighOhmic: return hHighResistance;
    case TWalkPageId::Discharge: return hDischarge;
    case TWalkPageId::Charge: return hCharge;
    case TWalkPageId::SensorName: return hTemperatureName;
    case TWalkPageId::LowTemperature: return hLowTemperature;
    case TWalkPageId::HighTemperature: return hHighTemperature;
    case TWalkPageId::NoPage:
    case TWalkPageId::SystemVerify:
    case TWalkPageId::BatteryVerify: break;
  }
  return hNone;
}
}  // namespace

const std::array<const char*, WalkThroughHelpCount>& WalkThroughHelpNames() {
  static const std::array<const char*, WalkThroughHelpCount> kNames = {
      "StartWalkThrough",       "SetBatteryCount",         "SetBatteryName",
      "SetBatteryNameWithCopy", "SetBatteryStringCount",   "SetStringName",
      "SetStringNameWithCopy",  "SetStringCellCount",      "SetStringSubStringCount",
      "SetSubStringCellCount",  "StringCurrentProbeCheck", "SetStringTemperatureCount",
      "SetBlockPerChannelCount", "SetLowVoltageLimit",     "SetHighVoltageLimit",
      "SetLowResistanceLimit",  "SetHighResistanceLimit",  "SetDischargeLimit",
      "SetChargeLimit",         "SetTemperatureName",      "SetLowTemperatureLimit",
      "SetHighTemperatureLimit"};
  return kNames;
}

std::string WalkThroughHelpName(TWalkPageId page, bool variant) {
  const THelp help = HelpOf(page, variant);
  return help == hNone ? std::string() : WalkThroughHelpNames()[help];
}
