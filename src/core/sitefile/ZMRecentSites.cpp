#include "sitefile/ZMRecentSites.h"

#include <algorithm>
#include <filesystem>

#include "alarms/ZMIniFile.h"
#include "common/ZMSafeFile.h"

namespace {
std::string Key(int i) { return "File" + std::to_string(i + 1); }
}  // namespace

TRecentSites::TRecentSites(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  if (path_.empty() || !std::filesystem::is_regular_file(path_, ec)) return;
  const TZMIniFile ini(path_);
  for (int i = 0; i < kRecentSitesMax; ++i) {
    std::string file = ini.ReadString(kRecentSitesSection, Key(i), {});
    if (!file.empty() && std::find(files_.begin(), files_.end(), file) == files_.end())
      files_.push_back(std::move(file));
  }
}

void TRecentSites::Add(const std::string& file) {
  std::erase(files_, file);
  files_.insert(files_.begin(), file);
  if (files_.size() > static_cast<size_t>(kRecentSitesMax)) files_.resize(kRecentSitesMax);
  Store();
}

void TRecentSites::Store() const {
  if (path_.empty()) return;
  try {
    TZMIniFile ini(path_);
    for (int i = 0; i < kRecentSitesMax; ++i)
      ini.WriteString(kRecentSitesSection, Key(i),
                      static_cast<size_t>(i) < files_.size() ? files_[static_cast<size_t>(i)] : std::string());
    ini.UpdateFile();
  } catch (const ESafeFileError&) {
    // The list still serves this run.
  }
}
