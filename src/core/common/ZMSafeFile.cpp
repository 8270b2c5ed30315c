#include "ZMSafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
[[noreturn]] void Fail(const std::string& path, int error) {
  throw ESafeFileError("Cannot write \"" + path + "\": " + std::strerror(error));
}
}  // namespace

void WriteFileSafely(const std::string& path, const std::string& contents) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(tmpl.data());
  if (fd < 0) Fail(path, errno);
  size_t written = 0;
  while (written < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      Fail(path, error);
    }
    written += static_cast<size_t>(n);
  }
  // mkstemp creates 0600; give the file the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  const int syncError = ::fsync(fd) != 0 ? errno : 0;
  const int closeError = ::close(fd) != 0 ? errno : 0;
  if (syncError || closeError) {
    ::unlink(tmpl.c_str());
    Fail(path, syncError ? syncError : closeError);
  }
  if (::rename(tmpl.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(tmpl.c_str());
    Fail(path, error);
  }
}
