#pragma once
// The one guard around everything the user sets off: an exception a command
// raises is shown in an error box and goes no further, so the program and the
// user's work survive it.
#include <functional>
#include <string>

// Runs `command`; when it throws, shows the error and returns false.
bool RunGuarded(const std::function<void()>& command);

// Shows the error of a command that failed. Never throws: when even the error
// box cannot be shown, the text goes to standard error.
void ReportCommandError(const std::string& what) noexcept;

// How many errors have reached the guard since the program started. An error
// that gets this far is a fault of the program: the robustness tests watch it.
int CommandErrorsReported() noexcept;

// The text shown for an exception that is not a std::exception.
extern const char* const UnknownCommandError;
