#include "model/ZMCurrentScaling.h"

#include <limits>

#include "common/ZMFormat.h"

void TCurrentScalingCalculator::Reset() {
  ScaleFactor_ = 1.0L;
  ScaledCurrent_ = 1000;
  UseCableRatio_ = false;
  UsePercent_ = false;
  UseDirectValue_ = false;
}

void TCurrentScalingCalculator::Recalculate() {
  // "Not greater than zero" also catches a NaN factor.
  if (ScaleFactor_ > 0)
    ScaledCurrent_ = ProbeCurrent_ * ScaleFactor_;
  else
    ScaledCurrent_ = ProbeCurrent_;
}

void TCurrentScalingCalculator::SetProbeCurrent(int amps) {
  UseDirectValue_ = false;
  ProbeCurrent_ = amps;
  Recalculate();
}

void TCurrentScalingCalculator::SetCableRatio(int total, int monitored) {
  Reset();
  TotalCables_ = total;
  MonitoredCables_ = monitored;
  if (monitored == 0) {
    Recalculate();
    throw ECurrentScalingError(
        "Cannot scale the probe current: the number of monitored cables is 0");
  }
  ScaleFactor_ = static_cast<long double>(total) / monitored;
  UseCableRatio_ = true;
  Recalculate();
}

void TCurrentScalingCalculator::SetPercentCurrent(int percent) {
  Reset();
  PercentCurrent_ = percent;
  if (percent == 0) {
    Recalculate();
    throw ECurrentScalingError(
        "Cannot scale the probe current: the percentage of current through the probe is 0");
  }
  ScaleFactor_ = 1.0L / (static_cast<long double>(percent) / 100);
  UsePercent_ = true;
  Recalculate();
}

void TCurrentScalingCalculator::SetDirectValue(int amps) {
  Reset();
  UseDirectValue_ = true;
  ScaledCurrent_ = amps;
}

int TCurrentScalingCalculator::GetScaledCurrent() const {
  const long long rounded = RoundHalfEven(ScaledCurrent_);
  if (rounded > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (rounded < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(rounded);
}

void TCurrentScalingCalculator::Assign(const TCurrentScalingCalculator& source) {
  if (&source == this) return;
  Reset();
  ProbeCurrent_ = 1000;
  SetProbeCurrent(source.ProbeCurrent_);
  if (source.UseDirectValue_)
    SetDirectValue(source.GetScaledCurrent());
  else if (source.UseCableRatio_)
    SetCableRatio(source.TotalCables_, source.MonitoredCables_);
  else if (source.UsePercent_)
    SetPercentCurrent(source.PercentCurrent_);
}
