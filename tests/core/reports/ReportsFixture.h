#pragma once
// A system built for the report tests, the control unit table and a text area.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "FakeTextArea.h"
#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/fmWalkThroughReports.h"

using Strings = std::vector<std::string>;

struct Reports : ::testing::Test {
  TzmUPSSystem system;
  TControlUnitTable table;
  TFakeTextArea area;

  // Batteries with the given string counts (replacing what was there).
  void Build(std::initializer_list<int> strings) {
    system.SetBatteryCount(0);
    system.SetBatteryCount(static_cast<int>(strings.size()));
    int b = 0;
    for (int count : strings) system.GetBattery(b++)->SetChildCount(count);
  }
  TzmUPSStringSystemNode* S(int b, int s) { return system.GetBattery(b)->GetString(s); }
  static void Equip(TzmUPSStringSystemNode* s, int probes, int sensors, int cells) {
    s->SetCurrentCount(probes);
    s->SetTemperatureCount(sensors);
    s->SetCellCount(cells);
  }
  bool Has(const std::string& line) const {
    return std::find(area.lines.begin(), area.lines.end(), line) != area.lines.end();
  }
  Strings Lines(size_t from, size_t to) const {
    to = std::min(to, area.lines.size());
    return from < to ? Strings(area.lines.begin() + from, area.lines.begin() + to) : Strings{};
  }
};
