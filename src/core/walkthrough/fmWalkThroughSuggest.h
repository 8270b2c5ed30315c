#pragma once
// The values walk-through pages suggest. Each rule looks at the item itself
// first, so a page revisited shows what is stored, then at earlier strings.
// A limit of -1 means blank (the limit is not used).
#include <string>

#include "model/ZMUPSTreeSystem.h"

// "first", "second", ... "twentieth"; beyond that 21st, 22nd, 23rd, 30th.
std::string OrdinalWord(int n);

// The nearest earlier string (across batteries, at the first segment of a
// join group) that has a channel 0, or none.
TzmUPSStringSystemNode* FindEarlierStringWithChannel(const TzmUPSSystem& system,
                                                     const TzmUPSStringSystemNode& string);
// The nearest earlier string with as many temperature sensors as `string`, or none.
TzmUPSStringSystemNode* FindStringWithSameSensorCount(const TzmUPSSystem& system,
                                                      const TzmUPSStringSystemNode& string);

int SuggestChannelCount(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string);
int SuggestCurrentProbe(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string);
int SuggestTemperatureCount(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string);
int SuggestSubStringChannels(const TzmUPSStringSystemNode& string, int subStringIndex);
int SuggestBlocksPerChannel(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string);

// The channel limits a channel page suggests.
enum class TChannelLimit { LowVoltage, HighVoltage, LowOhmic, HighOhmic };
double SuggestChannelLimit(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                           TChannelLimit limit);

// Discharge threshold (HighAlarm) and charge alarm (LowAlarm) of probe `currentIndex`.
double SuggestDischarge(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                        int currentIndex);
double SuggestCharge(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                     int currentIndex);

std::string SuggestTemperatureName(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                                   int temperatureIndex);
// high = false: the low limit; true: the high limit (degrees C).
double SuggestTemperatureLimit(const TzmUPSSystem& system, const TzmUPSStringSystemNode& string,
                               int temperatureIndex, bool high);

// The name proposed for string `stringIndex` of battery `batteryIndex`: the
// stored short name, unless it is the plain default number, in which case a
// name patterned on the string before it or on the same string of the
// battery before is preferred ("North 1" -> "North 2", "North 1" -> "South 1").
std::string SuggestStringName(const TzmUPSSystem& system, int batteryIndex, int stringIndex);

// "HV = 14.4V, LV = 12.96V, HR = 6mOhms, LR = 1.8mOhms" (and the blocks per
// channel when above 1) for the channel whose settings a string may take.
std::string DescribeChannelDefaults(const TzmUPSCellSystemNode& cell);
// The channel offered by the "Use : " box: the first channel of the earlier
// string with a channel, when it has at least one limit; otherwise none.
TzmUPSCellSystemNode* ChannelDefaultsSource(const TzmUPSSystem& system,
                                            const TzmUPSStringSystemNode& string);
