#pragma once
// The recovery copy: while the description has unsaved changes, a site file
// with them is kept in the user's state folder, so that a crash loses little.
// Copies are written on a thread of their own (the caller hands over the text
// and goes on); a clean exit or a save removes the copy and the next start-up
// offers only a copy newer than the last clean exit.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class TRecoveryCopy {
 public:
  using TClock = std::chrono::system_clock;

  // `folder` holds the copy; empty keeps no copy at all. `finished`, when
  // given, is called on the copy's thread after each attempt to write it.
  explicit TRecoveryCopy(std::string folder = {}, std::function<void()> finished = {});
  // Waits for a write under way.
  ~TRecoveryCopy();
  TRecoveryCopy(const TRecoveryCopy&) = delete;
  TRecoveryCopy& operator=(const TRecoveryCopy&) = delete;

  // $XDG_STATE_HOME/<program>, else ~/.local/state/<program>; empty when
  // neither is known.
  static std::string DefaultFolder(const std::string& programName);

  const std::string& Folder() const { return folder_; }
  // <folder>/recovery.zmsite, empty without a folder.
  std::string Path() const;

  // Writes `text` as the copy, through the safe writer, on the copy's thread.
  // A text handed over while one is being written replaces any still waiting.
  void WriteAsync(std::string text);
  // Waits until every handed-over text is written (or failed).
  void Flush();
  // Forgets any waiting text, waits for a write under way, removes the copy.
  void Remove();
  // Why the latest write failed (naming the file and the system's reason);
  // none once a copy was written or removed.
  std::optional<std::string> LastFailure() const;
  // Remove, then records the time of this clean exit.
  void MarkCleanExit();

  // When a copy exists that is newer than the last clean exit: the time it
  // was saved.
  std::optional<TClock::time_point> PendingCopy() const;

 private:
  void Run();

  std::string folder_;
  std::function<void()> finished_;
  mutable std::mutex mutex_;
  std::condition_variable done_;
  std::optional<std::string> waiting_;
  std::optional<std::string> failure_;
  bool busy_ = false;
  std::thread worker_;
};

// "2024-05-03 14:22:10" in local time.
std::string LocalTimeText(TRecoveryCopy::TClock::time_point time);
