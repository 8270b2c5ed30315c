// The GUI benchmarks run offscreen in the C locale, with the settings and
// state folders in a temporary folder, like the GUI tests.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <string>

#include "GuiBenchMain.h"
#include "app/ZMApplication.h"

namespace {
std::string selfPath;

// The offscreen platform's notes about what it cannot do would bury the results.
void QuietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QStringLiteral("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().constData());
}
}  // namespace

const char* SelfPath() { return selfPath.c_str(); }

int main(int argc, char** argv) {
  selfPath = argv[0];
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("LC_ALL", "C", 1);
  QTemporaryDir settingsDir;
  for (const char* name : {"XDG_CONFIG_HOME", "HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
    setenv(name, settingsDir.path().toLocal8Bit().constData(), 1);
  QStandardPaths::setTestModeEnabled(true);
  QLocale::setDefault(QLocale::c());
  qInstallMessageHandler(QuietPlatformNotes);
  TZMApplication app(argc, argv);
  InitZMResources();
  ApplyLocaleToCore();
  if (argc >= 2 && std::strcmp(argv[1], kPeakMemoryOption) == 0) return PeakMemoryRun();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
