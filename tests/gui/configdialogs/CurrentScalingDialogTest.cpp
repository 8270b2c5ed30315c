#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "ModalRun.h"
#include "dialogs/fmConfigUpDown.h"
#include "dialogs/fmCurrentScaling.h"
#include "model/ZMCurrentScaling.h"

namespace {
struct ScalingDialog {
  TfrmCurrentScaling dlg;
  QRadioButton* rb1000 = FindNamed<QRadioButton>(&dlg, "rbtnProbeCurrent1000");
  QRadioButton* rb2500 = FindNamed<QRadioButton>(&dlg, "rbtnProbeCurrent2500");
  QRadioButton* rbOther = FindNamed<QRadioButton>(&dlg, "rbtnProbeCurrentOther");
  QLineEdit* other = FindNamed<QLineEdit>(&dlg, "edtProbeCurrentOther");
  TDialogUpDown* updnOther = FindNamed<TDialogUpDown>(&dlg, "updnProbeCurrentOther");
  QLineEdit* total = FindNamed<QLineEdit>(&dlg, "edtTotalCables");
  TDialogUpDown* updnTotal = FindNamed<TDialogUpDown>(&dlg, "updnTotalCables");
  QLineEdit* monitored = FindNamed<QLineEdit>(&dlg, "edtMonitoredCables");
  TDialogUpDown* updnMonitored = FindNamed<TDialogUpDown>(&dlg, "updnMonitoredCables");
  QLineEdit* percent = FindNamed<QLineEdit>(&dlg, "edtPercentCurrent");
  TDialogUpDown* updnPercent = FindNamed<TDialogUpDown>(&dlg, "updnPercentCurrent");
  QCheckBox* expert = FindNamed<QCheckBox>(&dlg, "chkExpertsOnly");
  QLineEdit* expertValue = FindNamed<QLineEdit>(&dlg, "edtExpertsOnly");
  QPushButton* ok = FindNamed<QPushButton>(&dlg, "btnOK");
  QPushButton* cancel = FindNamed<QPushButton>(&dlg, "btnCancel");

  bool Run(TCurrentScalingCalculator& calc, const std::function<void()>& actions) {
    return RunModal(dlg, actions, [&] { return dlg.Execute(calc); });
  }
  void ClickOk() { QTest::mouseClick(ok, Qt::LeftButton); }
};

// Clicks on the box itself, at the left end of the check box.
void ClickCheckBox(QCheckBox* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

TCurrentScalingCalculator ByPercent(int probe, int percent) {
  TCurrentScalingCalculator c;
  c.SetProbeCurrent(probe);
  c.SetPercentCurrent(percent);
  return c;
}

TCurrentScalingCalculator ByCables(int probe, int total, int monitored) {
  TCurrentScalingCalculator c;
  c.SetProbeCurrent(probe);
  c.SetCableRatio(total, monitored);
  return c;
}
}  // namespace

TEST(CurrentScalingDialog, CaptionsAndTheStateOfANewProbe) {
  ScalingDialog d;
  EXPECT_EQ(d.dlg.objectName(), "frmCurrentScaling");
  EXPECT_EQ(d.dlg.windowTitle(), "Current Scaling");
  EXPECT_TRUE(d.dlg.ByCables());
  EXPECT_EQ(d.dlg.Calculator(), nullptr);
  EXPECT_EQ(d.rb1000->text(), "1000 Amps");
  EXPECT_EQ(d.rb2500->text(), "2500 Amps");
  EXPECT_EQ(d.rbOther->text(), "Other");
  QStringList titles;
  for (auto* g : d.dlg.findChildren<QGroupBox*>()) titles << g->title();
  EXPECT_TRUE(titles.contains("Max probe current"));
  EXPECT_TRUE(titles.contains("Set by cable counts:"));
  EXPECT_TRUE(titles.contains("OR set percentage directly :"));
  QStringList labels;
  for (auto* l : d.dlg.findChildren<QLabel*>()) labels << l->text();
  for (const char* caption : {"Amps", "Total number of cables carrying string current :",
                              "Number of cables monitored by current clamp :",
                              "What percent of the current is being monitored", "by the current clamp?",
                              "Enter scaling value for this current clamp :"})
    EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;

  TCurrentScalingCalculator calc;
  const bool ok = d.Run(calc, [&] {
    EXPECT_EQ(d.dlg.Calculator(), &calc);
    EXPECT_TRUE(d.rb1000->isChecked());
    EXPECT_FALSE(d.other->isVisible());
    EXPECT_EQ(d.total->text(), "1");
    EXPECT_EQ(d.monitored->text(), "1");
    EXPECT_EQ(d.percent->text(), "100");
    EXPECT_FALSE(d.expert->isChecked());
    EXPECT_FALSE(d.expertValue->isEnabled());
    EXPECT_TRUE(d.ok->isEnabled());
    EXPECT_EQ(d.dlg.focusWidget(), d.ok);
    // Choosing "Other" shows its box with the initial 2,000.
    QTest::mouseClick(d.rbOther, Qt::LeftButton);
    EXPECT_TRUE(d.other->isVisible());
    EXPECT_TRUE(d.updnOther->isVisible());
    EXPECT_EQ(d.other->text(), "2,000");
    QTest::mouseClick(d.rb1000, Qt::LeftButton);
    EXPECT_FALSE(d.other->isVisible());
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(d.dlg.Calculator(), nullptr);
  EXPECT_TRUE(calc.UseCableRatio());
  EXPECT_EQ(calc.GetScaledCurrent(), 1000);
}

TEST(CurrentScalingDialog, OpensOnAPercentageAndStoresItAgain) {
  ScalingDialog d;
  TCurrentScalingCalculator calc = ByPercent(2500, 50);
  const bool ok = d.Run(calc, [&] {
    EXPECT_TRUE(d.rb2500->isChecked());
    EXPECT_EQ(d.percent->text(), "50");
    EXPECT_EQ(d.total->text(), "");
    EXPECT_EQ(d.monitored->text(), "");
    EXPECT_FALSE(d.dlg.ByCables());
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(calc.UsePercent());
  EXPECT_EQ(calc.PercentCurrent(), 50);
  EXPECT_EQ(calc.ProbeCurrent(), 2500);
  EXPECT_EQ(calc.GetScaledCurrent(), 5000);
}

TEST(CurrentScalingDialog, OpensOnCableCountsAndAnOtherProbeCurrent) {
  ScalingDialog d;
  TCurrentScalingCalculator calc = ByCables(1000, 4, 3);
  d.Run(calc, [&] {
    EXPECT_EQ(d.total->text(), "4");
    EXPECT_EQ(d.monitored->text(), "3");
    EXPECT_EQ(d.percent->text(), "75");
    EXPECT_TRUE(d.dlg.ByCables());
    QTest::mouseClick(d.cancel, Qt::LeftButton);
  });

  TCurrentScalingCalculator other = ByCables(1500, 2, 1);
  const bool ok = d.Run(other, [&] {
    EXPECT_TRUE(d.rbOther->isChecked());
    EXPECT_TRUE(d.other->isVisible());
    EXPECT_EQ(d.other->text(), "1,500");
    QTest::mouseClick(d.updnOther->UpButton(), Qt::LeftButton);
    EXPECT_EQ(d.other->text(), "1,501");
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(other.ProbeCurrent(), 1501);
  EXPECT_TRUE(other.UseCableRatio());
  EXPECT_EQ(other.GetScaledCurrent(), 3002);
}

TEST(CurrentScalingDialog, ExpertValueNeedsAnIntegerAndIsStoredAlone) {
  ScalingDialog d;
  TCurrentScalingCalculator calc = ByCables(2500, 2, 1);
  const bool ok = d.Run(calc, [&] {
    ClickCheckBox(d.expert);
    EXPECT_TRUE(d.expertValue->isEnabled());
    EXPECT_FALSE(d.rb1000->isEnabled());
    EXPECT_FALSE(d.total->isEnabled());
    EXPECT_FALSE(d.percent->isEnabled());
    EXPECT_FALSE(d.ok->isEnabled());
    QTest::keyClicks(d.expertValue, "12o0");
    EXPECT_FALSE(d.ok->isEnabled());
    d.expertValue->clear();
    QTest::keyClicks(d.expertValue, "1200");
    EXPECT_TRUE(d.ok->isEnabled());
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(calc.UseDirectValue());
  EXPECT_EQ(calc.GetScaledCurrent(), 1200);

  // Reopening shows the direct value in the ticked expert box.
  d.Run(calc, [&] {
    EXPECT_TRUE(d.expert->isChecked());
    EXPECT_EQ(d.expertValue->text(), "1200");
    EXPECT_TRUE(d.ok->isEnabled());
    ClickCheckBox(d.expert);  // clearing it gives the other groups back
    EXPECT_TRUE(d.rb1000->isEnabled());
    EXPECT_FALSE(d.expertValue->isEnabled());
    QTest::mouseClick(d.cancel, Qt::LeftButton);
  });
  EXPECT_TRUE(calc.UseDirectValue());
}

TEST(CurrentScalingDialog, CableUpDownsRecomputeThePercentage) {
  ScalingDialog d;
  TCurrentScalingCalculator calc = ByPercent(1000, 40);
  const bool ok = d.Run(calc, [&] {
    QTest::mouseClick(d.updnTotal->UpButton(), Qt::LeftButton);
    // The empty monitored box is refilled with its position.
    EXPECT_EQ(d.total->text(), "2");
    EXPECT_EQ(d.monitored->text(), "1");
    EXPECT_EQ(d.percent->text(), "50");
    QTest::mouseClick(d.updnTotal->UpButton(), Qt::LeftButton);
    EXPECT_EQ(d.percent->text(), "33");
    EXPECT_TRUE(d.dlg.ByCables());
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(calc.UseCableRatio());
  EXPECT_EQ(calc.TotalCables(), 3);
  EXPECT_EQ(calc.MonitoredCables(), 1);
  EXPECT_EQ(calc.GetScaledCurrent(), 3000);
}

TEST(CurrentScalingDialog, TypedCountsAndPercentagesDecideTheFactor) {
  ScalingDialog d;
  TCurrentScalingCalculator calc = ByPercent(1000, 50);
  bool ok = d.Run(calc, [&] {
    // Typing a cable count switches to the cable counts without recomputing.
    QTest::keyClicks(d.total, "5");
    EXPECT_TRUE(d.dlg.ByCables());
    EXPECT_EQ(d.monitored->text(), "1");
    EXPECT_EQ(d.percent->text(), "50");
    d.monitored->selectAll();
    QTest::keyClicks(d.monitored, "2");
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(calc.UseCableRatio());
  EXPECT_EQ(calc.GetScaledCurrent(), 2500);

  ok = d.Run(calc, [&] {
    // A typed percentage empties the cable boxes and decides the factor.
    d.percent->selectAll();
    QTest::keyClicks(d.percent, "40");
    EXPECT_EQ(d.total->text(), "");
    EXPECT_EQ(d.monitored->text(), "");
    EXPECT_FALSE(d.dlg.ByCables());
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(calc.UsePercent());
  EXPECT_EQ(calc.GetScaledCurrent(), 2500);

  // So does a click on the percentage up-down over filled cable boxes.
  TCurrentScalingCalculator cables = ByCables(1000, 2, 1);
  ok = d.Run(cables, [&] {
    EXPECT_EQ(d.percent->text(), "50");
    QTest::mouseClick(d.updnPercent->DownButton(), Qt::LeftButton);
    EXPECT_EQ(d.total->text(), "");
    EXPECT_EQ(d.monitored->text(), "");
    EXPECT_FALSE(d.dlg.ByCables());
    d.ClickOk();
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(cables.UsePercent());
  EXPECT_EQ(cables.PercentCurrent(), 49);
}

TEST(CurrentScalingDialog, ZeroPercentKeepsOkDisabled) {
  ScalingDialog d;
  TCurrentScalingCalculator calc = ByPercent(1000, 1);
  const bool ok = d.Run(calc, [&] {
    EXPECT_TRUE(d.ok->isEnabled());
    QTest::mouseClick(d.updnPercent->DownButton(), Qt::LeftButton);
    EXPECT_EQ(d.percent->text(), "0");
    EXPECT_FALSE(d.ok->isEnabled());
    d.ClickOk();  // disabled: nothing happens
    EXPECT_TRUE(d.dlg.isVisible());
    // Going back to the cable counts makes 0 percent harmless.
    QTest::mouseClick(d.updnTotal->UpButton(), Qt::LeftButton);
    EXPECT_TRUE(d.dlg.ByCables());
    EXPECT_EQ(d.percent->text(), "50");
    EXPECT_TRUE(d.ok->isEnabled());
    QTest::mouseClick(d.cancel, Qt::LeftButton);
  });
  EXPECT_FALSE(ok);
  // Cancel leaves the calculator as it was.
  EXPECT_TRUE(calc.UsePercent());
  EXPECT_EQ(calc.PercentCurrent(), 1);
}

TEST(CurrentScalingDialog, OkWithoutACalculatorDoesNothing) {
  ScalingDialog d;
  d.dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&d.dlg));
  d.ClickOk();
  EXPECT_TRUE(d.dlg.isVisible());
  d.dlg.reject();
  EXPECT_FALSE(d.dlg.isVisible());
}

TEST(CurrentScalingDialog, OkRefusesACountOutsideItsRangeAndStoresNothing) {
  TFakeServices services;
  struct TCase {
    QLineEdit* ScalingDialog::*box;
    const char* text;
    const char* message;
  };
  const TCase cases[] = {
      {&ScalingDialog::percent, "300", "The value mut be between 0 and 200, inclusive."},
      {&ScalingDialog::other, "40000", "The value mut be between 0 and 32000, inclusive."},
      {&ScalingDialog::total, "0", "The value mut be between 1 and 32767, inclusive."},
  };
  for (const TCase& c : cases) {
    services.messages.messages.clear();
    ScalingDialog d;
    TCurrentScalingCalculator calc = ByPercent(1000, 50);
    const bool ok = d.Run(calc, [&] {
      QTest::mouseClick(d.rbOther, Qt::LeftButton, {}, QPoint(6, d.rbOther->height() / 2));
      QLineEdit* box = d.*c.box;
      box->selectAll();
      QTest::keyClicks(box, c.text);
      d.ClickOk();
      EXPECT_TRUE(d.dlg.isVisible()) << c.text;
      EXPECT_EQ(box->text(), c.text);
      EXPECT_EQ(d.dlg.focusWidget(), box);
      QTest::mouseClick(d.cancel, Qt::LeftButton);
    });
    EXPECT_FALSE(ok);
    ASSERT_EQ(services.messages.messages.size(), 1u) << c.text;
    EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
    EXPECT_EQ(services.messages.LastText(), c.message);
    EXPECT_TRUE(calc.UsePercent());
    EXPECT_EQ(calc.PercentCurrent(), 50) << c.text;
    EXPECT_EQ(calc.ProbeCurrent(), 1000) << c.text;
  }
}
