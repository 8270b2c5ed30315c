#pragma once
// The small interfaces through which program logic reaches the user. The GUI
// implements them with Qt; tests implement them with scripted fakes.
#include <string>
#include <vector>

enum class TMsgKind { Warning, Error, Information, Confirmation };
enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class TMsgAnswer { Ok, Cancel, Yes, No, Save, Discard };
enum class TBeepKind { Default, Question, Exclamation };

// Modal message boxes and the system beep.
class IUserMessages {
 public:
  virtual ~IUserMessages() = default;
  // Shows `text` (a '\r' in it is a line break) and returns the button pressed.
  // An empty caption means the kind's own caption ("Warning", "Error", ...).
  virtual TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons,
                          const std::string& caption = {}) = 0;
  virtual void Beep(TBeepKind kind = TBeepKind::Default) = 0;
};

// The value prompts: each returns whether the user confirmed; only then is the
// value passed by reference replaced.
class IValuePrompts {
 public:
  virtual ~IValuePrompts() = default;
  virtual bool GetNumber(const std::string& prompt, const std::string& caption, double& value) = 0;
  virtual bool GetText(const std::string& prompt, const std::string& caption, std::string& text) = 0;
  virtual bool GetInteger(const std::string& prompt, int& value, int minimum, int maximum) = 0;
  virtual bool GetBool(const std::string& prompt, bool& value) = 0;
};

// The list of problems collected while the configuration grid is built.
class IErrorList {
 public:
  virtual ~IErrorList() = default;
  virtual void Clear() = 0;
  virtual void Add(const std::string& message) = 0;
  virtual int Count() const = 0;
  virtual void Show() = 0;
};

// The standard file dialogs.
struct TFileDialogOptions {
  std::string Title;
  // Pairs of description and pattern, "|"-separated: "Configuration Files|*.cfg|All files|*.*".
  std::string Filter;
  std::string DefaultExt;   // without the dot, added when the name has none
  std::string FileName;     // the name offered
  std::string InitialDir;   // the folder the dialog opens in
  bool OverwritePrompt = true;
};

class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  // Asks for a file to save to; true and the chosen path when the user accepted.
  virtual bool SaveFileName(const TFileDialogOptions& options, std::string& fileName) = 0;
  // Asks for an existing file to open; true and the chosen path when the user accepted.
  virtual bool OpenFileName(const TFileDialogOptions& options, std::string& fileName) = 0;
};

// The application-wide services. The GUI installs its Qt implementations at
// start-up; tests install fakes. Using one that was never installed throws
// std::logic_error, so a forgotten set-up fails loudly instead of silently.
IUserMessages& UserMessages();
IValuePrompts& ValuePrompts();
IErrorList& ErrorList();
IFileDialogs& FileDialogs();
void SetFileDialogs(IFileDialogs* dialogs);
void SetUserMessages(IUserMessages* messages);
void SetValuePrompts(IValuePrompts* prompts);
void SetErrorList(IErrorList* errors);

// The caption a message box of this kind shows when none is given.
std::string DefaultCaption(TMsgKind kind);
