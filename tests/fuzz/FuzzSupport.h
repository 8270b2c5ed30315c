#pragma once
// What the fuzz targets share: a reader of the fuzzer's bytes, user interfaces
// that answer from those bytes, and a check that stops the run loudly.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>

#include "common/ZMUserInterface.h"
#include "walkthrough/ZMTextArea.h"

// An invariant that failed: the fuzzer keeps the input that did it.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

// Takes bytes, small numbers and short texts off the input; an exhausted input
// reads as zeros.
class TFuzzBytes {
 public:
  TFuzzBytes(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // 0 .. n-1.
  int Below(int n) { return n <= 0 ? 0 : Byte() % n; }
  bool Bool() { return Byte() & 1; }
  // Up to `max` bytes, as they stand.
  std::string Text(int max = 8) {
    const int n = Below(max + 1);
    std::string text;
    for (int i = 0; i < n && !Empty(); ++i) text.push_back(static_cast<char>(Byte()));
    return text;
  }

 private:
  const std::uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Message boxes and prompts that answer from the input.
class TFuzzUserInterface : public IUserMessages, public IValuePrompts, public IErrorList {
 public:
  explicit TFuzzUserInterface(TFuzzBytes& in) : in_(in) {
    SetUserMessages(this);
    SetValuePrompts(this);
    SetErrorList(this);
  }
  ~TFuzzUserInterface() override {
    SetUserMessages(nullptr);
    SetValuePrompts(nullptr);
    SetErrorList(nullptr);
  }
  TFuzzUserInterface(const TFuzzUserInterface&) = delete;
  TFuzzUserInterface& operator=(const TFuzzUserInterface&) = delete;

  TMsgAnswer Show(TMsgKind, const std::string&, TMsgButtons buttons, const std::string&) override {
    switch (buttons) {
      case TMsgButtons::Ok: return TMsgAnswer::Ok;
      case TMsgButtons::OkCancel: return in_.Bool() ? TMsgAnswer::Ok : TMsgAnswer::Cancel;
      case TMsgButtons::YesNo: return in_.Bool() ? TMsgAnswer::Yes : TMsgAnswer::No;
      case TMsgButtons::YesNoCancel: {
        const TMsgAnswer answers[] = {TMsgAnswer::Yes, TMsgAnswer::No, TMsgAnswer::Cancel};
        return answers[in_.Below(3)];
      }
      case TMsgButtons::SaveDiscardCancel: {
        const TMsgAnswer answers[] = {TMsgAnswer::Save, TMsgAnswer::Discard, TMsgAnswer::Cancel};
        return answers[in_.Below(3)];
      }
    }
    return TMsgAnswer::Cancel;
  }
  void Beep(TBeepKind) override {}
  bool GetNumber(const std::string&, const std::string&, double& value) override {
    value = in_.Below(200) - 20;
    return in_.Bool();
  }
  bool GetText(const std::string&, const std::string&, std::string& text) override {
    text = in_.Text();
    return in_.Bool();
  }
  bool GetInteger(const std::string&, int& value, int minimum, int maximum) override {
    value = minimum + in_.Below(maximum - minimum + 1);
    return in_.Bool();
  }
  bool GetBool(const std::string&, bool& value) override {
    value = in_.Bool();
    return in_.Bool();
  }
  void Clear() override { count_ = 0; }
  void Add(const std::string&) override { ++count_; }
  int Count() const override { return count_; }
  void Show() override {}

 private:
  TFuzzBytes& in_;
  int count_ = 0;
};

class TNullTextArea : public ITextArea {
 public:
  void ClearText() override {}
  void AddLine(const std::string&, bool) override {}
  void AddColouredLine(const std::string&, TTextColour, bool) override {}
  void AppendText(const std::string&) override {}
  void AppendBold(const std::string&) override {}
  void AppendColoured(const std::string&, TTextColour) override {}
  void SetUnderline(bool) override {}
};

// The window's queue of deferred steps.
class TQueuedSteps : public IDeferredStep {
 public:
  void Post(std::function<void()> step) override { steps_.push_back(std::move(step)); }
  void Drain() {
    for (int guard = 0; !steps_.empty() && guard < 1000; ++guard) {
      std::function<void()> step = std::move(steps_.front());
      steps_.pop_front();
      step();
    }
  }
  bool Empty() const { return steps_.empty(); }

 private:
  std::deque<std::function<void()>> steps_;
};
