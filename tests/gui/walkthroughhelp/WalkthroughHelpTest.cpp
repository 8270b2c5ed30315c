// The walk-through help texts: one rich text per question, found by name in
// any case, shown in a real text area.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTextEdit>
#include <map>

#include "walkthrough/fmWalkThroughHelp.h"
#include "walkthrough/fmWalkThroughHelpNames.h"

namespace {
// The question each text is headed by.
const std::map<QString, QString>& Questions() {
  static const std::map<QString, QString> questions = {
      {"StartWalkThrough", "How does walk-through mode work?"},
      {"SetBatteryCount", "How many batteries are on this system?"},
      {"SetBatteryName", "What is the name of this battery?"},
      {"SetBatteryNameWithCopy", "What is the name of this battery?"},
      {"SetBatteryStringCount", "How many strings are on this battery?"},
      {"SetStringName", "What is the name of this string?"},
      {"SetStringNameWithCopy", "What is the name of this string?"},
      {"SetStringCellCount", "How many monitoring points (channels) are on this string?"},
      {"SetStringSubStringCount", "How many sub-strings does this string have?"},
      {"SetSubStringCellCount", "How many channels are in this sub-string?"},
      {"StringCurrentProbeCheck", "Does the string have a current probe?"},
      {"SetStringTemperatureCount", "How many temperature sensors are on this string?"},
      {"SetBlockPerChannelCount", "How many blocks does each channel measure?"},
      {"SetLowVoltageLimit", "What is the low voltage limit of each channel?"},
      {"SetHighVoltageLimit", "What is the high voltage limit of each channel?"},
      {"SetLowResistanceLimit", "What is the low ohmic-value limit of each channel?"},
      {"SetHighResistanceLimit", "What is the high ohmic-value limit of each channel?"},
      {"SetDischargeLimit", "Above which current is this string discharging?"},
      {"SetChargeLimit", "What is the low charging current limit of this string?"},
      {"SetTemperatureName", "What is the name of this temperature sensor?"},
      {"SetLowTemperatureLimit", "What is the low temperature limit of this sensor?"},
      {"SetHighTemperatureLimit", "What is the high temperature limit of this sensor?"},
  };
  return questions;
}

// What a user reads once the text is in the walk-through's text area.
QString Shown(const QString& richText) {
  QTextEdit area;
  area.setReadOnly(true);
  area.setHtml(richText);
  return area.toPlainText();
}
}  // namespace

TEST(WalkthroughHelp, EveryQuestionHasItsText) {
  const auto& names = WalkThroughHelpNames();
  ASSERT_EQ(Questions().size(), names.size());
  EXPECT_EQ(QDir(QString::fromLatin1(WalkthroughHelpFolder)).entryList(QDir::Files).size(),
            WalkThroughHelpCount);
  for (const char* name : names) {
    SCOPED_TRACE(name);
    bool found = false;
    const QString text = LoadWalkthroughHelp(QString::fromLatin1(name), &found);
    ASSERT_TRUE(found);
    ASSERT_EQ(Questions().count(name), 1u);
    EXPECT_TRUE(text.contains("<h3>" + Questions().at(name) + "</h3>"));
    EXPECT_TRUE(text.contains("<b>TIP:</b>"));
    EXPECT_TRUE(text.contains("<b>ADVICE:</b>"));
    EXPECT_GE(text.count("<b>"), 3);  // key words beyond the two part marks

    const QStringList shown = Shown(text).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(shown.first(), Questions().at(name));
    EXPECT_TRUE(shown.filter(QRegularExpression("^TIP: \\S")).size() == 1);
    EXPECT_TRUE(shown.last().startsWith("ADVICE: "));
  }
  EXPECT_TRUE(LoadWalkthroughHelp("StartWalkThrough").contains("Zelmor"));
}

TEST(WalkthroughHelp, NamesAreFoundInAnyCase) {
  const QString text = LoadWalkthroughHelp("SetDischargeLimit");
  bool found = false;
  EXPECT_EQ(LoadWalkthroughHelp("setdischargelimit", &found), text);
  EXPECT_TRUE(found);
  EXPECT_EQ(LoadWalkthroughHelp("SETDISCHARGELIMIT"), text);
}

TEST(WalkthroughHelp, MissingTextShowsItsNameOnly) {
  bool found = true;
  EXPECT_EQ(LoadWalkthroughHelp("SetNothing", &found), "SetNothing");
  EXPECT_FALSE(found);
  EXPECT_EQ(Shown(LoadWalkthroughHelp("SetNothing")), "SetNothing");
  EXPECT_EQ(LoadWalkthroughHelp("SetDischarge"), "SetDischarge");  // no prefix match
  EXPECT_EQ(LoadWalkthroughHelp(""), "");
}

TEST(WalkthroughHelp, EveryPageWithHelpNamesAnExistingText) {
  for (int id = 0; id <= static_cast<int>(TWalkPageId::HighTemperature); ++id) {
    for (bool variant : {false, true}) {
      const std::string name = WalkThroughHelpName(static_cast<TWalkPageId>(id), variant);
      if (name.empty()) continue;
      bool found = false;
      LoadWalkthroughHelp(QString::fromStdString(name), &found);
      EXPECT_TRUE(found) << name;
    }
  }
  EXPECT_EQ(WalkThroughHelpName(TWalkPageId::BatteryName, true), "SetBatteryNameWithCopy");
  EXPECT_EQ(WalkThroughHelpName(TWalkPageId::StringChannels, true), "SetStringSubStringCount");
  EXPECT_EQ(WalkThroughHelpName(TWalkPageId::StringName), "SetStringName");
  EXPECT_EQ(WalkThroughHelpName(TWalkPageId::BatteryVerify), "");
}

TEST(WalkthroughHelp, BoxesAreDescribedAsThePagesShowThem) {
  auto shownFor = [](TWalkPageId page, bool variant) {
    return Shown(LoadWalkthroughHelp(QString::fromStdString(WalkThroughHelpName(page, variant))));
  };
  // The "Use : " box of a string's channel page starts unticked unless the
  // string took the earlier string's limits before.
  for (bool subStrings : {false, true}) {
    SCOPED_TRACE(subStrings);
    const QString text = shownFor(TWalkPageId::StringChannels, subStrings);
    EXPECT_TRUE(text.contains("Use : "));
    EXPECT_FALSE(text.contains("Leave it ticked"));
    EXPECT_TRUE(text.contains("Tick it to give this string the same limits"));
  }
  // The discharge page also offers the low charge current alarm.
  EXPECT_TRUE(shownFor(TWalkPageId::Discharge, false).contains("Set a low charge current alarm"));
}
