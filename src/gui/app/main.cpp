// ZMConfigWizard: Configuration Builder, the configuration wizard of the Zelmor
// battery monitoring system.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/QtFileDialogs.h"
#include "app/QtUserInterface.h"
#include "app/ZMCommandLine.h"
#include "app/ZMApplication.h"
#include "app/ZMHelp.h"
#include "app/ZMWindows.h"
#include "dialogs/ZMValuePrompts.h"
#include "wizard/Main.h"

namespace {
bool DisplayAvailable(int argc, char* argv[]) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (display && *display) || (wayland && *wayland);
}
}  // namespace

int main(int argc, char* argv[]) {
  SetApplicationNames();
  QCommandLineParser commandLine;
  ConfigureCommandLine(commandLine);
  if (!DisplayAvailable(argc, argv)) {
    {
      // --help and --version print without a display.
      QCoreApplication console(argc, argv);
      ProcessCommandLine(commandLine, console);
    }
    std::fprintf(stderr,
                 "Configuration Builder needs a graphical display, and none is available "
                 "(DISPLAY is not set).\nStart it from a desktop session, or under Xvfb: "
                 "xvfb-run -s '-screen 0 1280x800x24' %s\n",
                 argv[0]);
    return 2;
  }
  TZMApplication app(argc, argv);
  ProcessCommandLine(commandLine, app);
  InitZMResources();
  SetApplicationIcon();
  ApplyLocaleToCore();

  TQtUserMessages messages;
  TQtValuePrompts prompts;
  TQtFileDialogs fileDialogs;
  SetUserMessages(&messages);
  SetValuePrompts(&prompts);
  SetFileDialogs(&fileDialogs);
  TZMHelp help;
  int rc = 0;
  {
    // "ZMConfigWizard SITE.zmsite" opens that site file at start-up.
    const std::string siteFile = StartUpSiteFile(commandLine).toStdString();
    TZMWindows windows(QCoreApplication::applicationFilePath().toStdString(), {}, true, siteFile);
    TfmConfigWizard& mainWindow = windows.Main();
    mainWindow.Logic().BuiltInSaveFolder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    mainWindow.ShowAtStartUp();
    rc = app.exec();
  }
  SetFileDialogs(nullptr);
  SetValuePrompts(nullptr);
  SetUserMessages(nullptr);
  return rc;
}
