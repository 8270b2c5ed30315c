#pragma once
// The rules of the "Configure string" dialog that need no widgets: the ranges
// of its counts, how a summary value is shown, and when OK may be pressed.
#include <string>
#include <vector>

// The value a summary of several strings carries when the strings differ.
constexpr int kMixedValue = -100;

struct TCountRange {
  int minimum;
  int maximum;
  int initial;
};

constexpr TCountRange kCurrentCountRange{0, 1, 1};
constexpr TCountRange kTemperatureCountRange{0, 4, 1};
constexpr TCountRange kCellCountRange{0, 4000, 4};
constexpr TCountRange kJarCountRange{1, 12, 1};

// The tick of "Do not monitor cell ohmic-value": clear, ticked, or grey when
// the strings differ.
enum TVoltageOnlyState { vosClear = 0, vosTicked = 1, vosMixed = 2 };

// A count below its box's minimum (such as kMixedValue) is shown as a blank box.
bool CountShownBlank(int value, const TCountRange& range);

// OK may be pressed only while every count box holds some text.
bool ConfigStringOkEnabled(const std::vector<std::string>& countTexts);

// The state a check box tick maps to, and back; unknown numbers read as clear.
TVoltageOnlyState VoltageOnlyStateFromInt(int state);

// What a count box shows when the dialog is shown, so that Cancel can put it back.
struct TCountSnapshot {
  int position = 0;
  bool blank = false;
};
