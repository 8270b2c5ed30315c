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
#include "dialogs/fmConfigString.h"
#include "dialogs/fmConfigUpDown.h"

namespace {
struct StringDialog {
  TfmConfigureString dlg;
  QLineEdit* currents = FindNamed<QLineEdit>(&dlg, "ebCurrentCount");
  QLineEdit* temps = FindNamed<QLineEdit>(&dlg, "ebTemperatureCount");
  QLineEdit* cells = FindNamed<QLineEdit>(&dlg, "ebCellCount");
  QLineEdit* jars = FindNamed<QLineEdit>(&dlg, "ebJarCount");
  TDialogUpDown* updnCurrents = FindNamed<TDialogUpDown>(&dlg, "updnCurrentCount");
  TDialogUpDown* updnCells = FindNamed<TDialogUpDown>(&dlg, "updnCellCount");
  TDialogUpDown* updnJars = FindNamed<TDialogUpDown>(&dlg, "updnJarCount");
  QCheckBox* voltageOnly = FindNamed<QCheckBox>(&dlg, "cbxVoltageOnly");
  QGroupBox* scope = FindNamed<QGroupBox>(&dlg, "rgConfigureStringScope");
  QRadioButton* scopeAll = FindNamed<QRadioButton>(&dlg, "rgConfigureStringScope_1");
  QPushButton* ok = FindNamed<QPushButton>(&dlg, "btnOK");
  QPushButton* cancel = FindNamed<QPushButton>(&dlg, "btnCancel");

  bool Run(bool scopeChoosable, const std::function<void()>& actions) {
    return RunModal(dlg, actions, [&] { return dlg.Execute(scopeChoosable); });
  }
};

bool HasLabel(QWidget* w, const QString& text) {
  for (auto* l : w->findChildren<QLabel*>())
    if (l->text() == text) return true;
  return false;
}
}  // namespace

TEST(ConfigureStringDialog, StartsWithItsCaptionsAndInitialValues) {
  StringDialog d;
  EXPECT_EQ(d.dlg.objectName(), "fmConfigureString");
  EXPECT_EQ(d.dlg.windowTitle(), "Configure string");
  EXPECT_TRUE(d.dlg.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(d.dlg.windowFlags() & Qt::WindowCloseButtonHint);
  for (const char* caption : {"Monitored currents per string :", "Monitored temperatures per string :",
                              "Measurement points per string :", "Each measurement point covers ",
                              "cell or jar"})
    EXPECT_TRUE(HasLabel(&d.dlg, QString::fromUtf8(caption))) << caption;
  EXPECT_EQ(d.voltageOnly->text(), "Do not monitor cell ohmic-value");
  EXPECT_EQ(d.scope->title(), "Apply this configuration to :");
  EXPECT_EQ(d.scopeAll->text(), "All strings in all batteries");
  EXPECT_EQ(FindNamed<QRadioButton>(&d.dlg, "rgConfigureStringScope_0")->text(),
            "Only selected batteries / strings");
  EXPECT_EQ(d.ok->text(), "&OK");
  EXPECT_EQ(d.cancel->text(), "&Cancel");

  EXPECT_EQ(d.currents->text(), "1");
  EXPECT_EQ(d.temps->text(), "1");
  EXPECT_EQ(d.cells->text(), "4");
  EXPECT_EQ(d.jars->text(), "1");
  EXPECT_EQ(d.voltageOnly->checkState(), Qt::Unchecked);
  EXPECT_TRUE(d.ok->isEnabled());

  // Ranges: the current count stops at 1, the jar count at 1 from below.
  QTest::mouseClick(d.updnCurrents->UpButton(), Qt::LeftButton);
  EXPECT_EQ(d.currents->text(), "1");
  QTest::mouseClick(d.updnJars->DownButton(), Qt::LeftButton);
  EXPECT_EQ(d.jars->text(), "1");
  d.dlg.SetCellCount(5000);
  EXPECT_EQ(d.cells->text(), "4000");
  d.dlg.SetTemperatureCount(9);
  EXPECT_EQ(d.dlg.TemperatureCount(), 4);
}

TEST(ConfigureStringDialog, MixedCellCountBlanksTheBoxUntilTheUserSetsIt) {
  StringDialog d;
  // Strings of 4 and 6 cells: the caller passes the mixed marker.
  d.dlg.SetCellCount(kMixedValue);
  d.dlg.SetVoltageOnlyState(2);
  EXPECT_EQ(d.cells->text(), "");
  EXPECT_EQ(d.voltageOnly->checkState(), Qt::PartiallyChecked);

  const bool ok = d.Run(true, [&] {
    EXPECT_FALSE(d.ok->isEnabled());
    QTest::mouseClick(d.ok, Qt::LeftButton);  // disabled: nothing happens
    EXPECT_TRUE(d.dlg.isVisible());
    QTest::mouseClick(d.updnCells->UpButton(), Qt::LeftButton);
    EXPECT_EQ(d.cells->text(), "1");
    EXPECT_TRUE(d.ok->isEnabled());
    QTest::keyClicks(d.cells, "2");
    EXPECT_EQ(d.cells->text(), "12");
    QTest::mouseClick(d.ok, Qt::LeftButton);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(d.dlg.CellCount(), 12);
  EXPECT_EQ(d.dlg.CurrentCount(), 1);
  EXPECT_EQ(d.dlg.VoltageOnlyState(), 2);

  // Clearing any of the four boxes disables OK again.
  d.jars->clear();
  EXPECT_FALSE(d.ok->isEnabled());
  d.jars->setText("3");
  EXPECT_TRUE(d.ok->isEnabled());
  d.temps->clear();
  EXPECT_FALSE(d.ok->isEnabled());
}

TEST(ConfigureStringDialog, CancelPutsTheCountsShownAtTheStartBack) {
  StringDialog d;
  d.dlg.SetTemperatureCount(kMixedValue);
  const bool ok = d.Run(true, [&] {
    QTest::mouseClick(d.updnCurrents->DownButton(), Qt::LeftButton);
    EXPECT_EQ(d.currents->text(), "0");
    d.temps->setText("3");
    d.cells->setText("10");
    d.jars->setText("6");
    d.voltageOnly->setCheckState(Qt::Checked);
    QTest::mouseClick(d.cancel, Qt::LeftButton);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(d.currents->text(), "1");
  EXPECT_EQ(d.temps->text(), "");  // a mixed count stays blank
  EXPECT_EQ(d.cells->text(), "4");
  // The cells-or-jars count and the voltage-only state are not put back.
  EXPECT_EQ(d.jars->text(), "6");
  EXPECT_EQ(d.dlg.VoltageOnlyState(), 1);

  // The next Execute starts from what Cancel left.
  d.Run(true, [&] {
    EXPECT_EQ(d.currents->text(), "1");
    EXPECT_FALSE(d.ok->isEnabled());
  });
}

TEST(ConfigureStringDialog, ScopeIsResetAndFixedWhenNotChoosable) {
  StringDialog d;
  bool ok = d.Run(true, [&] {
    EXPECT_TRUE(d.scope->isEnabled());
    QTest::mouseClick(d.scopeAll, Qt::LeftButton);
    QTest::mouseClick(d.ok, Qt::LeftButton);
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(d.dlg.AllStrings());

  ok = d.Run(false, [&] {
    EXPECT_FALSE(d.scope->isEnabled());
    EXPECT_FALSE(d.scopeAll->isChecked());
    QTest::mouseClick(d.scopeAll, Qt::LeftButton);
    EXPECT_FALSE(d.scopeAll->isChecked());
    QTest::keyClick(&d.dlg, Qt::Key_Return);  // the default button
  });
  EXPECT_TRUE(ok);
  EXPECT_FALSE(d.dlg.AllStrings());
}

TEST(ConfigureStringDialog, OkRefusesACountOutsideItsRangeOrNoNumberAndStays) {
  TFakeServices services;
  StringDialog d;
  struct TCase {
    QLineEdit* StringDialog::*box;
    const char* text;
    const char* message;
  };
  const TCase cases[] = {
      {&StringDialog::cells, "99999", "The value mut be between 0 and 4000, inclusive."},
      {&StringDialog::temps, "7", "The value mut be between 0 and 4, inclusive."},
      {&StringDialog::currents, "-", "The value mut be between 0 and 1, inclusive."},
      {&StringDialog::jars, "13", "The value mut be between 1 and 12, inclusive."},
  };
  for (const TCase& c : cases) {
    services.messages.messages.clear();
    const bool ok = d.Run(true, [&] {
      QLineEdit* box = d.*c.box;
      box->selectAll();
      QTest::keyClicks(box, c.text);
      QTest::mouseClick(d.ok, Qt::LeftButton);
      EXPECT_TRUE(d.dlg.isVisible()) << c.text;
      EXPECT_EQ(box->text(), c.text);
      EXPECT_EQ(d.dlg.focusWidget(), box);
      box->setText(box == d.jars ? "1" : "0");
      QTest::mouseClick(d.ok, Qt::LeftButton);
    });
    EXPECT_TRUE(ok) << c.text;
    ASSERT_EQ(services.messages.messages.size(), 1u) << c.text;
    EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
    EXPECT_EQ(services.messages.LastText(), c.message);
  }
  EXPECT_EQ(d.dlg.CellCount(), 0);
  EXPECT_EQ(d.dlg.TemperatureCount(), 0);
}
