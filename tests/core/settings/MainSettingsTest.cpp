#include <gtest/gtest.h>

#include "TempFiles.h"
#include "alarms/ZMIniFile.h"
#include "wizard/MainSettings.h"

namespace {
const std::string kBuiltIn = "C:\\Program Files\\Zelmor";

class SettingsFiles : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_ / name; }
  static void Write(const std::string& path, const std::string& text) { WriteText(path, text); }

  TTempFolder dir_;
};
}  // namespace

TEST_F(SettingsFiles, InitialDirIsReadFromTheSettingsSection) {
  const std::string ini = Path("ZMConfigWizard.ini");
  Write(ini, "[DefaultValues]\nLowV=1.9\n[SETTINGS]\ninitialdir=/srv/site configs\n");
  std::string folder = kBuiltIn;
  EXPECT_TRUE(ReadSettings(ini, folder));
  EXPECT_EQ(folder, "/srv/site configs");
}

TEST_F(SettingsFiles, MissingFileSectionKeyOrValueLeavesTheBuiltInFolder) {
  const std::string ini = Path("ZMConfigWizard.ini");
  std::string folder = kBuiltIn;
  EXPECT_FALSE(ReadSettings(ini, folder));
  for (const char* text :
       {"[DefaultValues]\nInitialDir=/wrong/section\n", "[Settings]\nLastDir=/other/key\n", "[Settings]\nInitialDir=\n"}) {
    Write(ini, text);
    EXPECT_FALSE(ReadSettings(ini, folder)) << text;
    EXPECT_EQ(folder, kBuiltIn) << text;
  }
}

TEST_F(SettingsFiles, FormStorageLivesInTheConfigFolderUnderTheExecutableName) {
  EXPECT_EQ(TFormStorage::DefaultPath("/opt/zelmor/ZMConfigWizard", "/home/u/.config"),
            "/home/u/.config/ZMConfigWizard.INI");
  EXPECT_EQ(TFormStorage::DefaultPath("/opt/zelmor/ZMConfigWizard.exe", "/cfg"), "/cfg/ZMConfigWizard.INI");
}

TEST_F(SettingsFiles, RestoreKeepsTheLargerOfStoredAndCurrentSize) {
  const TFormStorage storage(Path("ZMConfigWizard.INI"));
  TFormPlacement p = storage.Restore(613, 452, true);  // nothing stored: all stays
  EXPECT_EQ(p.Width, 613);
  EXPECT_EQ(p.Height, 452);
  EXPECT_TRUE(p.GlobalAlarmSetting);

  Write(storage.FileName(), "[TfmConfigWizard]\nForm width=500\nForm height=700\n");
  p = storage.Restore(613, 452);
  EXPECT_EQ(p.Width, 613);
  EXPECT_EQ(p.Height, 700);

  Write(storage.FileName(), "[TfmConfigWizard]\nForm width=800\nForm height=wide\n");
  p = storage.Restore(613, 452);
  EXPECT_EQ(p.Width, 800);
  EXPECT_EQ(p.Height, 452);
}

TEST_F(SettingsFiles, SaveRoundTripsSizeAndTickAndKeepsTheRestOfTheFile) {
  const TFormStorage storage(Path("sub/ZMConfigWizard.INI"));  // the folder is made on saving
  ASSERT_TRUE(storage.Save(1024, 768, true));
  TFormPlacement p = storage.Restore(613, 452, false);
  EXPECT_EQ(p.Width, 1024);
  EXPECT_EQ(p.Height, 768);
  EXPECT_TRUE(p.GlobalAlarmSetting);

  {
    TZMIniFile other(storage.FileName());
    other.WriteString("Other", "Key", "Value");
    other.UpdateFile();
  }
  ASSERT_TRUE(storage.Save(700, 500, false));
  EXPECT_FALSE(storage.Restore(613, 452, true).GlobalAlarmSetting);
  EXPECT_EQ(TZMIniFile(storage.FileName()).ReadString("Other", "Key", ""), "Value");

  // A file where the folder should be: the failure is reported, not hidden.
  Write(Path("blocker"), "x");
  EXPECT_FALSE(TFormStorage(Path("blocker/ZMConfigWizard.INI")).Save(613, 452, true));
}
