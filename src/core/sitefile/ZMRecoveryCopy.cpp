#include "sitefile/ZMRecoveryCopy.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "common/ZMSafeFile.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kCopyName = "recovery.zmsite";
constexpr const char* kCleanExitName = "clean-exit";

std::optional<fs::file_time_type> WriteTime(const fs::path& path) {
  std::error_code ec;
  const fs::file_time_type time = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  return time;
}
}  // namespace

TRecoveryCopy::TRecoveryCopy(std::string folder, std::function<void()> finished)
    : folder_(std::move(folder)), finished_(std::move(finished)) {}

TRecoveryCopy::~TRecoveryCopy() {
  Flush();
  if (worker_.joinable()) worker_.join();
}

std::string TRecoveryCopy::DefaultFolder(const std::string& programName) {
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
    return (fs::path(xdg) / programName).string();
  if (const char* home = std::getenv("HOME"); home && *home)
    return (fs::path(home) / ".local" / "state" / programName).string();
  return {};
}

std::string TRecoveryCopy::Path() const {
  return folder_.empty() ? std::string() : (fs::path(folder_) / kCopyName).string();
}

void TRecoveryCopy::WriteAsync(std::string text) {
  if (folder_.empty()) return;
  std::unique_lock lock(mutex_);
  waiting_ = std::move(text);
  if (busy_) return;  // the running worker takes it next
  busy_ = true;
  lock.unlock();
  if (worker_.joinable()) worker_.join();  // finished: busy_ was clear
  worker_ = std::thread([this] { Run(); });
}

void TRecoveryCopy::Run() {
  std::unique_lock lock(mutex_);
  while (waiting_) {
    const std::string text = std::move(*waiting_);
    waiting_.reset();
    lock.unlock();
    std::optional<std::string> failure;
    try {
      std::error_code ec;
      fs::create_directories(folder_, ec);
      WriteFileSafely(Path(), text);
    } catch (const std::exception& error) {
      // A copy that cannot be written must not disturb the user's work; the
      // window tells of it without interrupting.
      failure = error.what();
      std::fprintf(stderr, "Recovery copy not written: %s\n", error.what());
    }
    lock.lock();
    failure_ = std::move(failure);
    if (finished_) {
      // Called while still busy, so that Flush also waits for it.
      lock.unlock();
      finished_();
      lock.lock();
    }
  }
  busy_ = false;
  done_.notify_all();
}

void TRecoveryCopy::Flush() {
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return !busy_; });
}

void TRecoveryCopy::Remove() {
  if (folder_.empty()) return;
  {
    std::unique_lock lock(mutex_);
    waiting_.reset();
    done_.wait(lock, [this] { return !busy_; });
    failure_.reset();
  }
  std::error_code ec;
  fs::remove(Path(), ec);
}

std::optional<std::string> TRecoveryCopy::LastFailure() const {
  std::lock_guard lock(mutex_);
  return failure_;
}

void TRecoveryCopy::MarkCleanExit() {
  if (folder_.empty()) return;
  Remove();
  try {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    WriteFileSafely((fs::path(folder_) / kCleanExitName).string(), {});
  } catch (const std::exception& error) {
    std::fprintf(stderr, "Clean exit not recorded: %s\n", error.what());
  }
}

std::optional<TRecoveryCopy::TClock::time_point> TRecoveryCopy::PendingCopy() const {
  if (folder_.empty()) return std::nullopt;
  const auto copy = WriteTime(Path());
  if (!copy) return std::nullopt;
  const auto cleanExit = WriteTime(fs::path(folder_) / kCleanExitName);
  if (cleanExit && *cleanExit >= *copy) return std::nullopt;
  return std::chrono::time_point_cast<TClock::duration>(std::chrono::file_clock::to_sys(*copy));
}

std::string LocalTimeText(TRecoveryCopy::TClock::time_point time) {
  const std::time_t t = TRecoveryCopy::TClock::to_time_t(time);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}
