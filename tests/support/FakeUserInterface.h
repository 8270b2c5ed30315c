#pragma once
// Scripted fakes of the user interfaces: they record what was asked and answer
// as the test told them. An unexpected question (no answer queued) fails the test.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/ZMUserInterface.h"

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

  TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons,
                  const std::string& caption) override {
    messages.push_back({kind, text, buttons, caption});
    if (buttons == TMsgButtons::Ok && answers.empty()) return TMsgAnswer::Ok;
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
};

class TFakeValuePrompts : public IValuePrompts {
 public:
  struct TAsked {
    std::string kind, prompt, caption;
  };
  std::vector<TAsked> asked;
  // Each queued reply: whether the user confirmed, and the value typed.
  std::deque<std::pair<bool, std::string>> replies;

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
  bool GetInteger(const std::string& prompt, int& value, int, int) override {
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
    if (replies.empty()) {
      ADD_FAILURE() << "unexpected prompt: " << prompt;
      return {false, {}};
    }
    auto r = replies.front();
    replies.pop_front();
    return r;
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
