#pragma once
// The program's command line: --help, --version and one optional site file to
// open at start-up.
#include <QString>

class QCommandLineParser;
class QCoreApplication;

// Declares the options and the positional "file" argument.
void ConfigureCommandLine(QCommandLineParser& parser);

// Parses the application's arguments. --help and --version print their text
// and end the program; an unknown option prints an error and ends it with 1.
// Needs only a QCoreApplication, so it works without a display.
void ProcessCommandLine(QCommandLineParser& parser, const QCoreApplication& app);

// The site file named on the command line; empty when none was given.
QString StartUpSiteFile(const QCommandLineParser& parser);
