#pragma once
// The rich text area of walk-through mode as the logic writes to it, and the
// deferred step that runs after the current step has returned.
#include <cstdint>
#include <functional>
#include <string>

// An RGB colour of text.
struct TTextColour {
  std::uint8_t R = 0, G = 0, B = 0;
  bool operator==(const TTextColour&) const = default;
};
inline constexpr TTextColour clRed{255, 0, 0};
inline constexpr TTextColour clNavy{0, 0, 128};

class ITextArea {
 public:
  virtual ~ITextArea() = default;
  // Empties the area; following text is plain, in the window text colour.
  virtual void ClearText() = 0;
  // A new last line (empty text: an empty line); bold only for this line.
  virtual void AddLine(const std::string& text, bool bold = false) = 0;
  // As AddLine, in the colour; the colour is restored afterwards.
  virtual void AddColouredLine(const std::string& text, TTextColour colour, bool bold) = 0;
  // Appends to the last line in the current style.
  virtual void AppendText(const std::string& text) = 0;
  virtual void AppendBold(const std::string& text) = 0;
  virtual void AppendColoured(const std::string& text, TTextColour colour) = 0;
  // Underlining of following text.
  virtual void SetUnderline(bool on) = 0;
};

// Posts a step to run once the current one has returned (the window's own
// message queue in the program; tests drain it explicitly).
class IDeferredStep {
 public:
  virtual ~IDeferredStep() = default;
  virtual void Post(std::function<void()> step) = 0;
};
