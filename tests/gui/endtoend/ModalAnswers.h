#pragma once
// Answers the modal dialogs a command opens, the way a user would: while the
// command runs, a short poll looks for the active modal window; each expected
// dialog (by objectName, in order) is handed to its answer, which sets the
// controls and presses a button. A dialog left open by its answer, or one that
// was not expected, fails the test and is rejected, so no modal window outlives
// the command.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TModalAnswers {
 public:
  using TAnswer = std::function<void(QDialog*)>;

  TModalAnswers& Expect(const char* objectName, TAnswer answer) {
    expected_.emplace_back(QString::fromLatin1(objectName), std::move(answer));
    return *this;
  }

  // Runs `command` and answers the dialogs it opens. Returns the objectNames
  // of the dialogs seen, in order.
  std::vector<std::string> Run(const std::function<void()>& command) {
    seen_.clear();
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [this] { Poll(); });
    poll.start();
    command();
    poll.stop();
    for (const auto& [name, answer] : expected_) ADD_FAILURE() << "dialog " << name.toStdString() << " never opened";
    expected_.clear();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a modal window stayed open";
    return seen_;
  }

 private:
  void Poll() {
    if (busy_) return;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    busy_ = true;
    seen_.push_back(dialog->objectName().toStdString());
    if (!expected_.empty() && expected_.front().first == dialog->objectName()) {
      TAnswer answer = std::move(expected_.front().second);
      expected_.pop_front();
      answer(dialog);
      if (dialog->isVisible()) {
        ADD_FAILURE() << "dialog " << dialog->objectName().toStdString() << " still open after its answer";
        dialog->reject();
      }
    } else {
      ADD_FAILURE() << "unexpected dialog " << dialog->objectName().toStdString();
      dialog->reject();
    }
    busy_ = false;
  }

  std::deque<std::pair<QString, TAnswer>> expected_;
  std::vector<std::string> seen_;
  bool busy_ = false;
};

// Types into a dialog's box as a user does: select all, then key by key.
inline void TypeInto(QWidget* dialog, const char* name, const QString& text) {
  auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
  ASSERT_NE(edit, nullptr) << name;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

// Clicks a dialog's button by name; it must be enabled.
inline void ClickButton(QWidget* dialog, const char* name) {
  auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
  ASSERT_NE(button, nullptr) << name;
  EXPECT_TRUE(button->isEnabled()) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}
