#pragma once
// The walk-through's text area as plain text: lines without styles or colours.
#include <string>
#include <vector>

#include "walkthrough/ZMTextArea.h"

class TPlainTextArea : public ITextArea {
 public:
  void ClearText() override { Lines.clear(); }
  void AddLine(const std::string& text, bool = false) override { Lines.push_back(text); }
  void AddColouredLine(const std::string& text, TTextColour, bool) override { Lines.push_back(text); }
  void AppendText(const std::string& text) override { Last() += text; }
  void AppendBold(const std::string& text) override { Last() += text; }
  void AppendColoured(const std::string& text, TTextColour) override { Last() += text; }
  void SetUnderline(bool) override {}

  std::string Text() const {
    std::string text;
    for (const std::string& line : Lines) text += line + "\n";
    return text;
  }

  std::vector<std::string> Lines;

 private:
  std::string& Last() {
    if (Lines.empty()) Lines.emplace_back();
    return Lines.back();
  }
};
