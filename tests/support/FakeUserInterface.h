#pragma once
// Scripted fakes of the user interfaces: they record what was asked and answer
// as the test told them. An unexpected question (no answer queued) fails the
// test, unless the fake was given a chooser: then it gets a legal answer picked
// by the chooser (the monkey test's seeded random numbers).
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/ZMUserInterface.h"

// Picks a number from 0 to n-1.
using TAnswerChooser = std::function<int(int n)>;

struct TRecordedMessage {
  TMsgKind kind;
  std::string text;
  TMsgButtons buttons;
  std::string caption;
};

class TFakeUserMessages : public IUserMessages {
 public:
  std::vector<TRecordedMessage> messages;
  std::vector<TBeepKind> beeps;
  std::deque<TMsgAnswer> answers;

  // Queue the answer to the next question; plain OK boxes need none.
  TFakeUserMessages& Answer(TMsgAnswer a) {
    answers.push_back(a);
    return *this;
  }

  // Answers questions nobody queued an answer for.
  TAnswerChooser chooser;

  TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons,
                  const std::string& caption) override {
    messages.push_back({kind, text, buttons, caption});
    if (buttons == TMsgButtons::Ok && answers.empty()) return TMsgAnswer::Ok;
    if (answers.empty() && chooser) return Choose(buttons);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return TMsgAnswer::Cancel;
    }
    const TMsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep(TBeepKind kind) override { beeps.push_back(kind); }

  std::string LastText() const { return messages.empty() ? std::string() : messages.back().text; }

 private:
  // The first answer of each set is the one that goes ahead.
  TMsgAnswer Choose(TMsgButtons buttons) {
    using A = TMsgAnswer;
    switch (buttons) {
      case TMsgButtons::Ok: return A::Ok;
      case TMsgButtons::OkCancel: return chooser(2) == 0 ? A::Ok : A::Cancel;
      case TMsgButtons::YesNo: return chooser(2) == 0 ? A::Yes : A::No;
      case TMsgButtons::YesNoCancel: return std::vector<A>{A::Yes, A::No, A::Cancel}[size_t(chooser(3))];
      case TMsgButtons::SaveDiscardCancel: return std::vector<A>{A::Discard, A::Save, A::Cancel}[size_t(chooser(3))];
    }
    return A::Cancel;
  }
};

class TFakeValuePrompts : public IValuePrompts {
 public:
  struct TAsked {
    std::string kind, prompt, caption;
  };
  std::vector<TAsked> asked;
  // Each queued reply: whether the user confirmed, and the value typed.
  std::deque<std::pair<bool, std::string>> replies;
  // Answers prompts nobody queued a reply for.
  TAnswerChooser chooser;

  TFakeValuePrompts& Reply(bool confirmed, std::string value = {}) {
    replies.emplace_back(confirmed, std::move(value));
    return *this;
  }

  bool GetNumber(const std::string& prompt, const std::string& caption, double& value) override {
    auto r = Next("number", prompt, caption);
    if (r.first) value = std::stod(r.second);
    return r.first;
  }
  bool GetText(const std::string& prompt, const std::string& caption, std::string& text) override {
    auto r = Next("text", prompt, caption);
    if (r.first) text = r.second;
    return r.first;
  }
  bool GetInteger(const std::string& prompt, int& value, int minimum, int maximum) override {
    range_ = {minimum, maximum};
    auto r = Next("integer", prompt, {});
    if (r.first) value = std::stoi(r.second);
    return r.first;
  }
  bool GetBool(const std::string& prompt, bool& value) override {
    auto r = Next("bool", prompt, {});
    if (r.first) value = r.second == "yes";
    return r.first;
  }

 private:
  std::pair<bool, std::string> Next(const char* kind, const std::string& prompt,
                                    const std::string& caption) {
    asked.push_back({kind, prompt, caption});
    if (replies.empty() && chooser) {
      const bool confirmed = chooser(4) != 3;  // the first choices go ahead
      return {confirmed, Pick(kind)};
    }
    if (replies.empty()) {
      ADD_FAILURE() << "unexpected prompt: " << prompt;
      return {false, {}};
    }
    auto r = replies.front();
    replies.pop_front();
    return r;
  }
  std::pair<int, int> range_;  // of the integer asked for
  std::string Pick(const std::string& kind) {
    static const char* const numbers[] = {"0", "1", "-1", "2.25", "12", "14.4", "100", "1e6"};
    static const char* const texts[] = {"", "A", "x y", "Süd", "a,b", "12", " ", "Battery: 9"};
    if (kind == "number") return numbers[chooser(8)];
    if (kind == "bool") return chooser(2) ? "yes" : "no";
    if (kind == "integer") return std::to_string(range_.first + chooser(std::clamp(range_.second - range_.first, 0, 40) + 1));
    return texts[chooser(8)];
  }
};

class TFakeErrorList : public IErrorList {
 public:
  std::vector<std::string> lines;
  int shown = 0;
  void Clear() override { lines.clear(); }
  void Add(const std::string& message) override { lines.push_back(message); }
  int Count() const override { return static_cast<int>(lines.size()); }
  void Show() override { ++shown; }
};

class TFakeFileDialogs : public IFileDialogs {
 public:
  std::vector<TFileDialogOptions> asked;
  // Each queued reply: the chosen path, or empty for Cancel.
  std::deque<std::string> replies;
  // Answers dialogs nobody queued a reply for: Cancel, or a file in `folder`
  // (an existing one to open; a new or existing one to save).
  TAnswerChooser chooser;
  std::filesystem::path folder;

  TFakeFileDialogs& Choose(std::string path) {
    replies.push_back(std::move(path));
    return *this;
  }
  bool SaveFileName(const TFileDialogOptions& options, std::string& fileName) override {
    return Next("save", options, fileName);
  }
  bool OpenFileName(const TFileDialogOptions& options, std::string& fileName) override {
    return Next("open", options, fileName);
  }
  // "save" or "open" for each dialog shown.
  std::vector<std::string> kinds;

 private:
  bool Next(const char* kind, const TFileDialogOptions& options, std::string& fileName) {
    asked.push_back(options);
    kinds.push_back(kind);
    if (replies.empty() && chooser) replies.push_back(Pick(kind));
    if (replies.empty()) {
      ADD_FAILURE() << "unexpected " << kind << " dialog";
      return false;
    }
    std::string reply = replies.front();
    replies.pop_front();
    if (reply.empty()) return false;
    fileName = reply;
    return true;
  }
  std::string Pick(const std::string& kind) {
    if (chooser(4) == 3) return {};  // the first choices go ahead
    std::vector<std::string> names = {"site.zmsite", "BatConfig.cfg", "other.cfg", "no such folder/x.cfg"};
    if (kind == "open") {
      names.clear();
      std::error_code ec;
      for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
      std::sort(names.begin(), names.end());  // the listing's order is the file system's
      if (names.empty()) return {};
    }
    return (folder / names[size_t(chooser(int(names.size())))]).string();
  }
};

// Installs the fakes as the application's services for the lifetime of a test.
struct TFakeServices {
  TFakeUserMessages messages;
  TFakeValuePrompts prompts;
  TFakeErrorList errors;
  TFakeFileDialogs files;
  TFakeServices() {
    SetUserMessages(&messages);
    SetValuePrompts(&prompts);
    SetErrorList(&errors);
    SetFileDialogs(&files);
  }
  ~TFakeServices() {
    SetFileDialogs(nullptr);
    SetUserMessages(nullptr);
    SetValuePrompts(nullptr);
    SetErrorList(nullptr);
  }
  TFakeServices(const TFakeServices&) = delete;
  TFakeServices& operator=(const TFakeServices&) = delete;
};
