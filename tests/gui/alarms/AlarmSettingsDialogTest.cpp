#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <fstream>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "alarms/ZMIniFile.h"
#include "alarms/fmAlarmSet.h"

namespace {
class AlarmSettingsDialog : public ::testing::Test {
 protected:
  TFakeServices services;
  QTemporaryDir dir;

  std::string IniPath() const { return dir.filePath(QStringLiteral("ZMConfigWizard.ini")).toStdString(); }
  std::unique_ptr<TfmAlarmSettings> Make(const std::string& fileText = {}) {
    if (!fileText.empty()) std::ofstream(IniPath()) << fileText;
    return std::make_unique<TfmAlarmSettings>(TSettingsFileLocation::Fixed(IniPath()));
  }
  static QString Text(QWidget* dialog, const char* name) { return FindNamed<QLineEdit>(dialog, name)->text(); }
  // Types into a box as the user does: select all, then key by key.
  static void Type(QWidget* dialog, const char* name, const char* text) {
    auto* edit = FindNamed<QLineEdit>(dialog, name);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  }
  // Clicks a button; radio buttons on their indicator.
  static void Click(QWidget* dialog, const char* name) {
    auto* button = FindNamed<QAbstractButton>(dialog, name);
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    QTest::mouseClick(button, Qt::LeftButton, {}, radio ? QPoint(6, button->height() / 2) : QPoint());
  }
  // Runs `act` while Execute shows the dialog modally; never leaves it open.
  static bool ExecuteWith(TfmAlarmSettings& dialog, bool force, std::function<void()> act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
      act();
      if (dialog.isVisible()) {
        ADD_FAILURE() << "dialog still open";
        dialog.reject();
      }
    });
    return dialog.Execute(force);
  }
};
}  // namespace

TEST_F(AlarmSettingsDialog, FreshDialogShowsDefaultsCaptionsAndLimits) {
  auto dialog = Make();
  TfmAlarmSettings* d = dialog.get();
  EXPECT_EQ(d->objectName(), "fmAlarmSettings");
  EXPECT_EQ(d->windowTitle(), "String alarm settings");
  EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(d->windowFlags() & Qt::WindowCloseButtonHint);
  d->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
  EXPECT_EQ(d->minimumSize(), d->maximumSize());  // fixed size

  const std::pair<const char*, const char*> boxes[] = {{"ebHighT", "28"}, {"ebLowT", "16"},  {"ebHighI", "100"},
                                                       {"ebLowI", "-1"},  {"ebHighV", "14.4"}, {"ebLowV", "12"},
                                                       {"ebHighR", "6"},  {"ebLowR", "1.8"}};
  for (const auto& [name, text] : boxes) EXPECT_EQ(Text(d, name), text) << name;
  // What the user types is cut at the box's length.
  const std::pair<const char*, const char*> typed[] = {{"ebHighT", "12.3"}, {"ebLowT", "12.3"}, {"ebHighI", "12.34"},
                                                       {"ebLowI", "12.34"}, {"ebHighV", "12.34"}, {"ebLowV", "12.34"},
                                                       {"ebHighR", "12.3"}, {"ebLowR", "12.3"}};
  for (const auto& [name, text] : typed) {
    Type(d, name, "12.3456");
    EXPECT_EQ(Text(d, name), text) << name;
  }
  Click(d, "rb12V");
  Click(d, "btnSetDefaults");
  EXPECT_EQ(FindNamed<QLineEdit>(d, "ebHighI")->toolTip(), "Enter a +ve value here");

  EXPECT_TRUE(FindNamed<QRadioButton>(d, "rb12V")->isChecked());
  EXPECT_TRUE(FindNamed<QRadioButton>(d, "rbVRLACells")->isChecked());
  EXPECT_EQ(FindNamed<QRadioButton>(d, "rbVRLACells")->text(), "VRLA/AGM/Gell");
  EXPECT_EQ(FindNamed<QRadioButton>(d, "rbWetCells")->text(), "Wet/Flooded");
  EXPECT_EQ(FindNamed<QRadioButton>(d, "rbOtherV")->text(), "Other:");
  EXPECT_EQ(Text(d, "ebOtherV"), "12");  // the voltages typed above chose Other for 12-V blocks
  EXPECT_FALSE(FindNamed<QLineEdit>(d, "ebOtherV")->isEnabled());
  EXPECT_EQ(FindNamed<QGroupBox>(d, "grpTemperature")->title(), QString::fromUtf8(" Temperature ( °C ) "));
  EXPECT_EQ(FindNamed<QGroupBox>(d, "grpVoltage")->title(), " Monitored Voltage  ( V ) ");
  EXPECT_EQ(FindNamed<QGroupBox>(d, "grpOhmic")->title(), "Ohmic-value ( mOhm ) ");
  EXPECT_EQ(FindNamed<QLabel>(d, "lblDischarge")->text(), "Discharge");
  EXPECT_EQ(FindNamed<QLabel>(d, "lblLessThan")->text(), "less than");
  EXPECT_EQ(FindNamed<QGroupBox>(d, "rgAlarmScope")->title(), "Apply these alarms settings to :");
  EXPECT_TRUE(FindNamed<QRadioButton>(d, "rgAlarmScopeItem0")->isChecked());
  EXPECT_EQ(FindNamed<QRadioButton>(d, "rgAlarmScopeItem1")->text(), "All strings on all batteries");
  EXPECT_EQ(FindNamed<QPushButton>(d, "btnSetDefaults")->text(), "Restore &Defaults");

  // Tab order: temperature, current, voltage, ohmic value, buttons, scope.
  const QStringList expected = {"ebHighT", "ebLowT", "ebHighI", "ebLowI", "ebHighV", "ebLowV", "rb2V", "rb4V", "rb6V",
                                "rb12V", "rbOtherV", "ebOtherV", "ebHighR", "ebLowR", "rbVRLACells", "rbWetCells",
                                "btnSetDefaults", "btnOK", "btnCancel", "rgAlarmScopeItem0", "rgAlarmScopeItem1"};
  QStringList chain;
  QWidget* w = FindNamed<QWidget>(d, "ebHighT");
  for (; chain.size() < expected.size(); w = w->nextInFocusChain())
    if (expected.contains(w->objectName())) chain << w->objectName();
  EXPECT_EQ(chain.join(' ').toStdString(), expected.join(' ').toStdString());
  d->hide();
}

TEST_F(AlarmSettingsDialog, RadioButtonsAndOtherVoltageRefillTheBoxes) {
  auto d = Make("[DefaultValues]\nLowWetCellR per jar=0.5\nHighWetCellR per jar=1.5\n");
  d->show();
  Click(d.get(), "rb2V");
  EXPECT_EQ(Text(d.get(), "ebHighV"), "2.4");
  EXPECT_EQ(Text(d.get(), "ebLowV"), "2");
  EXPECT_EQ(Text(d.get(), "ebHighR"), "1");
  EXPECT_EQ(Text(d.get(), "ebLowR"), "0.3");
  EXPECT_DOUBLE_EQ(d->HighV(), 2.4);
  Click(d.get(), "rbWetCells");
  EXPECT_EQ(Text(d.get(), "ebHighR"), "1.5");
  EXPECT_EQ(Text(d.get(), "ebLowR"), "0.5");
  Click(d.get(), "rbVRLACells");

  Click(d.get(), "rbOtherV");
  EXPECT_TRUE(FindNamed<QLineEdit>(d.get(), "ebOtherV")->isEnabled());
  Type(d.get(), "ebOtherV", "10");
  EXPECT_EQ(Text(d.get(), "ebHighV"), "12");
  EXPECT_EQ(Text(d.get(), "ebLowV"), "10");
  EXPECT_EQ(Text(d.get(), "ebHighR"), "5");
  EXPECT_EQ(Text(d.get(), "ebLowR"), "1.5");
  Click(d.get(), "rb12V");
  EXPECT_FALSE(FindNamed<QLineEdit>(d.get(), "ebOtherV")->isEnabled());
  EXPECT_EQ(Text(d.get(), "ebHighV"), "14.4");

  Type(d.get(), "ebHighT", "1");
  Click(d.get(), "btnSetDefaults");
  EXPECT_EQ(Text(d.get(), "ebHighT"), "28");
  EXPECT_TRUE(services.messages.messages.empty());
  d->hide();
}

TEST_F(AlarmSettingsDialog, TypedTextIsChecked) {
  auto d = Make();
  d->show();
  Type(d.get(), "ebHighR", "45");
  EXPECT_EQ(Text(d.get(), "ebHighR"), "39.50");

  Type(d.get(), "ebLowI", "-5");
  EXPECT_EQ(services.messages.LastText(), "Current values must be positive numbers.");
  EXPECT_EQ(Text(d.get(), "ebLowI"), "");
  EXPECT_EQ(services.messages.messages.size(), 1u);

  Type(d.get(), "ebLowT", "1q");
  EXPECT_EQ(services.messages.LastText(), "An illegal character has been entered\r\rinto the low temperature limit . . .");
  EXPECT_EQ(Text(d.get(), "ebLowT"), "");

  // A voltage typed for 12-V blocks chooses Other for 12 V and stays in its
  // box; no other box changes.
  Type(d.get(), "ebHighV", "13.5");
  EXPECT_TRUE(FindNamed<QRadioButton>(d.get(), "rbOtherV")->isChecked());
  EXPECT_TRUE(FindNamed<QLineEdit>(d.get(), "ebOtherV")->isEnabled());
  EXPECT_EQ(Text(d.get(), "ebOtherV"), "12");
  EXPECT_EQ(Text(d.get(), "ebHighV"), "13.5");
  EXPECT_EQ(Text(d.get(), "ebLowV"), "12");
  EXPECT_EQ(Text(d.get(), "ebLowR"), "1.8");
  EXPECT_EQ(d->Logic().Defaults().HighVoltageDefault(TCellType::ctOther), 13.5);

  // Properties set by the program are not checked; a negative value blanks.
  d->SetHighR(45);
  EXPECT_EQ(Text(d.get(), "ebHighR"), "45");
  d->SetLowT(-1);
  EXPECT_EQ(Text(d.get(), "ebLowT"), "");
  EXPECT_EQ(d->LowT(), 16.0);
  EXPECT_EQ(services.messages.messages.size(), 2u);
  d->hide();
}

TEST_F(AlarmSettingsDialog, LeavingAVoltageBoxStoresTheOtherLimit) {
  auto d = Make();
  d->show();
  d->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(d.get()));
  Click(d.get(), "rbOtherV");
  auto* low = FindNamed<QLineEdit>(d.get(), "ebLowV");
  d->SetLowV(7.5);  // set by the program: not stored until the box is left
  low->setFocus();
  EXPECT_EQ(d->Logic().Defaults().LowVoltageDefault(TCellType::ctOther), 8.0);
  FindNamed<QLineEdit>(d.get(), "ebHighR")->setFocus();
  EXPECT_EQ(d->Logic().Defaults().LowVoltageDefault(TCellType::ctOther), 7.5);
  d->hide();
}

TEST_F(AlarmSettingsDialog, OkWithInconsistentEntriesStaysOpen) {
  auto d = Make();
  d->show();
  Type(d.get(), "ebHighT", "20");
  Type(d.get(), "ebLowT", "25");
  Click(d.get(), "rb2V");
  Type(d.get(), "ebHighV", "2");
  Type(d.get(), "ebLowV", "2.2");
  Click(d.get(), "btnOK");
  EXPECT_TRUE(d->isVisible());
  EXPECT_FALSE(d->AlarmsAccepted());
  EXPECT_EQ(services.messages.LastText(),
            "Inconsistent entries in the following field(s) : \r\rTemperature values \rVoltage values \r");
  d->hide();
}

TEST_F(AlarmSettingsDialog, ExecuteWithForcedScopeClosesWithOk) {
  auto d = Make();
  bool fixedScope = false;
  const bool accepted = ExecuteWith(*d, true, [&] {
    auto* all = FindNamed<QRadioButton>(d.get(), "rgAlarmScopeItem1");
    fixedScope = all->isChecked() && !FindNamed<QGroupBox>(d.get(), "rgAlarmScope")->isEnabled();
    Click(d.get(), "rgAlarmScopeItem0");  // disabled: no effect
    Click(d.get(), "btnOK");
  });
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(fixedScope);
  EXPECT_TRUE(d->AllStrings());
  EXPECT_TRUE(d->ForceAllStrings());
  EXPECT_TRUE(d->AlarmsAccepted());
  EXPECT_EQ(d->HighT(), 28.0);
  EXPECT_DOUBLE_EQ(d->LowR(), d->Logic().Defaults().LowOhmicDefault(TCellType::ct12V, TCellChemistry::chVRLA));
  d->SetAlarmsAccepted(false);
  EXPECT_FALSE(d->AlarmsAccepted());
}

TEST_F(AlarmSettingsDialog, BlankDischargeAnsweredYesTurnsDischargeMonitoringOff) {
  auto d = Make();
  services.messages.Answer(TMsgAnswer::Yes);
  const bool accepted = ExecuteWith(*d, false, [&] {
    EXPECT_TRUE(FindNamed<QGroupBox>(d.get(), "rgAlarmScope")->isEnabled());
    Click(d.get(), "rgAlarmScopeItem1");
    Type(d.get(), "ebHighI", "");
    QTest::keyClick(FindNamed<QLineEdit>(d.get(), "ebHighI"), Qt::Key_Delete);
    Click(d.get(), "btnOK");
  });
  EXPECT_TRUE(accepted);
  EXPECT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(d->HighI(), -1.0);
  EXPECT_TRUE(d->AllStrings());
  EXPECT_FALSE(d->ForceAllStrings());
}

TEST_F(AlarmSettingsDialog, CancelKeepsWhatWasTypedAndNextShowResetsScope) {
  auto d = Make();
  const bool accepted = ExecuteWith(*d, false, [&] {
    Click(d.get(), "rgAlarmScopeItem1");
    Type(d.get(), "ebHighT", "30");
    Click(d.get(), "btnCancel");
  });
  EXPECT_FALSE(accepted);
  EXPECT_FALSE(d->AlarmsAccepted());
  EXPECT_EQ(d->HighT(), 30.0);

  bool firstItem = false;
  ExecuteWith(*d, false, [&] {
    firstItem = FindNamed<QRadioButton>(d.get(), "rgAlarmScopeItem0")->isChecked();
    EXPECT_EQ(Text(d.get(), "ebHighT"), "30");
    Click(d.get(), "btnCancel");
  });
  EXPECT_TRUE(firstItem);
}

TEST_F(AlarmSettingsDialog, UnfinishedNumberIsNeitherAcceptedNorKept) {
  auto d = Make();
  // The "1" of the charge box's -1 deleted: OK refuses it and stays open.
  bool stayedOpen = false;
  bool accepted = ExecuteWith(*d, false, [&] {
    auto* charge = FindNamed<QLineEdit>(d.get(), "ebLowI");
    charge->setFocus();
    charge->setCursorPosition(charge->text().size());
    QTest::keyClick(charge, Qt::Key_Backspace);
    EXPECT_EQ(charge->text(), "-");
    Click(d.get(), "btnOK");
    stayedOpen = d->isVisible();
    EXPECT_EQ(charge->text(), "");
    EXPECT_EQ(d->focusWidget(), charge);
    Click(d.get(), "btnOK");
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(accepted);
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), "An illegal character has been entered\r\rinto the current charge value . . .");
  EXPECT_EQ(d->LowI(), -1.0);

  // Cancel and Escape leave no unfinished number behind either.
  for (const bool escape : {false, true}) {
    accepted = ExecuteWith(*d, false, [&] {
      Type(d.get(), "ebHighT", "-");
      Type(d.get(), "ebHighI", ".");
      if (escape)
        QTest::keyClick(FindNamed<QLineEdit>(d.get(), "ebHighI"), Qt::Key_Escape);
      else
        Click(d.get(), "btnCancel");
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(Text(d.get(), "ebHighT"), "");
    EXPECT_EQ(d->HighT(), 28.0) << escape;
    EXPECT_EQ(d->HighI(), -1.0) << escape;
  }
  EXPECT_EQ(services.messages.messages.size(), 1u);
}

TEST_F(AlarmSettingsDialog, DestroyingTheDialogSavesTheDefaults) {
  auto d = Make("[Settings]\nInitialDir=/cfg\n[DefaultValues]\nDefaultHigh12V=15\nDefaultOtherVoltage=10\n");
  EXPECT_EQ(Text(d.get(), "ebHighV"), "15");
  EXPECT_EQ(Text(d.get(), "ebOtherV"), "10");
  Click(d.get(), "rbOtherV");
  Type(d.get(), "ebOtherV", "24");
  d.reset();

  const TZMIniFile ini(IniPath());
  EXPECT_EQ(ini.ReadString("Settings", "InitialDir", ""), "/cfg");
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultHigh12V", ""), "15");
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultOtherVoltage", ""), "24");
  EXPECT_EQ(ini.ReadString("DefaultValues", "DefaultHighOtherV", ""), "28.8");
  EXPECT_EQ(ini.ReadString("DefaultValues", "LowVRLACellR per jar", ""), "0.3");
}
