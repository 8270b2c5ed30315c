#pragma once
// Runs a dialog's own modal call while a test acts on the shown dialog. Whatever
// the actions do, the dialog is rejected afterwards if it is still open, so no
// modal window outlives the test.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <functional>

template <typename Exec>
auto RunModal(QDialog& dialog, const std::function<void()>& whileShown, Exec exec) {
  bool ran = false;
  QTimer::singleShot(0, &dialog, [&] {
    ran = true;
    EXPECT_TRUE(dialog.isVisible());
    whileShown();
    if (dialog.isVisible()) dialog.reject();
  });
  auto result = exec();
  EXPECT_TRUE(ran);
  EXPECT_FALSE(dialog.isVisible());
  return result;
}
