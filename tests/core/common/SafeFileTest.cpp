#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "TempFiles.h"
#include "common/ZMSafeFile.h"

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& p) { return ReadText(p.string()); }

// Every change of the file creation mask in this program is counted here.
std::atomic<int> umaskChanges{0};
}  // namespace

// Takes the place of the C library's umask for this test program.
extern "C" mode_t umask(mode_t mask) {
  const auto old = static_cast<mode_t>(::syscall(SYS_umask, mask));
  if (old != mask) ++umaskChanges;
  return old;
}

TEST(WriteFileSafely, WritesAndReplacesWithoutLeavingTemporaryFiles) {
  TTempFolder dir;
  const fs::path target = dir.Path() / "BatConfig.cfg";
  WriteFileSafely(target.string(), "first\r\n");
  EXPECT_EQ(ReadAll(target), "first\r\n");
  WriteFileSafely(target.string(), "second\r\n");
  EXPECT_EQ(ReadAll(target), "second\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(WriteFileSafely, FailureKeepsTheEarlierFileAndNamesTheFile) {
  if (::geteuid() == 0) {
    // root ignores folder permissions; a missing folder still fails for everyone.
    TTempFolder dir;
    const fs::path target = dir.Path() / "missing" / "BatConfig.cfg";
    EXPECT_THROW(WriteFileSafely(target.string(), "x"), ESafeFileError);
    return;
  }
  TTempFolder dir;
  const fs::path target = dir.Path() / "BatConfig.cfg";
  WriteFileSafely(target.string(), "earlier");
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  try {
    WriteFileSafely(target.string(), "later");
    ADD_FAILURE() << "write into a read-only folder succeeded";
  } catch (const ESafeFileError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos);
  }
  EXPECT_EQ(ReadAll(target), "earlier");
}

// The mask holds for every thread: changing it even for a moment would give a
// file another thread creates meanwhile the wrong permissions.
TEST(WriteFileSafely, GivesTheUsualPermissionsWithoutChangingTheFileCreationMask) {
  TTempFolder dir;
  const fs::path target = dir.Path() / "BatConfig.cfg";
  for (const mode_t mask : {022, 027, 077, 002}) {
    const mode_t previous = ::umask(mask);
    const int changes = umaskChanges;
    WriteFileSafely(target.string(), "text");
    EXPECT_EQ(umaskChanges, changes) << std::oct << mask;
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
    ::umask(previous);
  }
}
