#pragma once
// zmconfig, the command-line program over the core: build, check, report,
// import and auto-assign without a window. Runs in-process for tests.
#include <ostream>
#include <string>
#include <vector>

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;    // the check or the build failed
inline constexpr int kExitBadInput = 2;  // bad arguments, or a file that cannot be read or written

// Runs zmconfig with its arguments (without the program name). Results go to
// `out`, messages to `err`; returns the exit status.
int RunZmConfig(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
