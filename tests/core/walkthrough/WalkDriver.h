#pragma once
// Drives a walk-through as a user would: answers the page on display, presses
// Next or Go back, and lets the deferred steps run as the window's queue would.
#include <gtest/gtest.h>

#include <string>

#include "FakeTextArea.h"
#include "FakeUserInterface.h"
#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/fmWalkThroughEngine.h"

struct TWalkDriver {
  TFakeServices services;
  TzmUPSSystem system;
  TFakeTextArea text;
  TFakeDeferredStep deferred;
  TWalkThroughEngine engine{text, deferred};

  TWalkDriver() { engine.Start(&system); }

  const TWalkPage& Page() const { return engine.Page(); }
  TWalkPageId Id() const { return engine.Page().Id; }

  void Next() {
    engine.Next();
    deferred.Drain();
  }
  void Back() {
    engine.GoBack();
    deferred.Drain();
  }
  // Types the answer into the entry on display (text box or number box).
  void Type(const std::string& value) {
    if (Page().TextVisible)
      engine.SetEntryText(value);
    else
      engine.UserChangedNumber(value);
  }
  void Answer(const std::string& value) {
    Type(value);
    Next();
  }
  void Tick(TWalkBox box, bool checked) { engine.UserSetCheck(box, checked); }
  void AnswerCheck(bool checked) {
    Tick(TWalkBox::WalkThru, checked);
    Next();
  }
  // Presses Next (twice where a blank answer asks for confirmation) until the
  // page is reached; fails after `limit` presses.
  void NextUntil(TWalkPageId id, int limit = 60) {
    for (int i = 0; i < limit && Id() != id; ++i) Next();
    ASSERT_EQ(Id(), id);
  }
  bool TextHas(const std::string& part) const {
    return text.Text().find(part) != std::string::npos;
  }

  TzmUPSBatterySystemNode* Battery(int b) const { return system.GetBattery(b); }
  TzmUPSStringSystemNode* String(int b, int s) const { return system.GetBattery(b)->GetString(s); }
};
