// ZMConfigWizard: Configuration Builder, the configuration wizard of the Zelmor
// battery monitoring system.
#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "app/QtUserInterface.h"
#include "app/ZMApplication.h"
#include "wizard/Main.h"

namespace {
bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (display && *display) || (wayland && *wayland);
}
}  // namespace

int main(int argc, char* argv[]) {
  if (!DisplayAvailable()) {
    std::fprintf(stderr,
                 "Configuration Builder needs a graphical display, and none is available "
                 "(DISPLAY is not set).\nStart it from a desktop session, or under Xvfb: "
                 "xvfb-run -s '-screen 0 1280x800x24' %s\n",
                 argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZMConfigWizard"));
  QApplication::setApplicationDisplayName(QStringLiteral("Zelmor Configuration Wizard"));
  QApplication::setApplicationVersion(QStringLiteral(ZM_VERSION_TEXT));
  InitZMResources();
  ApplyLocaleToCore();

  TQtUserMessages messages;
  SetUserMessages(&messages);

  TfmConfigWizard mainWindow;
  mainWindow.showMaximized();
  const int rc = app.exec();
  SetUserMessages(nullptr);
  return rc;
}
