#include "common/ZMCommandGuard.h"

#include <atomic>
#include <cstdio>
#include <exception>

#include "common/ZMUserInterface.h"

const char* const UnknownCommandError = "The command failed with an unknown error.";

namespace {
std::atomic<int> errorsReported{0};
}  // namespace

int CommandErrorsReported() noexcept { return errorsReported.load(); }

void ReportCommandError(const std::string& what) noexcept {
  ++errorsReported;
  try {
    UserMessages().Show(TMsgKind::Error, what.empty() ? std::string(UnknownCommandError) : what,
                        TMsgButtons::Ok);
    return;
  } catch (...) {
    // No message box to show it in (or showing it failed): fall through.
  }
  std::fprintf(stderr, "Error: %s\n", what.c_str());
}

bool RunGuarded(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    ReportCommandError(error.what());
  } catch (...) {
    ReportCommandError(UnknownCommandError);
  }
  return false;
}
