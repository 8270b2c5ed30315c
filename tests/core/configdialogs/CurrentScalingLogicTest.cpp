#include <gtest/gtest.h>

#include "model/ZMCurrentScaling.h"
#include "wizard/fmCurrentScalingLogic.h"

TEST(CurrentScalingRules, PercentFromCablesRoundsHalvesToEven) {
  EXPECT_EQ(PercentFromCables(4, 3), 75);
  EXPECT_EQ(PercentFromCables(3, 1), 33);
  EXPECT_EQ(PercentFromCables(3, 2), 67);
  EXPECT_EQ(PercentFromCables(8, 1), 12);  // 12.5
  EXPECT_EQ(PercentFromCables(8, 3), 38);  // 37.5
  EXPECT_EQ(PercentFromCables(1, 3), 300);
  EXPECT_EQ(PercentFromCables(0, 1), 0);
}

TEST(CurrentScalingRules, ViewOfEachMode) {
  TCurrentScalingCalculator plain;
  TCurrentScalingView v = CurrentScalingViewOf(plain);
  EXPECT_FALSE(v.expert);
  EXPECT_EQ(v.probe, TProbeChoice::Amps1000);
  EXPECT_FALSE(v.otherProbe.has_value());
  EXPECT_TRUE(v.byCables);
  EXPECT_FALSE(v.cablesBlank);
  EXPECT_EQ(v.percent, 100);

  TCurrentScalingCalculator percent;
  percent.SetProbeCurrent(2500);
  percent.SetPercentCurrent(50);
  v = CurrentScalingViewOf(percent);
  EXPECT_EQ(v.probe, TProbeChoice::Amps2500);
  EXPECT_FALSE(v.byCables);
  EXPECT_TRUE(v.cablesBlank);
  EXPECT_EQ(v.percent, 50);

  TCurrentScalingCalculator cables;
  cables.SetProbeCurrent(1500);
  cables.SetCableRatio(4, 3);
  v = CurrentScalingViewOf(cables);
  EXPECT_EQ(v.probe, TProbeChoice::Other);
  EXPECT_EQ(v.otherProbe, 1500);
  EXPECT_EQ(v.totalCables, 4);
  EXPECT_EQ(v.monitoredCables, 3);
  EXPECT_EQ(v.percent, 75);
  EXPECT_TRUE(v.byCables);

  TCurrentScalingCalculator direct;
  direct.SetProbeCurrent(2500);
  direct.SetDirectValue(1200);
  v = CurrentScalingViewOf(direct);
  EXPECT_TRUE(v.expert);
  EXPECT_EQ(v.expertValue, 1200);
  EXPECT_EQ(v.probe, TProbeChoice::Amps1000);  // the probe group keeps its reset state
}

TEST(CurrentScalingRules, OkEnabling) {
  EXPECT_TRUE(CurrentScalingOkEnabled(false, "", true, 0));
  EXPECT_TRUE(CurrentScalingOkEnabled(false, "", false, 40));
  EXPECT_FALSE(CurrentScalingOkEnabled(false, "", false, 0));
  EXPECT_FALSE(CurrentScalingOkEnabled(true, "", true, 100));
  EXPECT_FALSE(CurrentScalingOkEnabled(true, "12a", true, 100));
  EXPECT_TRUE(CurrentScalingOkEnabled(true, "1200", false, 0));
}

TEST(CurrentScalingRules, ApplyFollowsTheChosenWay) {
  TCurrentScalingCalculator calc;
  calc.SetCableRatio(4, 1);

  TCurrentScalingAnswer a;
  a.probeCurrent = 2500;
  a.byCables = false;
  a.percent = 50;
  ApplyCurrentScaling(calc, a);
  EXPECT_TRUE(calc.UsePercent());
  EXPECT_FALSE(calc.UseCableRatio());
  EXPECT_EQ(calc.ProbeCurrent(), 2500);
  EXPECT_EQ(calc.GetScaledCurrent(), 5000);

  a = {};
  a.probeCurrent = 1000;
  a.totalCables = 5;
  a.monitoredCables = 2;
  ApplyCurrentScaling(calc, a);
  EXPECT_TRUE(calc.UseCableRatio());
  EXPECT_FALSE(calc.UsePercent());
  EXPECT_EQ(calc.GetScaledCurrent(), 2500);

  // The expert value alone: the probe current answer is not written.
  a = {};
  a.expert = true;
  a.expertValue = 1200;
  a.probeCurrent = 2500;
  ApplyCurrentScaling(calc, a);
  EXPECT_TRUE(calc.UseDirectValue());
  EXPECT_EQ(calc.GetScaledCurrent(), 1200);
  EXPECT_EQ(calc.ProbeCurrent(), 1000);
}
