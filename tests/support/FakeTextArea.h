#pragma once
// A text area that keeps its lines with simple style marks, for tests:
// bold runs read "*text*", underlined runs "_text_", coloured runs
// "<red>text</red>" or "<navy>text</navy>".
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "walkthrough/ZMTextArea.h"

class TFakeTextArea : public ITextArea {
 public:
  std::vector<std::string> lines;

  void ClearText() override {
    lines.clear();
    underline_ = false;
  }
  void AddLine(const std::string& text, bool bold) override {
    lines.emplace_back();
    Append(text, bold, {});
  }
  void AddColouredLine(const std::string& text, TTextColour colour, bool bold) override {
    lines.emplace_back();
    Append(text, bold, Name(colour));
  }
  void AppendText(const std::string& text) override { Append(text, false, {}); }
  void AppendBold(const std::string& text) override { Append(text, true, {}); }
  void AppendColoured(const std::string& text, TTextColour colour) override {
    Append(text, false, Name(colour));
  }
  void SetUnderline(bool on) override { underline_ = on; }

  std::string Text() const {
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    return all;
  }

 private:
  static std::string Name(TTextColour c) {
    if (c == clRed) return "red";
    if (c == clNavy) return "navy";
    return "rgb";
  }
  void Append(const std::string& text, bool bold, const std::string& colour) {
    if (lines.empty()) lines.emplace_back();
    std::string run = text;
    if (run.empty()) return;
    if (underline_) run = "_" + run + "_";
    if (bold) run = "*" + run + "*";
    if (!colour.empty()) run = "<" + colour + ">" + run + "</" + colour + ">";
    lines.back() += run;
  }
  bool underline_ = false;
};

// Deferred steps queued until the test drains them.
class TFakeDeferredStep : public IDeferredStep {
 public:
  std::deque<std::function<void()>> queue;
  void Post(std::function<void()> step) override { queue.push_back(std::move(step)); }
  // Runs queued steps (and those they post) until none is left; returns how many ran.
  int Drain() {
    int ran = 0;
    while (!queue.empty()) {
      auto step = std::move(queue.front());
      queue.pop_front();
      step();
      ++ran;
    }
    return ran;
  }
};
