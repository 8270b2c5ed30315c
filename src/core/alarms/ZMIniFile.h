#pragma once
// The program's INI-style settings file, read and written the way the classic
// profile routines do: section and key names are matched without regard to case,
// names keep their spelling (inner blanks too) when written back, and every other
// section, key and comment of the file survives a write. A missing file, section
// or key reads as the default given.
//
// The file is read once when the object is made; changes are kept in memory
// until UpdateFile() writes the whole file safely (temporary file + rename).
#include <memory>
#include <string>

class TZMIniData;

class TZMIniFile {
 public:
  // Reads `path` when it exists; a missing or unreadable file reads as empty.
  explicit TZMIniFile(std::string path);
  ~TZMIniFile();
  TZMIniFile(const TZMIniFile&) = delete;
  TZMIniFile& operator=(const TZMIniFile&) = delete;

  const std::string& FileName() const { return path_; }

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // The value read as a whole number; a missing key or a text that is not a
  // whole number reads as the default.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);

  // The whole file as it would be written now ("key=value" lines).
  std::string Text() const;

  // Writes the file to its own path, or to `path` when one is given; a missing
  // folder is created first. Throws ESafeFileError when the file cannot be written.
  void UpdateFile() const;
  void UpdateFile(const std::string& path) const;

 private:
  std::string path_;
  std::unique_ptr<TZMIniData> ini_;
};

// Where the program's settings file lives. It is named like the executable with
// the extension ".ini". It is written beside the executable while that folder is
// writable, else in the user's configuration folder. It is read from the place
// it is written to when the file exists there, else from the other place when
// the file exists there (for example a file shipped beside a read-only
// installation), else from the place it is written to.
class TSettingsFileLocation {
 public:
  // `configFolder` empty means the user's configuration folder (UserConfigFolder()).
  explicit TSettingsFileLocation(const std::string& executablePath,
                                 const std::string& configFolder = {});
  // A location that reads and writes one fixed file.
  static TSettingsFileLocation Fixed(const std::string& settingsPath);

  std::string BesideExecutable() const { return beside_; }
  std::string InConfigFolder() const { return inConfig_; }
  std::string WritePath() const;
  std::string ReadPath() const;

 private:
  TSettingsFileLocation() = default;
  std::string beside_;
  std::string inConfig_;
};

// $XDG_CONFIG_HOME when it is set to an absolute path, else $HOME/.config
// (empty when neither is known).
std::string UserConfigFolder();
