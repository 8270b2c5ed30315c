#pragma once
// Writing a file safely: the text goes to a temporary file in the target's
// folder, which is flushed, closed and renamed over the target. On failure the
// earlier file is untouched, the temporary file is removed and ESafeFileError
// names the file and the system's reason.
#include <stdexcept>
#include <string>

class ESafeFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void WriteFileSafely(const std::string& path, const std::string& contents);

// --- Injected failures (for tests) -------------------------------------------
// Makes every following WriteFileSafely fail at one step with the error number
// given, as the system would: Open (the temporary file cannot be made), Write
// (after part of the text was written), Sync (flushing to the disk) or Rename
// (putting the finished file in place). It holds for all threads until it is
// set back to None. TSafeWriteFault sets it for one scope.
enum class TSafeWriteStep { None, Open, Write, Sync, Rename };
void SetSafeWriteFault(TSafeWriteStep step, int error = 0);

class TSafeWriteFault {
 public:
  TSafeWriteFault(TSafeWriteStep step, int error) { SetSafeWriteFault(step, error); }
  ~TSafeWriteFault() { SetSafeWriteFault(TSafeWriteStep::None); }
  TSafeWriteFault(const TSafeWriteFault&) = delete;
  TSafeWriteFault& operator=(const TSafeWriteFault&) = delete;
};
