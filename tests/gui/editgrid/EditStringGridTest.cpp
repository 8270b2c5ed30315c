// The editable grid widget driven with real keys and mouse clicks.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "editgrid/UEditGridModel.h"
#include "editgrid/UEditStringGrid.h"

namespace {
QString Name(int col, int row) { return QString("r%1c%2").arg(row).arg(col); }

class EditStringGridTest : public ::testing::Test {
 protected:
  TFakeServices services;
  TEditStringGrid view;
  TEditGrid& grid = view.Grid();

  void SetUp() override {
    grid.SetColCount(10);
    grid.SetRowCount(10);
    for (int r = 0; r < 10; ++r)
      for (int c = 0; c < 10; ++c) view.SetCellText(c, r, Name(c, r));
    view.SetOptions(goEditing | goRangeSelect);
    view.resize(900, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setFocus();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&view, key, mods); }
  QPoint At(int col, int row) { return view.CellRect(col, row).center(); }
  void ClickCell(int col, int row) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At(col, row)); }
  void SelectWithMouse(int c1, int r1, int c2, int r2) {
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, At(c1, r1));
    QTest::mouseMove(view.viewport(), At(c2, r2));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, At(c2, r2));
  }
  // The editor closes after Return once the event loop has run.
  bool WaitEditorClosed() {
    for (int i = 0; i < 100 && view.Editor(); ++i) QTest::qWait(10);
    return view.Editor() == nullptr;
  }
  int SelectedCells() { return static_cast<int>(view.selectionModel()->selectedIndexes().size()); }
};

TEST_F(EditStringGridTest, HeaderRowStaysInTheColumnHeaderAndHintIsShown) {
  EXPECT_TRUE(view.horizontalHeader()->isVisible());
  EXPECT_EQ(view.model()->headerData(3, Qt::Horizontal).toString(), "r0c3");
  EXPECT_EQ(view.model()->rowCount(), 9);
  EXPECT_EQ(view.model()->index(0, 0).data().toString(), "r1c0");
  EXPECT_EQ(view.toolTip(), "<Ctrl>-C or <Ctrl>-Insert to select for copy");
  view.SetOptions(goRangeSelect);
  EXPECT_EQ(view.toolTip(), "Not in edit mode");
  EXPECT_EQ(view.statusTip(), "Not in edit mode");
}

TEST_F(EditStringGridTest, MouseDragSelectsAndCopyThenClickPlacesTheDestination) {
  SelectWithMouse(2, 2, 4, 3);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 4, 3}));
  EXPECT_EQ(SelectedCells(), 6);
  Key(Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(grid.CopyMode());
  EXPECT_EQ(view.toolTip(), "In copy mode. Press Escape to end copy mode.\n<Ctrl>-V or <Shift>-Insert to paste");

  ClickCell(8, 5);
  EXPECT_EQ(grid.DestBlock(), (TGridRect{7, 5, 9, 6}));
  EXPECT_EQ(SelectedCells(), 6);
  EXPECT_TRUE(view.selectionModel()->isSelected(view.model()->index(5 - 1, 9)));
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(view.model()->index(5 - 1, 7).data().toString(), "r2c2");
  EXPECT_EQ(view.Cells(9, 6), "r3c4");
}

TEST_F(EditStringGridTest, KeyboardPlacementAndChainedPastes) {
  SelectWithMouse(2, 2, 3, 3);  // the drag leaves the current cell on (3,3)
  Key(Qt::Key_Insert, Qt::ControlModifier);
  for (int i = 0; i < 2; ++i) Key(Qt::Key_Right);
  for (int i = 0; i < 2; ++i) Key(Qt::Key_Down);
  EXPECT_EQ(grid.DestBlock(), (TGridRect{4, 4, 5, 5}));
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(view.Cells(4, 4), "r2c2");
  view.SetCellText(2, 2, "changed");
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(view.Cells(6, 4), "r2c2");
  EXPECT_EQ(view.Cells(7, 5), "r3c3");
  Key(Qt::Key_Escape);
  EXPECT_FALSE(grid.CopyMode());
  EXPECT_EQ(SelectedCells(), 1);
}

TEST_F(EditStringGridTest, CutPlacePasteAndOneUndo) {
  SelectWithMouse(1, 1, 2, 2);
  Key(Qt::Key_X, Qt::ControlModifier);
  ClickCell(5, 5);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(view.Cells(1, 1), "");
  EXPECT_EQ(view.Cells(6, 6), "r2c2");
  EXPECT_FALSE(grid.CopyMode());
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(view.Cells(1, 1), "r1c1");
  EXPECT_EQ(view.Cells(5, 5), "r5c5");
  EXPECT_EQ(view.Cells(6, 6), "r6c6");
}

TEST_F(EditStringGridTest, TypingIntoASelectionFillsEveryCellAsYouType) {
  SelectWithMouse(3, 2, 3, 4);
  QTest::keyClick(&view, Qt::Key_5);
  QLineEdit* editor = view.Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "5");
  for (int r = 2; r <= 4; ++r) EXPECT_EQ(view.Cells(3, r), "5");
  QTest::keyClick(editor, Qt::Key_7);
  for (int r = 2; r <= 4; ++r) EXPECT_EQ(view.Cells(3, r), "57");
  EXPECT_EQ(grid.UndoIndex(), 0);
  QTest::keyClick(editor, Qt::Key_Return);
  ASSERT_TRUE(WaitEditorClosed());
  Key(Qt::Key_Z, Qt::ControlModifier);
  for (int r = 2; r <= 4; ++r) EXPECT_EQ(view.Cells(3, r), Name(3, r));
}

TEST_F(EditStringGridTest, AltBackspaceInTheEditorClosesItAndUndoes) {
  ClickCell(2, 2);
  QTest::keyClick(&view, Qt::Key_A);
  ASSERT_NE(view.Editor(), nullptr);
  EXPECT_EQ(view.Cells(2, 2), "a");
  QTest::keyClick(view.Editor(), Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(view.Editor(), nullptr);
  EXPECT_EQ(view.Cells(2, 2), "r2c2");
}

TEST_F(EditStringGridTest, CopyModeBeepsOnTypingAndRefusesLineDeletion) {
  ClickCell(2, 2);
  Key(Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_Q);
  EXPECT_EQ(services.messages.beeps.size(), 1u);
  EXPECT_EQ(view.Editor(), nullptr);
  EXPECT_EQ(view.Cells(2, 2), "r2c2");
  // Control characters are typed characters too.
  Key(Qt::Key_Return);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Backspace);
  Key(Qt::Key_Z, Qt::ControlModifier);  // nothing to undo
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(services.messages.beeps.size(), 6u);
  EXPECT_TRUE(grid.CopyMode());
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 2, 2}));
  Key(Qt::Key_F2);
  EXPECT_EQ(view.Editor(), nullptr);
  Key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(services.messages.LastText(),
            "You cannot delete rows while in copy mode.\r(Press the Escape key to exit copy mode.)");
  EXPECT_EQ(view.model()->rowCount(), 9);
}

TEST_F(EditStringGridTest, InsertAndDeleteLinesUpdateTheViewAndUndo) {
  ClickCell(3, 4);
  services.messages.Answer(TMsgAnswer::Yes);
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  ASSERT_EQ(view.model()->rowCount(), 10);
  EXPECT_EQ(view.Cells(0, 5), "r4c0");
  EXPECT_EQ(view.Cells(0, 10), "r9c0");
  EXPECT_EQ(view.model()->headerData(0, Qt::Horizontal).toString(), "r0c0");

  SelectWithMouse(1, 6, 1, 7);
  services.messages.Answer(TMsgAnswer::Yes);
  Key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(services.messages.LastText(), "Are you sure you want to delete these 2 lines?");
  ASSERT_EQ(view.model()->rowCount(), 8);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(view.model()->rowCount(), 10);
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(view.model()->rowCount(), 9);
  for (int r = 1; r < 10; ++r) EXPECT_EQ(view.Cells(0, r), Name(0, r));
}

TEST_F(EditStringGridTest, DifferentSizedDragAsksAndYesDropsTheBlock) {
  ClickCell(1, 1);
  Key(Qt::Key_C, Qt::ControlModifier);
  services.messages.Answer(TMsgAnswer::Yes);
  SelectWithMouse(4, 4, 6, 5);
  EXPECT_EQ(services.messages.LastText(),
            "You have selected a different sized block.\r Do you want to invalidate the previous selection?");
  EXPECT_FALSE(grid.CopyMode());
  EXPECT_EQ(SelectedCells(), 6);
}

TEST_F(EditStringGridTest, SourceBlockIsOutlinedOnlyInCopyMode) {
  ClickCell(2, 2);
  ClickCell(5, 5);  // the source cell is then neither current nor selected
  view.Grid().SetSelection({2, 2, 2, 2});
  const QRect cell = view.CellRect(2, 2);
  const QPoint edge(cell.left() + 1, cell.center().y());
  const QColor outline = view.palette().color(QPalette::WindowText);
  Key(Qt::Key_C, Qt::ControlModifier);
  ClickCell(6, 6);
  EXPECT_EQ(view.viewport()->grab().toImage().pixelColor(edge), outline);
  Key(Qt::Key_Escape);
  EXPECT_NE(view.viewport()->grab().toImage().pixelColor(edge), outline);
}

TEST_F(EditStringGridTest, LargestGridLoadsAndPlacementScrollsTheViewAlong) {
  const int rows = 1 + 32 * (8 + 255 * 4);
  grid.SetColCount(29);
  grid.SetRowCount(rows);
  ASSERT_EQ(view.model()->rowCount(), rows - 1);
  ClickCell(1, 1);
  Key(Qt::Key_C, Qt::ControlModifier);
  for (int i = 0; i < 40; ++i) Key(Qt::Key_PageDown);
  EXPECT_GT(grid.TopRow(), 100);
  EXPECT_EQ(view.verticalScrollBar()->value(), grid.TopRow() - 1);
  EXPECT_FALSE(view.CellRect(grid.DestBlock().Left, grid.DestBlock().Top).isEmpty());
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid.DestBlock(), (TGridRect{28, rows - 1, 28, rows - 1}));
  EXPECT_FALSE(view.CellRect(28, rows - 1).isEmpty());
  // Scrolling with the scroll bar is followed by the grid.
  Key(Qt::Key_Escape);
  view.verticalScrollBar()->setValue(500);
  EXPECT_EQ(grid.TopRow(), 501);
}

TEST_F(EditStringGridTest, TabInTheEditorMovesTheGridAndTheViewToTheNextCell) {
  SelectWithMouse(3, 4, 3, 2);  // the editor opens on the release cell (3,2)
  QTest::keyClick(&view, Qt::Key_5);
  ASSERT_NE(view.Editor(), nullptr);
  QTest::keyClick(view.Editor(), Qt::Key_Tab);
  EXPECT_EQ(view.Editor(), nullptr);
  EXPECT_EQ(grid.Selection(), (TGridRect{4, 2, 4, 2}));
  EXPECT_EQ(view.currentIndex(), view.GridModel()->CellIndex(4, 2));
  EXPECT_EQ(SelectedCells(), 1);
  // The next typing goes into the new cell alone.
  QTest::keyClick(&view, Qt::Key_X);
  EXPECT_EQ(view.Cells(4, 2), "x");
  for (int r = 2; r <= 4; ++r) EXPECT_EQ(view.Cells(3, r), "5");
  ASSERT_NE(view.Editor(), nullptr);
  QTest::keyClick(view.Editor(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(grid.Selection(), (TGridRect{3, 2, 3, 2}));
  EXPECT_EQ(view.currentIndex(), view.GridModel()->CellIndex(3, 2));
}

TEST_F(EditStringGridTest, CopyOrCutFromTheMenuClosesTheCellEditor) {
  for (bool cut : {false, true}) {
    ClickCell(2, 2);
    QTest::keyClick(&view, cut ? Qt::Key_C : Qt::Key_A);
    ASSERT_NE(view.Editor(), nullptr);
    if (cut)
      view.CutBlock();
    else
      view.CopyBlock();
    EXPECT_EQ(view.Editor(), nullptr) << cut;
    // Typing now only beeps.
    QWidget* typedInto = view.Editor() ? static_cast<QWidget*>(view.Editor()) : &view;
    QTest::keyClick(typedInto, Qt::Key_B);
    EXPECT_EQ(view.Cells(2, 2), cut ? "c" : "a");
    Key(Qt::Key_Escape);
  }
  EXPECT_EQ(services.messages.beeps.size(), 2u);
}
}  // namespace
