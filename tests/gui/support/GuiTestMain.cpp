// Entry point of every GUI test program: an offscreen QApplication in the C
// locale, with settings redirected to a temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/ZMApplication.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("LC_ALL", "C", 1);
  QTemporaryDir settingsDir;
  setenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit().constData(), 1);
  setenv("HOME", settingsDir.path().toLocal8Bit().constData(), 1);
  setenv("XDG_STATE_HOME", settingsDir.path().toLocal8Bit().constData(), 1);
  QStandardPaths::setTestModeEnabled(true);
  QLocale::setDefault(QLocale::c());
  TZMApplication app(argc, argv);
  InitZMResources();
  ApplyLocaleToCore();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
