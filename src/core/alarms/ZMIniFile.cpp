#include "alarms/ZMIniFile.h"

// Only the narrow-character class is used: names and values pass through as bytes.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/ZMFormat.h"
#include "common/ZMSafeFile.h"

namespace fs = std::filesystem;

class TZMIniData {
 public:
  // Case-insensitive names, no multi-line values. A key may stand more than
  // once in a hand-edited file: all are kept, the first one is read and a
  // write replaces them all by one line in the first one's place.
  CSimpleIniA ini{true, true, false};
};

namespace {
// A NUL byte (only a damaged file holds one) would end the text there, and
// the next write would lose every line after it; it is dropped instead.
std::string WithoutNulBytes(std::string text) {
  std::erase(text, '\0');
  return text;
}

// A section line that lacks its "]" would swallow the next line into the
// section's name and come out one line longer on every write; it is kept as
// a comment instead.
std::string WithUnclosedSectionsAsComments(std::string text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);  // a lone CR ends a line too
    if (end == std::string::npos) end = text.size();
    const size_t first = text.find_first_not_of(" \t", start);
    if (first < end && text[first] == '[' && text.find(']', first) >= end) {
      text.insert(first, 1, ';');
      ++end;
    }
    start = end + 1;
  }
  return text;
}
}  // namespace

TZMIniFile::TZMIniFile(std::string path)
    : path_(std::move(path)), ini_(std::make_unique<TZMIniData>()) {
  ini_->ini.SetSpaces(false);
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::ostringstream data;
  data << in.rdbuf();
  ini_->ini.LoadData(WithUnclosedSectionsAsComments(WithoutNulBytes(data.str())));
}

TZMIniFile::~TZMIniFile() = default;

bool TZMIniFile::SectionExists(const std::string& section) const {
  return ini_->ini.GetSection(section.c_str()) != nullptr;
}

bool TZMIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return ini_->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

std::string TZMIniFile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const {
  CSimpleIniA::TNamesDepend values;
  if (!ini_->ini.GetAllValues(section.c_str(), key.c_str(), values) || values.empty()) return defaultValue;
  // The first line of the key in the file wins, as with the classic profile routines.
  values.sort(CSimpleIniA::Entry::LoadOrder());
  return values.front().pItem;
}

int TZMIniFile::ReadInteger(const std::string& section, const std::string& key,
                            int defaultValue) const {
  int value = defaultValue;
  if (!TryStrToInt(ReadString(section, key, {}), value)) return defaultValue;
  return value;
}

void TZMIniFile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
  // The key keeps the spelling it has in the file; copied, since replacing
  // the value releases the old name.
  std::string spelling = key;
  CSimpleIniA::TNamesDepend keys;
  ini_->ini.GetAllKeys(section.c_str(), keys);
  keys.sort(CSimpleIniA::Entry::LoadOrder());
  for (const CSimpleIniA::Entry& k : keys)
    if (strcasecmp(k.pItem, key.c_str()) == 0) {
      spelling = k.pItem;
      break;
    }
  ini_->ini.SetValue(section.c_str(), spelling.c_str(), value.c_str(), nullptr, true);
}

void TZMIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string TZMIniFile::Text() const {
  std::string text;
  ini_->ini.Save(text, false);
  return text;
}

void TZMIniFile::UpdateFile() const { UpdateFile(path_); }

void TZMIniFile::UpdateFile(const std::string& path) const {
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) {
    std::error_code ignored;  // WriteFileSafely reports a folder that is still missing
    fs::create_directories(folder, ignored);
  }
  WriteFileSafely(path, Text());
}

// ---------------------------------------------------------------------------

namespace {
bool FolderWritable(const fs::path& folder) {
  const fs::path f = folder.empty() ? fs::path(".") : folder;
  return ::access(f.c_str(), W_OK | X_OK) == 0;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}
}  // namespace

std::string UserConfigFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
    return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return (fs::path(home) / ".config").string();
  return {};
}

TSettingsFileLocation::TSettingsFileLocation(const std::string& executablePath,
                                             const std::string& configFolder) {
  fs::path beside(executablePath);
  beside.replace_extension(".ini");
  beside_ = beside.string();
  const std::string folder = configFolder.empty() ? UserConfigFolder() : configFolder;
  inConfig_ = folder.empty() ? beside_ : (fs::path(folder) / beside.filename()).string();
}

TSettingsFileLocation TSettingsFileLocation::Fixed(const std::string& settingsPath) {
  TSettingsFileLocation location;
  location.beside_ = settingsPath;
  location.inConfig_ = settingsPath;
  return location;
}

std::string TSettingsFileLocation::WritePath() const {
  return FolderWritable(fs::path(beside_).parent_path()) ? beside_ : inConfig_;
}

std::string TSettingsFileLocation::ReadPath() const {
  const std::string written = WritePath();
  if (FileExists(written)) return written;
  const std::string other = written == beside_ ? inConfig_ : beside_;
  if (FileExists(other)) return other;
  return written;
}
