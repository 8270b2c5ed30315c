#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "common/ZMSafeFile.h"

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct TempFolder {
  fs::path path;
  TempFolder() {
    std::string tmpl = (fs::temp_directory_path() / "zmsafe.XXXXXX").string();
    path = ::mkdtemp(tmpl.data());
  }
  ~TempFolder() {
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(path);
  }
};
}  // namespace

TEST(WriteFileSafely, WritesAndReplacesWithoutLeavingTemporaryFiles) {
  TempFolder dir;
  const fs::path target = dir.path / "BatConfig.cfg";
  WriteFileSafely(target.string(), "first\r\n");
  EXPECT_EQ(ReadAll(target), "first\r\n");
  WriteFileSafely(target.string(), "second\r\n");
  EXPECT_EQ(ReadAll(target), "second\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(WriteFileSafely, FailureKeepsTheEarlierFileAndNamesTheFile) {
  if (::geteuid() == 0) {
    // root ignores folder permissions; a missing folder still fails for everyone.
    TempFolder dir;
    const fs::path target = dir.path / "missing" / "BatConfig.cfg";
    EXPECT_THROW(WriteFileSafely(target.string(), "x"), ESafeFileError);
    return;
  }
  TempFolder dir;
  const fs::path target = dir.path / "BatConfig.cfg";
  WriteFileSafely(target.string(), "earlier");
  fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
  try {
    WriteFileSafely(target.string(), "later");
    ADD_FAILURE() << "write into a read-only folder succeeded";
  } catch (const ESafeFileError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos);
  }
  EXPECT_EQ(ReadAll(target), "earlier");
}
