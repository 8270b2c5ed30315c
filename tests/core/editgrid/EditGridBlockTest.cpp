// Marking, placing and pasting blocks.
#include <map>
#include <utility>
#include <vector>

#include "EditGridFixture.h"

namespace {
using K = TGridKey;

TEST_F(EditGridTest, ClickPlacesDestinationAsTopLeftMovedBackToFit) {
  grid.SetSelection({2, 2, 4, 3});
  Press(K::C, false, true);
  ASSERT_TRUE(grid.CopyMode());
  EXPECT_EQ(grid.SourceBlock(), (TGridRect{2, 2, 4, 3}));

  Click(8, 5);
  EXPECT_EQ(grid.DestBlock(), (TGridRect{7, 5, 9, 6}));
  EXPECT_EQ(grid.Selection(), grid.DestBlock());
  EXPECT_EQ(grid.Col(), 8);
  EXPECT_TRUE(grid.MousePlacement());

  Click(9, 9);  // bottom-right corner of the grid
  EXPECT_EQ(grid.DestBlock(), (TGridRect{7, 8, 9, 9}));

  Click(3, 0);  // fixed row: refused
  EXPECT_EQ(grid.DestBlock(), (TGridRect{7, 8, 9, 9}));

  Press(K::V, false, true);
  EXPECT_EQ(grid.Cells(7, 8), "r2c2");
  EXPECT_EQ(grid.Cells(9, 9), "r3c4");
  EXPECT_EQ(grid.Cells(2, 2), "r2c2");
}

TEST_F(EditGridTest, KeyboardPlacementUsesChosenCellAsBottomRightAndPasteChains) {
  grid.SetSelection({2, 2, 3, 3});
  Press(K::C, false, true);
  Press(K::Up);  // chosen cell (2,1): the block cannot reach into the fixed row
  EXPECT_EQ(grid.DestBlock(), (TGridRect{1, 1, 2, 2}));
  EXPECT_FALSE(grid.MousePlacement());
  for (int i = 0; i < 3; ++i) Press(K::Right);
  for (int i = 0; i < 4; ++i) Press(K::Down);
  EXPECT_EQ(grid.Col(), 5);
  EXPECT_EQ(grid.Row(), 5);
  EXPECT_EQ(grid.DestBlock(), (TGridRect{4, 4, 5, 5}));

  Press(K::V, false, true);
  EXPECT_EQ(grid.Cells(4, 4), "r2c2");
  EXPECT_EQ(grid.Cells(5, 5), "r3c3");
  EXPECT_TRUE(grid.CopyMode());
  EXPECT_EQ(grid.SourceBlock(), (TGridRect{4, 4, 5, 5}));

  // The second paste copies the block just written, not the first source.
  grid.SetCellText(2, 2, "changed");
  Press(K::Right);
  Press(K::Right);
  Press(K::V, false, true);
  EXPECT_EQ(grid.Cells(6, 4), "r2c2");
  EXPECT_EQ(grid.Cells(7, 5), "r3c3");

  Press(K::End);  // chosen cell in the last column: the block ends there
  EXPECT_EQ(grid.DestBlock(), (TGridRect{8, 4, 9, 5}));
}

TEST_F(EditGridTest, PasteOntoItselfIsRefused) {
  grid.SetSelection({2, 2, 3, 3});
  Press(K::C, false, true);
  Press(K::V, false, true);
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), "Cannot copy block onto itself.");
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
  EXPECT_FALSE(grid.CanUndo());
  EXPECT_FALSE(grid.Modified());
}

TEST_F(EditGridTest, CutPlacePasteEmptiesSourceEndsCopyModeAndOneUndoRestoresAll) {
  int released = 0;
  grid.OnReleaseBlock = [&](TEditGrid&) { ++released; };
  grid.SetSelection({1, 1, 2, 2});
  Press(K::X, false, true);
  EXPECT_TRUE(grid.CutMode());
  Click(5, 5);
  Press(K::V, false, true);
  EXPECT_EQ(grid.Cells(5, 5), "r1c1");
  EXPECT_EQ(grid.Cells(6, 6), "r2c2");
  EXPECT_EQ(grid.Cells(1, 1), "");
  EXPECT_EQ(grid.Cells(2, 2), "");
  EXPECT_FALSE(grid.CopyMode());
  EXPECT_EQ(released, 1);
  EXPECT_TRUE(grid.Modified());
  EXPECT_TRUE(grid.Edited());

  Press(K::Z, false, true);
  EXPECT_TRUE(AllOriginal());
  EXPECT_FALSE(grid.CanUndo());
}

// Every neighbouring placement of an overlapping destination, copy and cut.
TEST_F(EditGridTest, OverlappingPastesCopyCorrectlyInEveryDirection) {
  for (bool cut : {false, true})
    for (int dc = -1; dc <= 1; ++dc)
      for (int dr = -1; dr <= 1; ++dr) {
        if (dc == 0 && dr == 0) continue;
        SCOPED_TRACE(::testing::Message() << "cut " << cut << " dc " << dc << " dr " << dr);
        const TGridRect src{3, 3, 5, 5};
        grid.SetSelection(src);
        grid.StartBlock(cut);
        grid.MouseDown(src.Left + dc, src.Top + dr);
        grid.MouseUp(src.Left + dc, src.Top + dr);
        ASSERT_EQ(grid.DestBlock(), (TGridRect{3 + dc, 3 + dr, 5 + dc, 5 + dr}));
        grid.PasteBlock();
        for (int c = 2; c <= 6; ++c)
          for (int r = 2; r <= 6; ++r) {
            std::string expected = CellName(c, r);
            if (cut && src.Contains(c, r)) expected.clear();
            if (src.Contains(c - dc, r - dr)) expected = CellName(c - dc, r - dr);
            EXPECT_EQ(grid.Cells(c, r), expected) << c << "," << r;
          }
        grid.Undo();
        ASSERT_TRUE(AllOriginal());
      }
}

TEST_F(EditGridTest, HintsAndBlockEventsFollowTheMode) {
  int set = 0, released = 0;
  grid.OnSetBlock = [&](TEditGrid&) { ++set; };
  grid.OnReleaseBlock = [&](TEditGrid&) { ++released; };
  EXPECT_EQ(grid.Hint(), "<Ctrl>-C or <Ctrl>-Insert to select for copy");
  grid.SetSelection({1, 1, 2, 1});
  Press(K::Insert, false, true);
  EXPECT_EQ(grid.Hint(), "In copy mode. Press Escape to end copy mode.\r<Ctrl>-V or <Shift>-Insert to paste");
  EXPECT_EQ(set, 1);
  Press(K::Escape);
  EXPECT_FALSE(grid.CopyMode());
  EXPECT_EQ(released, 1);
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 1, 1}));
  EXPECT_EQ(grid.Hint(), "<Ctrl>-C or <Ctrl>-Insert to select for copy");
  Press(K::C, false, true);
  grid.SetOptions(goRangeSelect);  // leaving edit mode ends block marking
  EXPECT_EQ(grid.Hint(), "Not in edit mode");
  EXPECT_FALSE(grid.EditingAllowed());
  EXPECT_FALSE(grid.CopyMode());
  EXPECT_EQ(released, 2);
  grid.SetOptions(goRangeSelect | goEditing);
  EXPECT_EQ(grid.Hint(), "<Ctrl>-C or <Ctrl>-Insert to select for copy");
}

TEST_F(EditGridTest, CopyModeRefusesTypingAndLineDeletion) {
  grid.SetSelection({1, 1, 2, 2});
  Press(K::C, false, true);
  Press(K::Character);
  EXPECT_EQ(services.messages.beeps.size(), 1u);
  EXPECT_FALSE(grid.CanEditCurrent());
  Press(K::Delete);
  EXPECT_EQ(services.messages.beeps.size(), 2u);
  Press(K::Delete, false, true);
  EXPECT_EQ(services.messages.LastText(),
            "You cannot delete rows while in copy mode.\r(Press the Escape key to exit copy mode.)");
  EXPECT_EQ(grid.RowCount(), 10);
  EXPECT_TRUE(AllOriginal());
  EXPECT_FALSE(grid.Modified());
  EXPECT_TRUE(grid.CopyMode());
}

TEST_F(EditGridTest, DragOfDifferentSizeAsksWhetherToDropTheBlock) {
  grid.SetSelection({1, 1, 2, 2});
  Press(K::C, false, true);
  services.messages.Answer(TMsgAnswer::No);
  Drag(4, 4, 6, 6);
  EXPECT_EQ(services.messages.LastText(),
            "You have selected a different sized block.\r Do you want to invalidate the previous selection?");
  EXPECT_TRUE(grid.CopyMode());
  EXPECT_EQ(grid.DestBlock(), (TGridRect{6, 6, 7, 7}));  // placed at the release cell

  services.messages.Answer(TMsgAnswer::Yes);
  Drag(4, 4, 6, 6);
  EXPECT_FALSE(grid.CopyMode());
  EXPECT_EQ(grid.Selection(), (TGridRect{4, 4, 6, 6}));
  EXPECT_EQ(services.messages.messages.size(), 2u);
}

TEST_F(EditGridTest, DragOfTheSourceSizePlacesDestinationOnTheDraggedArea) {
  grid.SetSelection({1, 1, 2, 2});
  Press(K::C, false, true);
  Drag(6, 6, 5, 5);  // dragged up-left: area 5..6
  EXPECT_TRUE(services.messages.messages.empty());
  EXPECT_EQ(grid.DestBlock(), (TGridRect{5, 5, 6, 6}));
  EXPECT_EQ(grid.Selection(), grid.DestBlock());
  // While the button is down the grid selects normally and the editor stays shut.
  grid.MouseDown(3, 3);
  EXPECT_TRUE(grid.MouseSelecting());
  EXPECT_EQ(grid.MouseDownCell(), (TGridCoord{3, 3}));
  grid.MouseUp(3, 3);
  EXPECT_FALSE(grid.MouseSelecting());
  EXPECT_EQ(grid.DestBlock(), (TGridRect{3, 3, 4, 4}));
}

TEST_F(EditGridTest, KeyboardPlacementKeepsTheBlockInView) {
  TFakeServices local;
  TEditGrid big(12, 60, goEditing | goRangeSelect);
  big.SetVisibleCounts(4, 5);
  big.SetSelection({1, 1, 3, 2});
  big.CopyBlock();
  const std::pair<TGridKey, int> moves[] = {
      {K::Down, 30}, {K::Right, 8}, {K::Up, 20}, {K::Left, 7}, {K::PageDown, 3}, {K::Home, 1}};
  for (auto [key, count] : moves)
    for (int i = 0; i < count; ++i) {
      if (big.KeyDown({key}, false)) big.ToolkitKey({key});
      const TGridRect d = big.DestBlock();
      ASSERT_GE(d.Top, big.TopRow());
      ASSERT_LE(d.Bottom, big.TopRow() + big.VisibleRowCount() - 1);
      ASSERT_GE(d.Left, big.LeftCol());
      ASSERT_LE(d.Right, big.LeftCol() + big.VisibleColCount() - 1);
      ASSERT_EQ(d.Width(), 3);
      ASSERT_EQ(d.Height(), 2);
    }
}
}  // namespace

namespace {
// A drag leaves the anchor on the pressed cell and the current cell where the
// button came up, so Shift+arrow grows or shrinks the dragged rectangle.
TEST_F(EditGridTest, ShiftArrowAfterADragGoesOnFromTheDraggedRectangle) {
  struct TCase {
    TGridCoord from, to;
    TGridKey key;
    TGridRect expected;
  };
  const TCase cases[] = {
      {{2, 2}, {4, 4}, TGridKey::Right, {2, 2, 5, 4}},
      {{2, 2}, {4, 4}, TGridKey::Up, {2, 2, 4, 3}},
      {{5, 6}, {3, 3}, TGridKey::Left, {2, 3, 5, 6}},
  };
  for (const TCase& c : cases) {
    Drag(c.from.Col, c.from.Row, c.to.Col, c.to.Row);
    EXPECT_EQ(grid.Col(), c.to.Col);
    EXPECT_EQ(grid.Row(), c.to.Row);
    Press(c.key, true);
    EXPECT_EQ(grid.Selection(), c.expected) << c.from.Col << "," << c.from.Row;
  }
  // A different-sized drag that drops the marked block counts as a drag too.
  grid.SetSelection({1, 1, 1, 1});
  grid.CopyBlock();
  services.messages.Answer(TMsgAnswer::Yes);
  Drag(4, 4, 6, 5);
  Press(TGridKey::Down, true);
  EXPECT_EQ(grid.Selection(), (TGridRect{4, 4, 6, 6}));
}
}  // namespace
