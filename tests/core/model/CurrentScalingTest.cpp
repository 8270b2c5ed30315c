#include <gtest/gtest.h>

#include <cmath>

#include "model/TempConvert.h"
#include "model/ZMCurrentScaling.h"

TEST(CurrentScaling, NewCalculatorGivesThePlainProbe) {
  TCurrentScalingCalculator c;
  EXPECT_EQ(c.GetScaledCurrent(), 1000);
  EXPECT_EQ(c.ProbeCurrent(), 1000);
  EXPECT_EQ(c.ScaleFactor(), 1.0L);
  EXPECT_FALSE(c.UseCableRatio() || c.UsePercent() || c.UseDirectValue());
}

TEST(CurrentScaling, CableRatioAndPercentScaleTheProbe) {
  TCurrentScalingCalculator c;
  c.SetCableRatio(4, 1);
  EXPECT_EQ(c.GetScaledCurrent(), 4000);
  EXPECT_TRUE(c.UseCableRatio());
  c.SetCableRatio(3, 2);
  EXPECT_EQ(c.ScaleFactor(), 1.5L);
  EXPECT_EQ(c.GetScaledCurrent(), 1500);

  c.SetProbeCurrent(2500);
  c.SetPercentCurrent(50);
  EXPECT_FALSE(c.UseCableRatio());
  EXPECT_TRUE(c.UsePercent());
  EXPECT_EQ(c.GetScaledCurrent(), 5000);
  EXPECT_EQ(c.TotalCables(), 3);  // counts survive a mode change
  EXPECT_EQ(c.MonitoredCables(), 2);

  // The probe current keeps the factor of the chosen mode.
  c.SetProbeCurrent(1000);
  EXPECT_TRUE(c.UsePercent());
  EXPECT_EQ(c.GetScaledCurrent(), 2000);
}

TEST(CurrentScaling, ProbeCurrentAloneAndDirectValues) {
  TCurrentScalingCalculator c;
  c.SetProbeCurrent(2500);
  EXPECT_EQ(c.GetScaledCurrent(), 2500);
  c.SetDirectValue(3000);
  EXPECT_TRUE(c.UseDirectValue());
  EXPECT_EQ(c.GetScaledCurrent(), 3000);
  EXPECT_EQ(c.ScaleFactor(), 1.0L);
  c.SetProbeCurrent(1000);
  EXPECT_FALSE(c.UseDirectValue());
  EXPECT_EQ(c.GetScaledCurrent(), 1000);
}

TEST(CurrentScaling, ResultRoundsHalvesToEven) {
  TCurrentScalingCalculator c;
  c.SetProbeCurrent(5);
  c.SetCableRatio(1, 2);  // 2.5
  EXPECT_EQ(c.GetScaledCurrent(), 2);
  c.SetProbeCurrent(7);  // 3.5
  EXPECT_EQ(c.GetScaledCurrent(), 4);
  c.SetCableRatio(3, 2);  // 10.5
  EXPECT_EQ(c.GetScaledCurrent(), 10);
}

TEST(CurrentScaling, NonPositiveFactorsFallBackToTheProbe) {
  TCurrentScalingCalculator c;
  c.SetCableRatio(0, 3);
  EXPECT_EQ(c.GetScaledCurrent(), 1000);
  c.SetPercentCurrent(-50);
  EXPECT_EQ(c.GetScaledCurrent(), 1000);
}

TEST(CurrentScaling, ZeroDivisorRaisesAndLeavesAResetFiniteCalculator) {
  TCurrentScalingCalculator c;
  c.SetProbeCurrent(2500);
  c.SetPercentCurrent(25);
  EXPECT_THROW(c.SetCableRatio(4, 0), ECurrentScalingError);
  EXPECT_EQ(c.TotalCables(), 4);
  EXPECT_EQ(c.MonitoredCables(), 0);
  EXPECT_FALSE(c.UseCableRatio() || c.UsePercent() || c.UseDirectValue());
  EXPECT_EQ(c.ScaleFactor(), 1.0L);
  EXPECT_TRUE(std::isfinite(c.ScaledCurrent()));
  EXPECT_EQ(c.GetScaledCurrent(), 2500);

  c.SetCableRatio(2, 1);
  try {
    c.SetPercentCurrent(0);
    FAIL() << "no error";
  } catch (const std::domain_error& e) {
    EXPECT_NE(std::string(e.what()).find("percentage"), std::string::npos);
  }
  EXPECT_EQ(c.PercentCurrent(), 0);
  EXPECT_FALSE(c.UseCableRatio() || c.UsePercent());
  EXPECT_EQ(c.GetScaledCurrent(), 2500);
}

TEST(CurrentScaling, AssignCopiesTheDescription) {
  TCurrentScalingCalculator percent;
  percent.SetPercentCurrent(25);
  TCurrentScalingCalculator c;
  c.SetProbeCurrent(2500);
  c.Assign(percent);
  EXPECT_TRUE(c.UsePercent());
  EXPECT_EQ(c.ProbeCurrent(), 1000);
  EXPECT_EQ(c.GetScaledCurrent(), 4000);

  TCurrentScalingCalculator direct;
  direct.SetDirectValue(1234);
  c.Assign(direct);
  EXPECT_TRUE(c.UseDirectValue());
  EXPECT_FALSE(c.UsePercent());
  EXPECT_EQ(c.GetScaledCurrent(), 1234);

  TCurrentScalingCalculator cables;
  cables.SetProbeCurrent(2500);
  cables.SetCableRatio(2, 1);
  c.Assign(cables);
  EXPECT_EQ(c.ProbeCurrent(), 2500);
  EXPECT_EQ(c.GetScaledCurrent(), 5000);

  // A source left reset by a refused ratio copies as the plain probe, no error.
  TCurrentScalingCalculator refused;
  EXPECT_THROW(refused.SetCableRatio(3, 0), ECurrentScalingError);
  EXPECT_NO_THROW(c.Assign(refused));
  EXPECT_FALSE(c.UseCableRatio());
  EXPECT_EQ(c.GetScaledCurrent(), 1000);

  c.SetCableRatio(4, 1);
  c.Assign(c);  // assigning itself keeps the description
  EXPECT_EQ(c.GetScaledCurrent(), 4000);
}

TEST(TempConvert, ConvertsBothWays) {
  EXPECT_EQ(CelsiusToFahrenheit(100), 212);
  EXPECT_EQ(CelsiusToFahrenheit(-40), -40);
  EXPECT_EQ(FahrenheitToCelsius(32), 0);
  EXPECT_EQ(FahrenheitToCelsius(212), 100);
  EXPECT_NEAR(static_cast<double>(FahrenheitToCelsius(CelsiusToFahrenheit(23.7L))), 23.7, 1e-15);
}
