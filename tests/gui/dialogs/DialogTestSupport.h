#pragma once
// Runs a modal window in a test: `action` acts on the window named `name` while
// its exec() runs; whatever is still open afterwards is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <functional>

inline QWidget* OpenWindow(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
  return nullptr;
}

inline void WhenShown(const char* name, std::function<void(QDialog*)> action) {
  QTimer::singleShot(0, [name, action] {
    auto* dialog = qobject_cast<QDialog*>(OpenWindow(name));
    if (!dialog) {
      ADD_FAILURE() << "no open window named " << name;
      if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->reject();
      return;
    }
    action(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}
