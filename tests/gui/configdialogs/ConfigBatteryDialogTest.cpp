#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "ModalRun.h"
#include "dialogs/fmConfigBattery.h"
#include "dialogs/fmConfigUpDown.h"

namespace {
struct BatteryDialog {
  TfmConfigureBatteries dlg;
  QLineEdit* count = FindNamed<QLineEdit>(&dlg, "ebNumberOfBatteries");
  TDialogUpDown* updnCount = FindNamed<TDialogUpDown>(&dlg, "updnNumberOfBatteries");
  QLineEdit* strings = FindNamed<QLineEdit>(&dlg, "ebStringsPerBattery");
  QTableView* grid = FindNamed<QTableView>(&dlg, "sgNames");
  QPushButton* ok = FindNamed<QPushButton>(&dlg, "Button1");
  QPushButton* cancel = FindNamed<QPushButton>(&dlg, "Button2");

  QString Cell(int row, int column) const {
    return grid->model()->index(row, column).data().toString();
  }
  int Rows() const { return grid->model()->rowCount(); }

  // Opens the cell editor with F2 as a user would and returns it.
  QLineEdit* OpenEditor(int row, int column) {
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, column));
    QTest::keyClick(grid, Qt::Key_F2);
    return qobject_cast<QLineEdit*>(grid->viewport()->focusWidget() ? grid->viewport()->focusWidget()
                                                                    : QApplication::focusWidget());
  }
};
// Return in a cell editor commits through a queued call.
void Commit(QLineEdit* editor) {
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
}
}  // namespace

TEST(ConfigureBatteriesDialog, StartsWithOneDefaultBatteryAndItsHeaders) {
  BatteryDialog d;
  EXPECT_EQ(d.dlg.objectName(), "fmConfigureBatteries");
  EXPECT_EQ(d.dlg.windowTitle(), "Number of batteries");
  EXPECT_EQ(d.ok->text(), "&OK");
  EXPECT_EQ(d.cancel->text(), "&Cancel");
  EXPECT_EQ(d.count->text(), "1");
  EXPECT_EQ(d.strings->text(), "1");
  auto* model = d.grid->model();
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "  #  ");
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Name of battery");
  EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Number of strings (Blank = Default)");
  ASSERT_EQ(d.Rows(), 1);
  EXPECT_EQ(d.Cell(0, 0), "1");
  EXPECT_EQ(d.Cell(0, 1), "Battery: 1");
  EXPECT_EQ(d.Cell(0, 2), "");
  bool labelFound = false;
  for (auto* l : d.dlg.findChildren<QLabel*>()) labelFound |= l->text() == "Battery names";
  EXPECT_TRUE(labelFound);
  // The battery number column is fixed.
  EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
}

TEST(ConfigureBatteriesDialog, GridRowsFollowTheCountBoxAndNonNumbersAreRefused) {
  BatteryDialog d;
  d.count->selectAll();
  QTest::keyClicks(d.count, "3");
  ASSERT_EQ(d.Rows(), 3);
  EXPECT_EQ(d.Cell(2, 0), "3");
  EXPECT_EQ(d.Cell(2, 1), "Battery: 3");

  QTest::keyClicks(d.count, "x");  // "3x" is not a number
  EXPECT_EQ(d.count->text(), "3");
  EXPECT_EQ(d.Rows(), 3);
  d.count->selectAll();
  QTest::keyClick(d.count, Qt::Key_Delete);  // blank is not a number either
  EXPECT_EQ(d.count->text(), "3");

  QTest::mouseClick(d.updnCount->UpButton(), Qt::LeftButton);
  EXPECT_EQ(d.count->text(), "4");
  EXPECT_EQ(d.Rows(), 4);
  EXPECT_EQ(d.dlg.BatteryCount(), 4);

  d.count->selectAll();
  QTest::keyClicks(d.count, "0");  // below the minimum
  EXPECT_EQ(d.count->text(), "1");
  EXPECT_EQ(d.Rows(), 1);

  d.strings->selectAll();
  QTest::keyClicks(d.strings, "q");
  EXPECT_EQ(d.strings->text(), "1");
  d.strings->selectAll();
  QTest::keyClicks(d.strings, "6");
  EXPECT_EQ(d.dlg.DefaultStringCount(), 6);
  EXPECT_EQ(d.dlg.StringCount(0), 6);
}

TEST(ConfigureBatteriesDialog, SettersGettersAndExecuteFillBlankNames) {
  BatteryDialog d;
  d.dlg.SetBatteryCount(3);
  d.dlg.SetDefaultStringCount(2);
  d.dlg.SetBatteryName(0, "North");
  d.dlg.SetBatteryName(1, "");
  d.dlg.SetBatteryName(2, "South");
  d.dlg.SetStringCount(2, 5);
  d.dlg.SetBatteryName(3, "Ghost");  // outside the rows: ignored
  d.dlg.SetStringCount(-1, 9);
  EXPECT_EQ(d.Cell(1, 1), "");
  EXPECT_EQ(d.dlg.BatteryName(1), "Battery: 2");
  EXPECT_EQ(d.dlg.BatteryName(3), "");
  EXPECT_EQ(d.dlg.StringCount(3), 0);

  const bool ok = RunModal(
      d.dlg,
      [&] {
        EXPECT_EQ(d.Cell(0, 1), "North");
        EXPECT_EQ(d.Cell(1, 1), "Battery: 2");
        EXPECT_EQ(d.Cell(2, 1), "South");
        EXPECT_EQ(d.Cell(2, 2), "5");
        QTest::mouseClick(d.ok, Qt::LeftButton);
      },
      [&] { return d.dlg.Execute(); });
  EXPECT_TRUE(ok);
  EXPECT_EQ(d.dlg.BatteryCount(), 3);
  EXPECT_EQ(d.dlg.StringCount(0), 2);
  EXPECT_EQ(d.dlg.StringCount(2), 5);

  const bool cancelled = !RunModal(
      d.dlg, [&] { QTest::mouseClick(d.cancel, Qt::LeftButton); }, [&] { return d.dlg.Execute(); });
  EXPECT_TRUE(cancelled);
}

TEST(ConfigureBatteriesDialog, LoweringAndRaisingTheCountLeavesReaddedStringsBlank) {
  BatteryDialog d;
  d.dlg.SetBatteryCount(4);
  for (int i = 0; i < 4; ++i) d.dlg.SetStringCount(i, 3);
  QTest::mouseClick(d.updnCount->DownButton(), Qt::LeftButton);
  QTest::mouseClick(d.updnCount->DownButton(), Qt::LeftButton);
  EXPECT_EQ(d.Rows(), 2);
  QTest::mouseClick(d.updnCount->UpButton(), Qt::LeftButton);
  QTest::mouseClick(d.updnCount->UpButton(), Qt::LeftButton);
  ASSERT_EQ(d.Rows(), 4);
  EXPECT_EQ(d.Cell(1, 2), "3");
  EXPECT_EQ(d.Cell(2, 2), "");
  EXPECT_EQ(d.Cell(3, 2), "");
  EXPECT_EQ(d.dlg.StringCount(3), 1);
}

TEST(ConfigureBatteriesDialog, EditingCellsInTheGrid) {
  TFakeServices services;
  BatteryDialog d;
  d.dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&d.dlg));
  d.dlg.SetBatteryCount(2);
  d.dlg.SetBatteryName(1, "");

  // A blank name cell offers the default name to its editor.
  QLineEdit* editor = d.OpenEditor(1, 1);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "Battery: 2");
  editor->selectAll();
  QTest::keyClicks(editor, "East bank");
  Commit(editor);
  EXPECT_EQ(d.dlg.BatteryName(1), "East bank");

  // A name with a comma is refused with a message; the old name stays.
  editor = d.OpenEditor(0, 1);
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "West, old");
  Commit(editor);
  EXPECT_EQ(d.dlg.BatteryName(0), "Battery: 1");
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), "A name cannot contain a comma.");

  // The strings cell takes what is typed; anything but a positive number means the default.
  editor = d.OpenEditor(0, 2);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "");
  QTest::keyClicks(editor, "4");
  Commit(editor);
  EXPECT_EQ(d.dlg.StringCount(0), 4);
  editor = d.OpenEditor(0, 2);
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "many");
  Commit(editor);
  EXPECT_EQ(d.Cell(0, 2), "many");
  EXPECT_EQ(d.dlg.StringCount(0), 1);
  d.dlg.reject();
}

TEST(ConfigureBatteriesDialog, NameColumnsShareTheGridWidth) {
  BatteryDialog d;
  d.dlg.resize(500, 300);
  d.dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&d.dlg));
  auto check = [&] {
    const int client = d.grid->viewport()->width();
    const int number = d.grid->columnWidth(0);
    EXPECT_GE(number, d.grid->fontMetrics().horizontalAdvance("000"));
    EXPECT_LT(number, d.grid->fontMetrics().horizontalAdvance("000") * 2);
    EXPECT_EQ(d.grid->columnWidth(1), (client - number - 2) / 2);
    EXPECT_EQ(d.grid->columnWidth(2), d.grid->columnWidth(1));
  };
  check();
  const int before = d.grid->columnWidth(1);
  d.dlg.resize(700, 300);
  QApplication::processEvents();
  check();
  EXPECT_GT(d.grid->columnWidth(1), before);
  d.dlg.reject();
}
