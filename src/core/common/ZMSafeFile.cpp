#include "ZMSafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::atomic<TSafeWriteStep> injectedStep{TSafeWriteStep::None};
std::atomic<int> injectedError{0};

// The error number injected for `step`, or 0.
int Injected(TSafeWriteStep step) {
  return injectedStep.load() == step ? injectedError.load() : 0;
}

// The file creation mask when the program started. Reading it means setting
// it for a moment, for every thread; here that happens once, while the
// program is being loaded and no thread of it runs yet.
mode_t UmaskAtStart() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}
const mode_t startUmask = UmaskAtStart();

// The process's file creation mask now, read without changing it; where the
// system does not show it, the one at start-up (the program never changes it).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Umask:", 0) != 0) continue;
    char* end = nullptr;
    const long mask = std::strtol(line.c_str() + 6, &end, 8);
    if (end != line.c_str() + 6 && mask >= 0 && mask <= 0777) return static_cast<mode_t>(mask);
    break;
  }
  return startUmask;
}

[[noreturn]] void Fail(const std::string& path, int error) {
  throw ESafeFileError("Cannot write \"" + path + "\": " + std::strerror(error));
}
}  // namespace

void SetSafeWriteFault(TSafeWriteStep step, int error) {
  injectedError = error;
  injectedStep = step;
}

void WriteFileSafely(const std::string& path, const std::string& contents) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  if (const int error = Injected(TSafeWriteStep::Open)) Fail(path, error);
  const int fd = ::mkstemp(tmpl.data());
  if (fd < 0) Fail(path, errno);
  // An injected write failure strikes once half of the text is on disk.
  const int writeFault = Injected(TSafeWriteStep::Write);
  const size_t writeEnd = writeFault ? contents.size() / 2 : contents.size();
  size_t written = 0;
  while (written < writeEnd || writeFault) {
    const ssize_t n = written < writeEnd ? ::write(fd, contents.data() + written, writeEnd - written)
                                         : (errno = writeFault, -1);
    if (n < 0) {
      if (errno == EINTR && !writeFault) continue;
      const int error = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      Fail(path, error);
    }
    written += static_cast<size_t>(n);
  }
  // mkstemp creates 0600; give the file the usual permissions.
  ::fchmod(fd, 0666 & ~CurrentUmask());
  int syncError = ::fsync(fd) != 0 ? errno : 0;
  if (const int error = Injected(TSafeWriteStep::Sync)) syncError = error;
  const int closeError = ::close(fd) != 0 ? errno : 0;
  if (syncError || closeError) {
    ::unlink(tmpl.c_str());
    Fail(path, syncError ? syncError : closeError);
  }
  const int renameFault = Injected(TSafeWriteStep::Rename);
  if (renameFault || ::rename(tmpl.c_str(), path.c_str()) != 0) {
    const int error = renameFault ? renameFault : errno;
    ::unlink(tmpl.c_str());
    Fail(path, error);
  }
}
