// Cell edits, filling, undo levels, change flags, and line insertion and deletion.
#include <functional>
#include <utility>

#include "EditGridFixture.h"

namespace {
using K = TGridKey;

TEST_F(EditGridTest, TypingIntoASelectionFillsItAndOneUndoRestoresIt) {
  grid.SetSelection({1, 3, 1, 5});
  grid.SetCellText(1, 3, "5");
  for (int r = 3; r <= 5; ++r) EXPECT_EQ(grid.Cells(1, r), "5");
  EXPECT_EQ(grid.UndoIndex(), 0);
  EXPECT_TRUE(grid.Edited());
  EXPECT_TRUE(grid.Modified());
  Press(K::Z, false, true);
  EXPECT_TRUE(AllOriginal());
  EXPECT_FALSE(grid.CanUndo());
}

TEST_F(EditGridTest, KeystrokesInOneCellFormOneLevelAndAnotherCellASecond) {
  grid.MoveCurrent(2, 2);
  grid.SetCellText(2, 2, "1");
  grid.SetCellText(2, 2, "12");
  grid.SetCellText(2, 2, "123");
  EXPECT_EQ(grid.UndoIndex(), 0);
  grid.MoveCurrent(3, 2);
  grid.SetCellText(3, 2, "x");
  EXPECT_EQ(grid.UndoIndex(), 1);
  const auto top = grid.UndoRecords(1);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].Col, 3);
  EXPECT_EQ(top[0].Text, "r2c3");

  grid.Undo();
  EXPECT_EQ(grid.Cells(3, 2), "r2c3");
  EXPECT_EQ(grid.Cells(2, 2), "123");
  grid.Undo();
  EXPECT_TRUE(AllOriginal());
  grid.Undo();  // nothing left: no effect
  EXPECT_TRUE(AllOriginal());
}

TEST_F(EditGridTest, EditingTheSameCellRightAfterUndoStartsANewLevel) {
  grid.MoveCurrent(2, 2);
  grid.SetCellText(2, 2, "a");
  grid.Undo();
  EXPECT_EQ(grid.LastUndoRect(), TGridRect{});
  grid.SetCellText(2, 2, "b");
  ASSERT_TRUE(grid.CanUndo());
  grid.Undo();
  EXPECT_EQ(grid.Cells(2, 2), "r2c2");
}

TEST_F(EditGridTest, EqualTextChangesNothingAndReadOnlyEditsSaveNoUndo) {
  grid.SetCellText(4, 4, "r4c4");
  EXPECT_FALSE(grid.Modified());
  EXPECT_FALSE(grid.CanUndo());

  grid.SetOptions(goRangeSelect);
  grid.SetCellText(4, 4, "built");
  EXPECT_TRUE(grid.Modified());
  EXPECT_FALSE(grid.Edited());
  EXPECT_FALSE(grid.CanUndo());
  // Filling records undo even outside edit mode.
  grid.SetSelection({1, 1, 2, 2});
  grid.FillSelection("f");
  EXPECT_EQ(grid.UndoRecords(0).size(), 4u);
  EXPECT_FALSE(grid.Edited());
}

TEST_F(EditGridTest, TextOutsideTheSelectionIsWrittenAlone) {
  grid.SetSelection({1, 1, 3, 3});
  grid.SetCellText(8, 8, "solo");
  EXPECT_EQ(grid.Cells(8, 8), "solo");
  EXPECT_EQ(grid.Cells(1, 1), "r1c1");
  grid.Undo();
  EXPECT_TRUE(AllOriginal());
}

TEST_F(EditGridTest, DeleteKeyClearsTheSelectionAsOneLevel) {
  grid.SetSelection({2, 2, 4, 3});
  Press(K::Delete);
  for (int c = 2; c <= 4; ++c)
    for (int r = 2; r <= 3; ++r) EXPECT_EQ(grid.Cells(c, r), "");
  EXPECT_EQ(grid.Cells(5, 2), "r2c5");
  // Records run by column, then row within the column.
  const auto recs = grid.UndoRecords(0);
  ASSERT_EQ(recs.size(), 6u);
  EXPECT_EQ(recs[1].Col, 2);
  EXPECT_EQ(recs[1].Row, 3);
  EXPECT_EQ(recs[2].Col, 3);
  Press(K::Backspace, false, false, true);  // Alt+Backspace
  EXPECT_TRUE(AllOriginal());
}

TEST_F(EditGridTest, DeletingLinesMovesLowerRowsUpAndOneUndoRestoresThem) {
  grid.MoveCurrent(1, 7);
  grid.SetCellText(1, 7, "earlier");
  grid.SetSelection({2, 3, 2, 4});
  grid.SetEdited(false);
  services.messages.Answer(TMsgAnswer::Yes);
  Press(K::Delete, false, true);
  EXPECT_EQ(services.messages.LastText(), "Are you sure you want to delete these 2 lines?");
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Warning);
  ASSERT_EQ(grid.RowCount(), 8);
  EXPECT_EQ(grid.Cells(0, 3), "r5c0");
  EXPECT_EQ(grid.Cells(1, 5), "earlier");
  EXPECT_EQ(grid.Cells(9, 7), "r9c9");
  EXPECT_TRUE(grid.Edited());

  // A later edit, then three undos in order.
  grid.MoveCurrent(1, 3);
  grid.SetCellText(1, 3, "later");
  grid.Undo();
  EXPECT_EQ(grid.Cells(1, 3), "r5c1");
  grid.Undo();
  ASSERT_EQ(grid.RowCount(), 10);
  EXPECT_EQ(grid.Cells(1, 7), "earlier");
  grid.Undo();
  EXPECT_TRUE(AllOriginal());
}

TEST_F(EditGridTest, DeletingLinesAsksAndNoKeepsEverything) {
  grid.MoveCurrent(3, 5);
  services.messages.Answer(TMsgAnswer::No);
  grid.DeleteLines();
  EXPECT_EQ(services.messages.LastText(), "Are you sure you want to delete this line?");
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_FALSE(grid.Modified());
  EXPECT_FALSE(grid.CanUndo());
}

TEST_F(EditGridTest, DeletingTheLastRowsOnlyLowersTheRowCount) {
  grid.SetSelection({0, 8, 9, 9});
  services.messages.Answer(TMsgAnswer::Yes);
  grid.DeleteLines();
  EXPECT_EQ(grid.RowCount(), 8);
  EXPECT_EQ(grid.Cells(9, 7), "r7c9");
  EXPECT_TRUE(grid.Modified());
  EXPECT_TRUE(grid.Edited());
  EXPECT_LE(grid.Row(), 7);
  grid.Undo();
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_TRUE(AllOriginal());
}

TEST_F(EditGridTest, InsertingALineDuplicatesTheCurrentRowAndUndoRemovesIt) {
  grid.MoveCurrent(3, 4);
  services.messages.Answer(TMsgAnswer::Yes);
  Press(K::Insert, true);
  EXPECT_EQ(services.messages.LastText(), "Do you want to add a line here?");
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Confirmation);
  ASSERT_EQ(grid.RowCount(), 11);
  for (int r = 5; r <= 10; ++r)
    for (int c = 0; c < 10; ++c) EXPECT_EQ(grid.Cells(c, r), CellName(c, r - 1));
  EXPECT_EQ(grid.Cells(0, 4), "r4c0");
  EXPECT_TRUE(grid.Edited());
  EXPECT_FALSE(grid.CopyMode());
  Press(K::Z, false, true);
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_TRUE(AllOriginal());
}

TEST_F(EditGridTest, InsertingALineAfterACutLeavesTheCurrentRowEmpty) {
  grid.SetSelection({1, 1, 1, 1});
  grid.CutBlock();
  Press(K::Escape);
  grid.MoveCurrent(3, 4);
  services.messages.Answer(TMsgAnswer::Yes);
  grid.InsertLine();
  EXPECT_EQ(grid.RowCount(), 11);
  for (int c = 0; c < 10; ++c) EXPECT_EQ(grid.Cells(c, 4), "");
  EXPECT_EQ(grid.Cells(0, 5), "r4c0");
  grid.Undo();
  EXPECT_TRUE(AllOriginal());
}

TEST_F(EditGridTest, ReadOnlyGridMovesAndBeepsButChangesNothing) {
  grid.SetOptions(goRangeSelect);
  grid.MoveCurrent(1, 1);
  Press(K::Down);
  EXPECT_EQ(grid.Row(), 2);
  Press(K::Delete);
  Press(K::Character);
  Press(K::Home);
  EXPECT_EQ(services.messages.beeps.size(), 2u);
  EXPECT_TRUE(AllOriginal());
  EXPECT_EQ(grid.ToolkitKey({K::Character}), TGridToolkitResult::Nothing);  // no editor
}

TEST_F(EditGridTest, RangeSelectionWithShiftAndRowCountChanges) {
  grid.MoveCurrent(2, 2);
  Press(K::Right, true);
  Press(K::Down, true);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 3, 3}));
  grid.SetRowCount(10);
  EXPECT_FALSE(grid.Modified());
  grid.SetRowCount(3);
  EXPECT_TRUE(grid.Modified());
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 3, 2}));
  grid.SetRowCount(12);
  EXPECT_EQ(grid.Cells(9, 11), "");
  EXPECT_EQ(grid.Cells(9, 2), "r2c9");
}
}  // namespace

namespace {
TEST_F(EditGridTest, GridLeftWithOnlyItsHeaderKeepsTheHeader) {
  grid.SetSelection({0, 1, 9, 9});
  services.messages.Answer(TMsgAnswer::Yes);
  grid.DeleteLines();
  ASSERT_EQ(grid.RowCount(), 1);
  Press(TGridKey::Delete);                  // nothing to clear
  grid.InsertLine();                        // no data row to insert at: not even asked
  EXPECT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(grid.RowCount(), 1);
  for (int c = 0; c < 10; ++c) EXPECT_EQ(grid.Cells(c, 0), CellName(c, 0));
  grid.Undo();
  EXPECT_TRUE(AllOriginal());
}
}  // namespace

namespace {
// A grid the program fills anew holds none of the levels of its former contents.
TEST_F(EditGridTest, ProgramRefillStartsWithAnEmptyUndoStack) {
  const std::pair<const char*, std::function<void()>> refills[] = {
      {"more rows", [&] { grid.SetRowCount(grid.RowCount() + 3); }},
      {"same row count", [&] { grid.SetRowCount(grid.RowCount()); }},
      {"cell text", [&] { grid.SetCells(2, 2, "built"); }},
  };
  for (const auto& [name, refill] : refills) {
    SCOPED_TRACE(name);
    grid.SetSelection({1, 5, 1, 5});
    services.messages.Answer(TMsgAnswer::Yes);
    grid.DeleteLines();
    grid.MoveCurrent(2, 2);
    grid.SetCellText(2, 2, std::string("typed before ") + name);
    ASSERT_EQ(grid.UndoIndex(), 1);
    refill();
    const int rows = grid.RowCount();
    const std::string text = grid.Cells(2, 2);
    EXPECT_FALSE(grid.CanUndo());
    grid.Undo();
    EXPECT_EQ(grid.RowCount(), rows);
    // Typing into the cell typed into last saves the refilled text.
    grid.SetCellText(2, 2, "again");
    grid.Undo();
    EXPECT_EQ(grid.Cells(2, 2), text);
  }
}

// Only the keystrokes of one edit share a level: a paste, fill or clear over the
// cell just typed into is undone on its own and gives the typed text back.
TEST_F(EditGridTest, PasteFillAndClearStartTheirOwnUndoLevel) {
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"fill", [&] { grid.FillSelection("filled"); }},
      {"Delete key", [&] { Press(TGridKey::Delete); }},
      {"paste", [&] {
         grid.MoveCurrent(6, 6);
         grid.CopyBlock();
         Press(TGridKey::Up);  // back onto (6,5): the destination
         grid.PasteBlock();
         Press(TGridKey::Escape);
       }},
  };
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    grid.MoveCurrent(6, 5);
    grid.SetCellText(6, 5, "typed");
    command();
    const std::string result = grid.Cells(6, 5);
    ASSERT_NE(result, "typed");
    grid.SetCellText(6, 5, "retyped");  // a new edit after the command
    grid.Undo();
    EXPECT_EQ(grid.Cells(6, 5), result);
    grid.Undo();
    EXPECT_EQ(grid.Cells(6, 5), "typed");
    grid.Undo();
    EXPECT_TRUE(AllOriginal());
    EXPECT_FALSE(grid.CanUndo());
  }
}

TEST_F(EditGridTest, DeletingLinesEndsACutBlockOnlyWhenLowerRowsMoveUp) {
  int released = 0;
  grid.OnReleaseBlock = [&](TEditGrid&) { ++released; };
  grid.SetSelection({1, 1, 1, 1});
  grid.CutBlock();
  Press(TGridKey::Escape);
  ASSERT_EQ(released, 1);
  grid.SetSelection({0, 8, 0, 9});  // the last rows: nothing moves
  services.messages.Answer(TMsgAnswer::Yes);
  grid.DeleteLines();
  EXPECT_EQ(released, 1);
  grid.SetSelection({0, 3, 0, 3});  // the rows below move up: a cut paste
  services.messages.Answer(TMsgAnswer::Yes);
  grid.DeleteLines();
  EXPECT_EQ(released, 2);
}

// A line command's level holds the deleted rows' texts, or nothing for an
// inserted row, never the rows below.
TEST_F(EditGridTest, LineCommandsKeepOnlyWhatTheirUndoNeeds) {
  grid.MoveCurrent(3, 4);
  services.messages.Answer(TMsgAnswer::Yes);
  grid.InsertLine();
  EXPECT_TRUE(grid.UndoRecords(0).empty());

  grid.SetSelection({2, 6, 2, 7});
  services.messages.Answer(TMsgAnswer::Yes);
  grid.DeleteLines();
  const auto recs = grid.UndoRecords(1);
  ASSERT_EQ(recs.size(), 20u);
  for (const TUndoRec& rec : recs) {
    EXPECT_TRUE(rec.Row == 6 || rec.Row == 7);
    EXPECT_EQ(rec.Text, CellName(rec.Col, rec.Row - 1));  // below the inserted row
  }
  grid.Undo();
  grid.Undo();
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_TRUE(AllOriginal());
}
}  // namespace
