#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "TempFiles.h"
#include "alarms/ZMIniFile.h"

namespace fs = std::filesystem;

TEST(ZMIniFile, NamesMatchWithoutCaseAndKeepTheirSpellingOrderAndComments) {
  TTempFolder dir;
  const std::string path = dir / "wizard.ini";
  WriteText(path,
            "; written by hand\n"
            "[Settings]\n"
            "InitialDir=/home/user/configs\n"
            "\n"
            "[defaultvalues]\n"
            "; per 2-V cell\n"
            "lowVRLAcellR PER jar = 0.25\n"
            "DefaultHighT=30\n");
  TZMIniFile ini(path);
  EXPECT_TRUE(ini.SectionExists("DEFAULTVALUES"));
  EXPECT_TRUE(ini.ValueExists("DefaultValues", "LowVRLACellR per jar"));
  EXPECT_FALSE(ini.ValueExists("DefaultValues", "LowVRLACellRperjar"));
  EXPECT_FALSE(ini.SectionExists("Other"));
  EXPECT_EQ(ini.ReadString("DefaultValues", "LowVRLACellR per jar", "x"), "0.25");
  EXPECT_EQ(ini.ReadString("settings", "initialdir", "x"), "/home/user/configs");

  ini.WriteString("DefaultValues", "LOWVRLACELLR PER JAR", "0.3");
  ini.WriteString("DefaultValues", "HighVRLACellR per jar", "1");
  ini.WriteString("Settings", "InitialDir", "/srv/zelmor");
  ini.UpdateFile();

  // Comments stay with the section or key they precede (set off by blank lines).
  const std::string written = ReadText(path);
  EXPECT_EQ(written,
            "; written by hand\n"
            "\n\n"
            "[Settings]\n"
            "InitialDir=/srv/zelmor\n"
            "\n\n"
            "[defaultvalues]\n"
            "\n"
            "; per 2-V cell\n"
            "lowVRLAcellR PER jar=0.3\n"
            "DefaultHighT=30\n"
            "HighVRLACellR per jar=1\n");
  // Written again unchanged, the file stays as it is: no blank lines pile up.
  TZMIniFile again(path);
  EXPECT_EQ(again.ReadString("DefaultValues", "HighVRLACellR per jar", "x"), "1");
  again.UpdateFile();
  EXPECT_EQ(ReadText(path), written);
}

TEST(ZMIniFile, MissingFileSectionOrKeyReadsAsTheDefaultAndWritingCreatesTheFile) {
  TTempFolder dir;
  const std::string path = dir / "sub/folder/wizard.ini";
  TZMIniFile ini(path);
  EXPECT_FALSE(ini.SectionExists("Settings"));
  EXPECT_EQ(ini.ReadString("Settings", "InitialDir", "C:\\Program Files\\Zelmor"),
            "C:\\Program Files\\Zelmor");
  EXPECT_EQ(ini.ReadInteger("Settings", "Width", 640), 640);

  ini.WriteInteger("Settings", "Width", -12);
  ini.WriteString("Settings", "Text", "a b");
  EXPECT_EQ(ini.ReadInteger("Settings", "Width", 0), -12);
  EXPECT_EQ(ini.ReadInteger("Settings", "Text", 7), 7);  // not a whole number
  ini.UpdateFile();
  EXPECT_EQ(ReadText(path), "[Settings]\nWidth=-12\nText=a b\n");
  EXPECT_FALSE(TZMIniFile(path).ValueExists("DefaultValues", "Width"));
}

TEST(ZMIniFile, UpdateFileToAnotherPathLeavesTheReadFileAlone) {
  TTempFolder dir;
  WriteText(dir / "a.ini", "[S]\nK=1\n");
  TZMIniFile ini(dir / "a.ini");
  ini.WriteString("S", "K", "2");
  ini.UpdateFile(dir / "b.ini");
  EXPECT_EQ(ReadText(dir / "a.ini"), "[S]\nK=1\n");
  EXPECT_EQ(ReadText(dir / "b.ini"), "[S]\nK=2\n");
}

namespace {
// Sets an environment variable for one scope.
class TEnvVar {
 public:
  TEnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~TEnvVar() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};
}  // namespace

TEST(SettingsFileLocation, UserConfigFolderFollowsXdgThenHome) {
  TEnvVar home("HOME", "/home/tester");
  {
    TEnvVar xdg("XDG_CONFIG_HOME", "/xdg/config");
    EXPECT_EQ(UserConfigFolder(), "/xdg/config");
  }
  {
    TEnvVar xdg("XDG_CONFIG_HOME", "relative/config");  // not usable
    EXPECT_EQ(UserConfigFolder(), "/home/tester/.config");
  }
  TEnvVar xdg("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(UserConfigFolder(), "/home/tester/.config");
}

TEST(SettingsFileLocation, WritableProgramFolderHoldsTheFileBesideTheExecutable) {
  TTempFolder dir;
  fs::create_directories(dir.Path() / "bin");
  fs::create_directories(dir.Path() / "config");
  const TSettingsFileLocation location(dir / "bin/ZMConfigWizard", dir / "config");
  EXPECT_EQ(location.BesideExecutable(), dir / "bin/ZMConfigWizard.ini");
  EXPECT_EQ(location.InConfigFolder(), dir / "config/ZMConfigWizard.ini");
  EXPECT_EQ(location.WritePath(), dir / "bin/ZMConfigWizard.ini");

  // Nothing written yet: read where it will be written.
  EXPECT_EQ(location.ReadPath(), dir / "bin/ZMConfigWizard.ini");
  // Only a file in the configuration folder: read that one.
  WriteText(dir / "config/ZMConfigWizard.ini", "");
  EXPECT_EQ(location.ReadPath(), dir / "config/ZMConfigWizard.ini");
  // A file beside the executable wins.
  WriteText(dir / "bin/ZMConfigWizard.ini", "");
  EXPECT_EQ(location.ReadPath(), dir / "bin/ZMConfigWizard.ini");
}

TEST(SettingsFileLocation, UnwritableProgramFolderUsesTheConfigurationFolder) {
  TTempFolder dir;
  // A folder that does not exist cannot be written to (even by root).
  const TSettingsFileLocation location(dir / "missing/bin/zmwizard.exe", dir / "config");
  EXPECT_EQ(location.WritePath(), dir / "config/zmwizard.ini");
  EXPECT_EQ(location.ReadPath(), dir / "config/zmwizard.ini");

  const TSettingsFileLocation fixed = TSettingsFileLocation::Fixed(dir / "x.ini");
  EXPECT_EQ(fixed.WritePath(), dir / "x.ini");
  EXPECT_EQ(fixed.ReadPath(), dir / "x.ini");
}

TEST(ZMIniFile, ASectionLineWithoutItsBracketStaysAsItIsAndTheFileDoesNotGrow) {
  TTempFolder dir;
  const std::string path = dir / "wizard.ini";
  WriteText(path, "[abc\nKey=12\n[de\rf]g\nKey=1\n[Settings]\nInitialDir=/srv\n");
  TZMIniFile(path).UpdateFile();
  const std::string once = ReadText(path);
  TZMIniFile(path).UpdateFile();
  EXPECT_EQ(ReadText(path), once);
  EXPECT_NE(once.find("[abc\n"), std::string::npos) << once;
  EXPECT_EQ(TZMIniFile(path).ReadString("Settings", "InitialDir", "x"), "/srv");
}

// A stray NUL byte (a damaged file) must not cut off the lines after it, which
// the next write would then lose for good.
TEST(ZMIniFile, ANulByteDoesNotLoseTheLinesAfterIt) {
  TTempFolder dir;
  const std::string path = dir / "wizard.ini";
  const char text[] = "[DefaultValues]\nLowV=1.9\0x\nHighV=2.4\n[Settings]\nInitialDir=/srv\n";
  WriteText(path, std::string(text, sizeof text - 1));
  TZMIniFile(path).UpdateFile();
  const TZMIniFile reread(path);
  EXPECT_EQ(reread.ReadString("DefaultValues", "HighV", "lost"), "2.4");
  EXPECT_EQ(reread.ReadString("Settings", "InitialDir", "lost"), "/srv");
}
