#pragma once
// The rules of the "Current Scaling" dialog that need no widgets: what the
// dialog shows for a calculator, the percentage that cable counts give, when OK
// may be pressed, and how the answers are written back into the calculator.
#include <optional>
#include <string>

class TCurrentScalingCalculator;

// Ranges of the dialog's up-downs.
constexpr int kOtherProbeMin = 0;
constexpr int kOtherProbeMax = 32000;
constexpr int kOtherProbeInitial = 2000;
constexpr int kCablesMin = 1;
constexpr int kCablesMax = 32767;
constexpr int kPercentMin = 0;
constexpr int kPercentMax = 200;
constexpr int kPercentInitial = 100;

enum class TProbeChoice { Amps1000, Amps2500, Other };

// What the dialog shows when it opens on a calculator.
struct TCurrentScalingView {
  bool expert = false;
  int expertValue = 0;  // shown only when `expert`
  TProbeChoice probe = TProbeChoice::Amps1000;
  std::optional<int> otherProbe;  // the other probe current, when the calculator sets it
  int totalCables = 1;
  int monitoredCables = 1;
  bool cablesBlank = false;  // the percentage decides: both cable boxes empty
  int percent = kPercentInitial;
  bool byCables = true;
};

// The user's answers when OK is pressed.
struct TCurrentScalingAnswer {
  bool expert = false;
  int expertValue = 0;
  int probeCurrent = 1000;
  bool byCables = true;
  int totalCables = 1;
  int monitoredCables = 1;
  int percent = kPercentInitial;
};

// Monitored / total × 100 to the nearest integer, halves to even; 0 for no cables.
int PercentFromCables(int totalCables, int monitoredCables);

TCurrentScalingView CurrentScalingViewOf(const TCurrentScalingCalculator& calculator);

// The expert box holds a valid integer.
bool ExpertValueFromText(const std::string& text, int& value);

// OK may be pressed when the expert box is clear, or ticked and holding a valid
// integer. A percentage of 0 while the percentage decides the factor would
// divide by zero, so it keeps OK disabled too.
bool CurrentScalingOkEnabled(bool expertTicked, const std::string& expertText, bool byCables,
                             int percent);

// Writes the answers into the calculator in the order the dialog uses on OK:
// the direct value alone for experts; else the probe current, then the cable
// ratio or the percentage.
void ApplyCurrentScaling(TCurrentScalingCalculator& calculator, const TCurrentScalingAnswer& answer);
