#pragma once
// Scripted dialogs and tree for the tree command tests, and a text dump of the
// whole model for before/after comparisons.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "model/ZMUPSTreeSystem.h"
#include "wizard/MainDialogs.h"

// Every field of every node, one line per node, indented by depth.
inline void DumpNode(std::ostringstream& out, const TzmSystemNode& node, int depth) {
  out << std::string(static_cast<size_t>(depth) * 2, ' ') << node.Name() << " | " << node.GetText()
      << " | n=" << node.Number;
  if (auto* b = dynamic_cast<const TzmUPSBatterySystemNode*>(&node))
    out << " gs=" << b->Genset << " vo=" << b->VoltageOnly << " dcu=" << b->DefaultControlUnit;
  if (auto* s = dynamic_cast<const TzmUPSStringSystemNode*>(&node)) {
    out << " cu=" << s->ControlUnit() << " subs=";
    for (int c : s->SubStringCells()) out << c << ';';
  }
  if (auto* a = dynamic_cast<const TzmUPSAlarmedSystemNode*>(&node))
    out << " lo=" << a->LowAlarm << " hi=" << a->HighAlarm;
  if (auto* c = dynamic_cast<const TzmUPSCellSystemNode*>(&node))
    out << " lr=" << c->LowResistance << " hr=" << c->HighResistance << " null=" << int(c->NullCount)
        << " vos=" << int(c->VoltageOnlyState) << " bpc=" << c->BlocksPerChannel() << " from=" << c->BlockFrom()
        << " label=" << c->Label();
  if (auto* p = dynamic_cast<const TzmUPSCurrentSystemNode*>(&node))
    out << " probe=" << p->Scaling.ProbeCurrent() << '/' << p->Scaling.TotalCables() << '/'
        << p->Scaling.MonitoredCables() << '/' << p->Scaling.PercentCurrent();
  out << '\n';
  for (int i = 0; i < node.ChildCount(); ++i) DumpNode(out, *node.GetChild(i), depth + 1);
}

inline std::string DumpSystem(const TzmUPSSystem& system) {
  std::ostringstream out;
  DumpNode(out, *system.Root(), 0);
  return out.str();
}

// The tree: a selection set by the test. Nodes deleted meanwhile drop out of
// it, as rows of a real tree would.
class TFakeTree : public IMainTreeView {
 public:
  explicit TFakeTree(std::function<const TzmUPSSystem*()> system) : system_(std::move(system)) {}

  std::vector<TzmSystemNode*> selected;
  TzmSystemNode* focused = nullptr;
  bool editing = false;
  int editsStarted = 0;
  std::vector<TzmSystemNode*> expanded;

  void Select(std::vector<TzmSystemNode*> nodes, TzmSystemNode* focus = nullptr) {
    selected = std::move(nodes);
    focused = focus ? focus : (selected.empty() ? nullptr : selected.back());
  }
  void FocusOnly(TzmSystemNode* node) {
    selected.clear();
    focused = node;
  }

  TzmTreeSelection Selection() const override {
    TzmTreeSelection s;
    for (TzmSystemNode* n : selected)
      if (Alive(n)) s.Selected.push_back(n);
    s.Focused = Alive(focused) ? focused : nullptr;
    return s;
  }
  void FocusNode(TzmSystemNode* node) override { focused = node; }
  void ExpandNode(TzmSystemNode* node) override { expanded.push_back(node); }
  bool StartEditing() override {
    if (!Alive(focused)) return false;
    ++editsStarted;
    editing = true;
    return true;
  }
  bool IsEditing() const override { return editing; }

 private:
  bool Alive(const TzmSystemNode* node) const {
    return node && system_ && Contains(*system_()->Root(), node);
  }
  static bool Contains(const TzmSystemNode& root, const TzmSystemNode* node) {
    if (&root == node) return true;
    for (int i = 0; i < root.ChildCount(); ++i)
      if (Contains(*root.GetChild(i), node)) return true;
    return false;
  }
  std::function<const TzmUPSSystem*()> system_;
};

// The dialogs: their values as a real dialog keeps them, and scripted answers
// to Execute (an unexpected Execute fails the test).
class TFakeDialogs : public IMainDialogs {
 public:
  TStringSetup string;
  bool stringAllStrings = false;
  std::deque<bool> stringAnswers;
  std::vector<TStringSetupInput> stringInputs;
  std::vector<bool> stringScopes;
  // Run when the string dialog is accepted, as the user's changes.
  std::function<void(TStringSetup&)> onStringOk;

  TBatterySetup batteriesShown, batteriesAnswer;
  std::deque<bool> batteryAnswers;
  bool batteryAnswerSet = false;

  TAlarmLimits alarms{28, 16, 100, -1, 14.4, 12, 6, 1.8};
  bool alarmAllStrings = false, alarmsAccepted = false;
  std::deque<bool> alarmAnswers;
  std::vector<bool> alarmForced;
  std::vector<TAlarmLimits> alarmLimitsSet;
  // Run when the alarm dialog is accepted, as the user's typing.
  std::function<void(TAlarmLimits&)> onAlarmOk;

  std::deque<bool> scalingAnswers;
  int scalingRuns = 0;
  // The order in which the dialogs were shown: "string", "batteries", "alarms", "scaling".
  std::vector<std::string> shown;

  TStringSetup StringSetup() const override { return string; }
  void SetStringSetup(const TStringSetupInput& input) override {
    stringInputs.push_back(input);
    auto take = [](int& field, const std::optional<int>& v) {
      if (v) field = *v;
    };
    take(string.CurrentCount, input.CurrentCount);
    take(string.TemperatureCount, input.TemperatureCount);
    take(string.CellCount, input.CellCount);
    take(string.JarCount, input.JarCount);
    string.VoltageOnlyState = input.VoltageOnlyState;
  }
  bool ExecuteString(bool scopeChoosable) override {
    shown.push_back("string");
    stringScopes.push_back(scopeChoosable);
    const bool ok = Next(stringAnswers, "string dialog");
    if (ok && onStringOk) onStringOk(string);
    return ok;
  }
  bool StringAllStrings() const override { return stringAllStrings; }

  void SetBatterySetup(const TBatterySetup& setup) override { batteriesShown = setup; }
  bool ExecuteBatteries() override {
    shown.push_back("batteries");
    return Next(batteryAnswers, "battery dialog");
  }
  TBatterySetup BatterySetup() const override { return batteryAnswerSet ? batteriesAnswer : batteriesShown; }
  // The battery dialog answers OK with these values.
  void AnswerBatteries(TBatterySetup setup) {
    batteriesAnswer = std::move(setup);
    batteryAnswerSet = true;
    batteryAnswers.push_back(true);
  }

  TAlarmLimits AlarmLimits() const override { return alarms; }
  void SetAlarmLimits(const TAlarmLimits& limits) override {
    alarmLimitsSet.push_back(limits);
    alarms = limits;
  }
  bool ExecuteAlarms(bool forceAllStrings) override {
    shown.push_back("alarms");
    alarmForced.push_back(forceAllStrings);
    const bool ok = Next(alarmAnswers, "alarm dialog");
    if (ok) {
      alarmsAccepted = true;
      if (onAlarmOk) onAlarmOk(alarms);
    }
    return ok;
  }
  bool AlarmAllStrings() const override { return alarmAllStrings; }
  bool AlarmsAccepted() const override { return alarmsAccepted; }
  void SetAlarmsAccepted(bool accepted) override { alarmsAccepted = accepted; }

  bool ExecuteCurrentScaling(TCurrentScalingCalculator&) override {
    shown.push_back("scaling");
    ++scalingRuns;
    return Next(scalingAnswers, "current scaling dialog");
  }

 private:
  static bool Next(std::deque<bool>& answers, const char* what) {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      return false;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
};
