#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <QStringList>

#include "app/ZMCommandLine.h"

TEST(CommandLine, TakesHelpVersionAndOneOptionalSiteFile) {
  const struct {
    QStringList args;
    QString siteFile;
  } cases[] = {
      {{"ZMConfigWizard"}, ""},
      {{"ZMConfigWizard", "/home/ann/Plant A.zmsite"}, "/home/ann/Plant A.zmsite"},
      {{"ZMConfigWizard", "--", "-odd.zmsite"}, "-odd.zmsite"},
  };
  for (const auto& c : cases) {
    QCommandLineParser parser;
    ConfigureCommandLine(parser);
    ASSERT_TRUE(parser.parse(c.args)) << parser.errorText().toStdString();
    EXPECT_EQ(StartUpSiteFile(parser), c.siteFile) << c.args.join(' ').toStdString();
  }

  QCommandLineParser parser;
  ConfigureCommandLine(parser);
  ASSERT_TRUE(parser.parse({"ZMConfigWizard", "--version", "--help"}));
  EXPECT_TRUE(parser.isSet("version"));
  EXPECT_TRUE(parser.isSet("help"));
  const QString help = parser.helpText();
  EXPECT_TRUE(help.contains("[file]")) << help.toStdString();
  EXPECT_TRUE(help.contains("A site file (.zmsite) to open")) << help.toStdString();
  EXPECT_FALSE(parser.parse({"ZMConfigWizard", "--no-such-option"}));
}
