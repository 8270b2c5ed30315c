#pragma once
// Small helpers for driving real widgets in tests.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWidget>

// Finds a child by its objectName and fails the test when it is missing.
template <typename T>
T* FindNamed(QObject* parent, const char* name) {
  T* child = parent->findChild<T*>(QString::fromUtf8(name));
  EXPECT_NE(child, nullptr) << "no child named " << name;
  return child;
}

// Fires an action only while it is enabled, as a user could.
inline bool TriggerEnabled(QAction* action) {
  if (!action || !action->isEnabled()) return false;
  action->trigger();
  return true;
}
