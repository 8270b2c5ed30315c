// ZMConfigWizard: Configuration Builder, the configuration wizard of the Zelmor
// battery monitoring system.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
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

// For the start-up benchmark: with ZM_TEST_QUIT_WHEN_IDLE set, the program
// prints "idle" and quits as soon as the start-up steps are done, the main
// window has painted itself after them and the event loop has nothing left
// to do.
class TQuitWhenIdle : public QObject {
 public:
  explicit TQuitWhenIdle(QWidget& window) : window_(window) {
    // Queued after the start-up steps, so it runs once they are done.
    QMetaObject::invokeMethod(this, [this] {
      startedUp_ = true;
      window_.installEventFilter(this);
      window_.update();
    }, Qt::QueuedConnection);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      if (!painted_ || quitting_) return;
      quitting_ = true;
      std::fputs("idle\n", stdout);
      std::fflush(stdout);
      QCoreApplication::exit(0);
    });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Paint && startedUp_) painted_ = true;
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
  bool startedUp_ = false, painted_ = false, quitting_ = false;
};
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
    std::unique_ptr<TQuitWhenIdle> quitWhenIdle;
    if (std::getenv("ZM_TEST_QUIT_WHEN_IDLE")) quitWhenIdle = std::make_unique<TQuitWhenIdle>(mainWindow);
    rc = app.exec();
  }
  SetFileDialogs(nullptr);
  SetValuePrompts(nullptr);
  SetUserMessages(nullptr);
  return rc;
}
