// Whatever a command throws, the program shows it in an error box and goes on.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <stdexcept>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "TempFiles.h"
#include "app/ZMWindows.h"
#include "common/ZMCommandGuard.h"
#include "wizard/Main.h"

namespace {
// Runs the queued events and expects exactly one error box with `text`.
void ExpectOneErrorBox(TFakeServices& services, const std::string& text, const std::string& what) {
  QCoreApplication::processEvents();
  ASSERT_EQ(services.messages.messages.size(), 1u) << what;
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error) << what;
  EXPECT_EQ(services.messages.messages[0].text, text) << what;
  services.messages.messages.clear();
}
}  // namespace

TEST(CommandGuard, EveryPathIntoACommandShowsItsExceptionAndTheWindowStays) {
  TFakeServices services;
  TTempFolder dir;
  TZMWindows windows(dir / "ZMConfigWizard", dir / "config");
  TfmConfigWizard& window = windows.Main();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QString page = window.StatusLine()->currentMessage();
  const int reportedBefore = CommandErrorsReported();

  // Every enabled action of the main window, fired from the event loop.
  int fired = 0;
  for (QAction* action : window.findChildren<QAction*>()) {
    if (action->objectName().isEmpty() || action->menu() || !action->isEnabled()) continue;
    const std::string name = action->objectName().toStdString();
    QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
    QObject::connect(action, &QAction::triggered, [name] { throw std::runtime_error("broken " + name); });
    QMetaObject::invokeMethod(action, "trigger", Qt::QueuedConnection);
    ExpectOneErrorBox(services, "broken " + name, name);
    ++fired;
  }
  EXPECT_GE(fired, 20);

  // A button pressed with the mouse.
  QPushButton* cancel = window.btnCancel();
  QObject::disconnect(cancel, &QPushButton::clicked, nullptr, nullptr);
  QObject::connect(cancel, &QPushButton::clicked, [] { throw std::runtime_error("broken button"); });
  QTest::mouseClick(cancel, Qt::LeftButton);
  ExpectOneErrorBox(services, "broken button", "button");

  // A deferred step, and something that is not even a std::exception.
  QTimer::singleShot(0, &window, [] { throw std::out_of_range("broken step"); });
  ExpectOneErrorBox(services, "broken step", "deferred step");
  QTimer::singleShot(0, &window, [] { throw 42; });
  ExpectOneErrorBox(services, "The command failed with an unknown error.", "unknown");

  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.StatusLine()->currentMessage(), page);
  // Each of them was counted as an error that reached the guard.
  EXPECT_EQ(CommandErrorsReported(), reportedBefore + fired + 3);
}
