#include <QRadioButton>

#include "WalkWindowFixture.h"
#include "dialogs/fmCurrentScaling.h"

TEST(WalkWindowPlacement, CoversTheRightTwoThirdsOfTheMainWindow) {
  EXPECT_EQ(TfmWalkthru::PlacementOver(QRect(100, 50, 900, 600)), QRect(400, 50, 600, 600));
  // Thirds are whole pixels: 1000 div 3 = 333.
  EXPECT_EQ(TfmWalkthru::PlacementOver(QRect(0, 20, 1000, 700)), QRect(333, 20, 666, 700));
}

TEST_F(WalkWindow, StartPageIsPlacedOverTheMainWindowAndEscapeCancels) {
  EXPECT_FALSE(window.Execute(nullptr));
  QWidget mainWindow;
  mainWindow.setGeometry(120, 60, 960, 640);
  window.SetMainWindow(&mainWindow);
  const bool finished = Run([&] {
    EXPECT_EQ(window.objectName(), "fmWalkthru");
    EXPECT_EQ(window.windowTitle(), "Configuration Wizard");
    EXPECT_EQ(window.geometry(), QRect(440, 60, 640, 640));
    EXPECT_EQ(heading->text(), "Create a system configuration file");
    EXPECT_TRUE(Help().contains("How does walk-through mode work?"));
    EXPECT_EQ(next->text(), "&Start");
    EXPECT_FALSE(back->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{entry, number, fahrenheit, walkThru, print,
                                                      scaling, batStr, voltageOnly, genset})
      EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(window.focusWidget(), next);
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_FALSE(finished);
  EXPECT_EQ(system.BatteryCount(), 0);
}

TEST_F(WalkWindow, AnswersGoIntoTheModelAndGoBackShowsThemAgain) {
  const bool finished = Run([&] {
    Click(next);
    EXPECT_EQ(heading->text(), "Number of batteries on this system");
    EXPECT_EQ(next->text(), "&Next >>");
    EXPECT_FALSE(back->isEnabled());
    EXPECT_FALSE(Help().startsWith("SetBatteryCount"));
    ASSERT_TRUE(number->isVisible());
    EXPECT_EQ(number->text(), "1");
    EXPECT_EQ(walkThru->text(), "All batteries are the same");
    EXPECT_FALSE(walkThru->isEnabled());
    EXPECT_EQ(window.focusWidget(), number);

    // Two or more batteries enable the box; Space in the number box ticks it.
    Type(number, "2");
    EXPECT_TRUE(walkThru->isEnabled());
    QTest::keyClick(number, Qt::Key_Space);
    EXPECT_TRUE(walkThru->isChecked());
    QTest::keyClick(number, Qt::Key_Return);
    Settle();
    EXPECT_EQ(system.BatteryCount(), 2);
    EXPECT_TRUE(system.AllBatteriesSame);

    EXPECT_EQ(heading->text(), "Name of battery #1");
    EXPECT_TRUE(back->isEnabled());
    EXPECT_TRUE(batStr->isVisible());
    EXPECT_EQ(batStr->text(), "Battery:");
    ASSERT_TRUE(entry->isVisible());
    EXPECT_EQ(window.focusWidget(), entry);
    // The first battery offers neither "Copy battery" nor the force box.
    EXPECT_FALSE(walkThru->isVisible());
    EXPECT_FALSE(forceNewCU->isVisible());
    EXPECT_TRUE(voltageOnly->isVisible());
    EXPECT_TRUE(genset->isVisible());
    Tick(voltageOnly);
    Type(entry, "North");
    QTest::keyClick(entry, Qt::Key_Return);
    Settle();
    // The next page puts the focus on its own entry.
    EXPECT_EQ(window.focusWidget(), number);
    EXPECT_EQ(system.GetBattery(0)->GetShortName(), "North");
    EXPECT_TRUE(system.GetBattery(0)->VoltageOnly);
    EXPECT_TRUE(heading->text().startsWith("Number of strings on "));

    Click(back);
    EXPECT_EQ(heading->text(), "Name of battery #1");
    EXPECT_EQ(entry->text(), "North");
    EXPECT_TRUE(voltageOnly->isChecked());
    // A blank name leaves the stored one.
    Answer(entry, "   ");
    EXPECT_EQ(system.GetBattery(0)->GetShortName(), "North");
    Click(back);
    Click(back);
    EXPECT_EQ(heading->text(), "Number of batteries on this system");
    EXPECT_FALSE(back->isEnabled());
    Click(cancel);
  });
  EXPECT_FALSE(finished);
  // Cancel keeps every accepted answer.
  EXPECT_EQ(system.BatteryCount(), 2);
  EXPECT_EQ(system.GetBattery(0)->GetShortName(), "North");
}

TEST_F(WalkWindow, StepsHandedToAParentLevelRunAfterTheCurrentStep) {
  Run([&] {
    WalkToChannelCount();
    EXPECT_TRUE(heading->text().startsWith("Number of monitoring points (channels) on "));
    // No channels: the string goes on to its forced probe through a deferred
    // step, which has not run when Enter returns.
    Type(number, "0");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_TRUE(heading->text().startsWith("Number of monitoring points (channels) on "));
    EXPECT_FALSE(number->isVisible());
    Settle();
    EXPECT_TRUE(heading->text().startsWith("Minimum discharge current for "));
    EXPECT_EQ(number->text(), "");  // no limit suggested yet
    EXPECT_TRUE(scaling->isVisible());
    EXPECT_EQ(scaling->text(), "Set current scaling");
    EXPECT_LE(qAbs(scaling->x() - number->x()), 1);
    EXPECT_LT(scaling->y(), number->y());

    // Go back passes over the forced probe question to the channel page.
    Click(back);
    EXPECT_TRUE(heading->text().startsWith("Number of monitoring points (channels) on "));
    EXPECT_EQ(number->text(), "0");
  });
}

TEST_F(WalkWindow, CurrentScalingButtonOpensTheDialogAndTheLimitFollowsTheRating) {
  Run([&] {
    WalkToChannelCount();
    Answer(number, "0");
    ASSERT_TRUE(scaling->isVisible());
    bool dialogSeen = false;
    QTimer::singleShot(0, &window, [&] {
      auto* dialog = qobject_cast<TfrmCurrentScaling*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialogSeen = true;
      QTest::mouseClick(FindNamed<QRadioButton>(dialog, "rbtnProbeCurrent2500"), Qt::LeftButton);
      QTest::mouseClick(FindNamed<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
      if (dialog->isVisible()) dialog->reject();
    });
    Click(scaling);
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(FirstString()->GetCurrent(0)->Scaling.GetScaledCurrent(), 2500);
    EXPECT_EQ(scaling->text(), "Change current scaling");
    // The blank limit takes 5 % of the new rating.
    EXPECT_EQ(number->text(), "125");
  });
}

TEST_F(WalkWindow, AFullRunEndsWithTheReportsAndFinish) {
  const bool finished = Run([&] {
    WalkToChannelCount();
    // 4 channels of 1 block, 12 V to 14 V, 1 to 5 milliohms; discharge 50 A; one sensor.
    Answer(number, "4");
    Answer(number, "1");
    Answer(number, "12");
    Answer(number, "14");
    Answer(number, "1");
    Answer(number, "5");
    Answer(number, "50");
    Answer(number, "1");
    Answer(entry, "Ambient");

    // Degrees F above degrees C; each follows what is typed in the other.
    EXPECT_EQ(heading->text(), "Low temperature alarm for Ambient");
    ASSERT_TRUE(fahrenheit->isVisible());
    EXPECT_EQ(fahrenheit->x(), number->x());
    EXPECT_LT(fahrenheit->y(), number->y());
    Type(number, "25");
    EXPECT_EQ(fahrenheit->text(), "77");
    Type(fahrenheit, "50");
    EXPECT_EQ(number->text(), "10");
    QTest::keyClick(fahrenheit, Qt::Key_Return);
    Settle();
    EXPECT_DOUBLE_EQ(FirstString()->GetTemperature(0)->LowAlarm, 10.0);

    // A high limit not above the low one is refused with a warning.
    EXPECT_EQ(heading->text(), "High temperature alarm for Ambient");
    EXPECT_EQ(window.focusWidget(), fahrenheit);  // the box typed in last
    Answer(number, "10");
    EXPECT_EQ(heading->text(), "High temperature alarm for Ambient");
    EXPECT_TRUE(Help().contains("Error : High limit not above low limit."));
    ASSERT_FALSE(services.messages.beeps.empty());
    EXPECT_EQ(services.messages.beeps.back(), TBeepKind::Exclamation);
    Answer(number, "40");
    EXPECT_DOUBLE_EQ(FirstString()->GetTemperature(0)->HighAlarm, 40.0);

    EXPECT_EQ(heading->text(), "Verify battery setup");
    EXPECT_TRUE(print->isVisible());
    EXPECT_FALSE(number->isVisible());
    EXPECT_TRUE(Help().contains("Ambient alarms below 10"));
    Click(next);
    // No page: the report stays, the print button goes.
    EXPECT_EQ(heading->text(), "Verify battery setup");
    EXPECT_FALSE(print->isVisible());
    Click(next);
    EXPECT_EQ(heading->text(), "Verify system configuration");
    EXPECT_EQ(next->text(), "&Finish");
    EXPECT_TRUE(print->isVisible());
    EXPECT_TRUE(Help().contains("This system requires the following hardware:"));
    EXPECT_TRUE(Help().contains("1 Control Unit"));
    EXPECT_TRUE(Help().contains("1 DCM"));
    Click(next);
    EXPECT_FALSE(window.isVisible());
  });
  EXPECT_TRUE(finished);
  EXPECT_EQ(FirstString()->ControlUnit(), 0);
  EXPECT_DOUBLE_EQ(FirstString()->GetCell(0)->HighResistance, 5.0);
  ASSERT_FALSE(window.ControlUnitTable().empty());
  EXPECT_TRUE(window.ControlUnitTable().front().Used);
}

TEST_F(WalkWindow, CheckBoxPagesTakeSpaceAndEnterWhileOtherBoxesIgnoreEnter) {
  Run([&] {
    Click(next);
    Answer(number, "1");
    Answer(entry, "North");
    Answer(number, "2");  // two strings: the probe question is asked
    EXPECT_EQ(heading->text(), "Label for string #1");
    ASSERT_TRUE(subString->isVisible());
    // Enter in a box that is not the page's entry does not answer the page.
    QTest::keyClick(subString, Qt::Key_Return);
    Settle();
    EXPECT_EQ(heading->text(), "Label for string #1");
    Answer(entry, "North 1");
    Answer(number, "0");
    EXPECT_TRUE(heading->text().startsWith("Does "));
    EXPECT_TRUE(heading->text().endsWith(" have a current probe"));
    ASSERT_TRUE(walkThru->isVisible());
    EXPECT_EQ(walkThru->text(), "String has current probe");
    EXPECT_FALSE(walkThru->isChecked());
    EXPECT_EQ(window.focusWidget(), walkThru);
    QTest::keyClick(walkThru, Qt::Key_Space);
    EXPECT_TRUE(walkThru->isChecked());
    QTest::keyClick(walkThru, Qt::Key_Return);
    Settle();
    EXPECT_EQ(FirstString()->CurrentCount(), 1);
    EXPECT_TRUE(heading->text().startsWith("Minimum discharge current for "));
  });
}
