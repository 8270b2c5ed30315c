#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "TempFiles.h"
#include "common/ZMSafeFile.h"

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& p) { return ReadText(p.string()); }
}  // namespace

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
