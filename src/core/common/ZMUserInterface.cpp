#include "ZMUserInterface.h"

#include <stdexcept>

namespace {
IUserMessages* gMessages = nullptr;
IValuePrompts* gPrompts = nullptr;
IErrorList* gErrors = nullptr;
IFileDialogs* gFileDialogs = nullptr;

template <typename T>
T& Require(T* service, const char* name) {
  if (!service) throw std::logic_error(std::string("no ") + name + " installed");
  return *service;
}
}  // namespace

IUserMessages& UserMessages() { return Require(gMessages, "user message service"); }
IValuePrompts& ValuePrompts() { return Require(gPrompts, "value prompt service"); }
IErrorList& ErrorList() { return Require(gErrors, "error list"); }
IFileDialogs& FileDialogs() { return Require(gFileDialogs, "file dialog service"); }
void SetFileDialogs(IFileDialogs* dialogs) { gFileDialogs = dialogs; }
void SetUserMessages(IUserMessages* messages) { gMessages = messages; }
void SetValuePrompts(IValuePrompts* prompts) { gPrompts = prompts; }
void SetErrorList(IErrorList* errors) { gErrors = errors; }

std::string DefaultCaption(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Warning: return "Warning";
    case TMsgKind::Error: return "Error";
    case TMsgKind::Information: return "Information";
    case TMsgKind::Confirmation: return "Confirm";
  }
  return {};
}
