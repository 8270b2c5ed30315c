#pragma once
// Drives the real walk-through window over a fresh system: the script runs
// while Execute's modal loop is open, and the window is cancelled afterwards
// if the script left it open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/fmWalkThrough.h"
#include "walkthrough/fmWalkThroughSpinEdit.h"
#include "walkthrough/fmWalkThroughTextArea.h"

class WalkWindow : public ::testing::Test {
 protected:
  TFakeServices services;
  TzmUPSSystem system;
  TfmWalkthru window;
  QLabel* heading = FindNamed<QLabel>(&window, "lblHeading");
  TWalkThroughTextArea* text = FindNamed<TWalkThroughTextArea>(&window, "rchedtWalkThru");
  QPushButton* next = FindNamed<QPushButton>(&window, "btnWalkNext");
  QPushButton* back = FindNamed<QPushButton>(&window, "btnWalkPrev");
  QPushButton* cancel = FindNamed<QPushButton>(&window, "btnWalkCancel");
  QPushButton* print = FindNamed<QPushButton>(&window, "btnPrint");
  QPushButton* scaling = FindNamed<QPushButton>(&window, "btnCurrentScaling");
  QLabel* batStr = FindNamed<QLabel>(&window, "lblBatStr");
  QLineEdit* entry = FindNamed<QLineEdit>(&window, "ebWalkThru");
  TWalkSpinEdit* number = FindNamed<TWalkSpinEdit>(&window, "rxspinWalkThru");
  TWalkSpinEdit* fahrenheit = FindNamed<TWalkSpinEdit>(&window, "rxspinFarenheit");
  QCheckBox* walkThru = FindNamed<QCheckBox>(&window, "cbxWalkThru");
  QCheckBox* forceNewCU = FindNamed<QCheckBox>(&window, "cbxForceNewCU");
  QCheckBox* subString = FindNamed<QCheckBox>(&window, "cbxSubString");
  QCheckBox* voltageOnly = FindNamed<QCheckBox>(&window, "cbxVoltageOnly");
  QCheckBox* genset = FindNamed<QCheckBox>(&window, "cbxGenset");

  // Runs Execute with `script` acting on the shown window; returns Execute's result.
  bool Run(const std::function<void()>& script) {
    bool ran = false;
    QTimer::singleShot(0, &window, [&] {
      ran = true;
      EXPECT_TRUE(window.isVisible());
      script();
      if (window.isVisible()) QTest::mouseClick(cancel, Qt::LeftButton);
    });
    const bool result = window.Execute(&system);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(window.isVisible());
    return result;
  }

  // Lets the deferred steps run (one may post the next).
  static void Settle() {
    for (int i = 0; i < 8; ++i) QCoreApplication::processEvents();
  }
  static void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    Settle();
  }
  // Clicks on the box of a check box, at its left end.
  static void Tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    Settle();
  }
  // Replaces the text of a text box or number box as the user would.
  static void Type(QWidget* box, const QString& value) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(box)) spin->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    if (!value.isEmpty()) QTest::keyClicks(box, value);
  }
  // Types the answer and presses Enter in the box.
  static void Answer(QWidget* box, const QString& value) {
    Type(box, value);
    QTest::keyClick(box, Qt::Key_Return);
    Settle();
  }
  TzmUPSStringSystemNode* FirstString() const { return system.GetBattery(0)->GetString(0); }
  QString Help() const { return text->toPlainText(); }

  // From the start page to the channel count of the first string of one
  // battery named North with `strings` strings.
  void WalkToChannelCount(const QString& strings = "1") {
    Click(next);
    Answer(number, "1");
    Answer(entry, "North");
    Answer(number, strings);
    Answer(entry, "North 1");
  }

  // From the start page to the battery verification of one battery with one
  // string without channels, a probe with a discharge limit of 50 A and no
  // temperature sensor.
  void WalkToBatteryVerification() {
    WalkToChannelCount();
    Answer(number, "0");  // no channels; the probe question is forced
    EXPECT_EQ(heading->text(), "Minimum discharge current for " +
                                   QString::fromStdString(FirstString()->Name()));
    Answer(number, "50");
    Answer(number, "0");          // temperature sensors
  }
};
