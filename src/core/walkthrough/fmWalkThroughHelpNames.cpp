#include "walkthrough/fmWalkThroughHelpNames.h"

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
  switch (page) {
    case TWalkPageId::Start: return "StartWalkThrough";
    case TWalkPageId::BatteryCount: return "SetBatteryCount";
    case TWalkPageId::BatteryName: return variant ? "SetBatteryNameWithCopy" : "SetBatteryName";
    case TWalkPageId::StringCount: return "SetBatteryStringCount";
    case TWalkPageId::StringName: return variant ? "SetStringNameWithCopy" : "SetStringName";
    case TWalkPageId::StringChannels:
      return variant ? "SetStringSubStringCount" : "SetStringCellCount";
    case TWalkPageId::StringProbe: return "StringCurrentProbeCheck";
    case TWalkPageId::StringSensors: return "SetStringTemperatureCount";
    case TWalkPageId::SubStringChannels: return "SetSubStringCellCount";
    case TWalkPageId::BlocksPerChannel: return "SetBlockPerChannelCount";
    case TWalkPageId::LowVoltage: return "SetLowVoltageLimit";
    case TWalkPageId::HighVoltage: return "SetHighVoltageLimit";
    case TWalkPageId::LowOhmic: return "SetLowResistanceLimit";
    case TWalkPageId::HighOhmic: return "SetHighResistanceLimit";
    case TWalkPageId::Discharge: return "SetDischargeLimit";
    case TWalkPageId::Charge: return "SetChargeLimit";
    case TWalkPageId::SensorName: return "SetTemperatureName";
    case TWalkPageId::LowTemperature: return "SetLowTemperatureLimit";
    case TWalkPageId::HighTemperature: return "SetHighTemperatureLimit";
    case TWalkPageId::NoPage:
    case TWalkPageId::SystemVerify:
    case TWalkPageId::BatteryVerify: break;
  }
  return {};
}
