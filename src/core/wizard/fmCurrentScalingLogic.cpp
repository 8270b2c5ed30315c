#include "wizard/fmCurrentScalingLogic.h"

#include <algorithm>

#include "common/ZMFormat.h"
#include "model/ZMCurrentScaling.h"

int PercentFromCables(int totalCables, int monitoredCables) {
  if (totalCables == 0) return 0;
  return static_cast<int>(RoundHalfEven(static_cast<long double>(monitoredCables) / totalCables * 100));
}

TCurrentScalingView CurrentScalingViewOf(const TCurrentScalingCalculator& calculator) {
  TCurrentScalingView view;
  if (calculator.UseDirectValue()) {
    view.expert = true;
    view.expertValue = calculator.GetScaledCurrent();
    return view;
  }
  switch (calculator.ProbeCurrent()) {
    case 1000: view.probe = TProbeChoice::Amps1000; break;
    case 2500: view.probe = TProbeChoice::Amps2500; break;
    default:
      view.probe = TProbeChoice::Other;
      view.otherProbe = std::clamp(calculator.ProbeCurrent(), kOtherProbeMin, kOtherProbeMax);
      break;
  }
  if (calculator.UseCableRatio()) {
    view.totalCables = std::clamp(calculator.TotalCables(), kCablesMin, kCablesMax);
    view.monitoredCables = std::clamp(calculator.MonitoredCables(), kCablesMin, kCablesMax);
    view.percent = std::clamp(PercentFromCables(view.totalCables, view.monitoredCables), kPercentMin,
                              kPercentMax);
    view.byCables = true;
  } else if (calculator.UsePercent()) {
    view.byCables = false;
    view.percent = std::clamp(calculator.PercentCurrent(), kPercentMin, kPercentMax);
    view.cablesBlank = true;
  }
  return view;
}

bool ExpertValueFromText(const std::string& text, int& value) { return TryStrToInt(text, value); }

bool CurrentScalingOkEnabled(bool expertTicked, const std::string& expertText, bool byCables,
                             int percent) {
  if (expertTicked) {
    int value = 0;
    return ExpertValueFromText(expertText, value);
  }
  return byCables || percent != 0;
}

void ApplyCurrentScaling(TCurrentScalingCalculator& calculator, const TCurrentScalingAnswer& answer) {
  if (answer.expert) {
    calculator.SetDirectValue(answer.expertValue);
    return;
  }
  calculator.SetProbeCurrent(answer.probeCurrent);
  if (answer.byCables)
    calculator.SetCableRatio(answer.totalCables, answer.monitoredCables);
  else
    calculator.SetPercentCurrent(answer.percent);
}
