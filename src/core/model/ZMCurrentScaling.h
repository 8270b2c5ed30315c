#pragma once
// Full-scale current of one current probe: how the probe sits on the string's
// cables and the resulting current in amperes.
#include <stdexcept>

// Raised when a cable ratio or a percentage would divide by zero. The
// calculator is then left reset with the new counts or percentage stored.
class ECurrentScalingError : public std::domain_error {
 public:
  using std::domain_error::domain_error;
};

// Fields are read through same-named accessors; they change only through the
// setters below, which keep the mode flags and the result consistent.
class TCurrentScalingCalculator {
 public:
  TCurrentScalingCalculator() = default;

  // Factor 1.0, result 1000, no mode; probe current, counts and percentage stay.
  void Reset();
  // Drops a direct value and recalculates with the current factor.
  void SetProbeCurrent(int amps);
  // Factor total / monitored. Raises ECurrentScalingError for 0 monitored cables.
  void SetCableRatio(int total, int monitored);
  // Factor 100 / percent. Raises ECurrentScalingError for 0 percent.
  void SetPercentCurrent(int percent);
  // The full-scale current typed by an expert; the factor stays 1.0.
  void SetDirectValue(int amps);
  // The result to the nearest integer, halves to even.
  int GetScaledCurrent() const;
  // Copies another calculator's description (not its raw fields).
  void Assign(const TCurrentScalingCalculator& source);

  long double ScaledCurrent() const { return ScaledCurrent_; }
  long double ScaleFactor() const { return ScaleFactor_; }
  int ProbeCurrent() const { return ProbeCurrent_; }
  int TotalCables() const { return TotalCables_; }
  int MonitoredCables() const { return MonitoredCables_; }
  int PercentCurrent() const { return PercentCurrent_; }
  bool UseCableRatio() const { return UseCableRatio_; }
  bool UsePercent() const { return UsePercent_; }
  bool UseDirectValue() const { return UseDirectValue_; }

 private:
  void Recalculate();

  long double ScaledCurrent_ = 1000;
  long double ScaleFactor_ = 1.0L;
  int ProbeCurrent_ = 1000;
  int TotalCables_ = 0;
  int MonitoredCables_ = 0;
  int PercentCurrent_ = 0;
  bool UseCableRatio_ = false;
  bool UsePercent_ = false;
  bool UseDirectValue_ = false;
};
