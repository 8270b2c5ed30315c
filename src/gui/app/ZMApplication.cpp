#include "app/ZMApplication.h"

#include <QLocale>
#include <QtGlobal>
#include <exception>

#include "common/ZMCommandGuard.h"
#include "common/ZMFormat.h"
#include "wizard/MainTreeActionsIcons.h"

TZMApplication::TZMApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TZMApplication::notify(QObject* receiver, QEvent* event) {
  // Written out rather than through RunGuarded: this runs for every event.
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportCommandError(error.what());
  } catch (...) {
    ReportCommandError(UnknownCommandError);
  }
  return false;
}

void SetApplicationNames() {
  QCoreApplication::setApplicationName(QStringLiteral("ZMConfigWizard"));
  QCoreApplication::setApplicationVersion(QStringLiteral(ZM_VERSION_TEXT));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Zelmor Configuration Wizard"));
}

void SetApplicationIcon() {
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntryId));
  QApplication::setWindowIcon(ApplicationIcon());
}

void InitZMResources() { Q_INIT_RESOURCE(resources); }

void ApplyLocaleToCore() {
  const QString point = QLocale().decimalPoint();
  SetDecimalSeparator(point.size() == 1 ? point.at(0).toLatin1() : '.');
}
