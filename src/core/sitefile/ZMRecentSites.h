#pragma once
// The last five site files opened or saved, newest first, kept in the form
// storage file (section "RecentSiteFiles", keys "File1" to "File5").
#include <string>
#include <vector>

inline constexpr const char* kRecentSitesSection = "RecentSiteFiles";
inline constexpr int kRecentSitesMax = 5;

class TRecentSites {
 public:
  // Reads the list from the form storage file at `path` (none: an empty list
  // that is never stored).
  explicit TRecentSites(std::string path = {});

  const std::vector<std::string>& Files() const { return files_; }
  // Puts `file` first (once) and stores the list; a list that cannot be
  // stored is kept in memory.
  void Add(const std::string& file);

 private:
  void Store() const;

  std::string path_;
  std::vector<std::string> files_;
};
