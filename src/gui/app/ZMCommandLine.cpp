#include "app/ZMCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

void ConfigureCommandLine(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("Configuration Builder: describes a monitored UPS battery installation and "
                     "writes the configuration file of the Zelmor battery monitoring system."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("A site file (.zmsite) to open"),
                               QStringLiteral("[file]"));
}

void ProcessCommandLine(QCommandLineParser& parser, const QCoreApplication& app) {
  parser.process(app);
}

QString StartUpSiteFile(const QCommandLineParser& parser) {
  const QStringList files = parser.positionalArguments();
  return files.isEmpty() ? QString() : files.first();
}
