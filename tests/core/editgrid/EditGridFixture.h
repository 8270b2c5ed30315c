#pragma once
#include <gtest/gtest.h>

#include <string>

#include "FakeUserInterface.h"
#include "editgrid/UEditGrid.h"

// Cell text used to fill the test grids: "r<row>c<col>".
inline std::string CellName(int col, int row) {
  return "r" + std::to_string(row) + "c" + std::to_string(col);
}

// A grid of columns 0..9 and rows 0..9 (row 0 fixed), every cell named, in edit mode.
class EditGridTest : public ::testing::Test {
 protected:
  TFakeServices services;
  TEditGrid grid{10, 10};

  void SetUp() override {
    for (int r = 0; r < grid.RowCount(); ++r)
      for (int c = 0; c < grid.ColCount(); ++c) grid.SetCellText(c, r, CellName(c, r));
    grid.SetOptions(goEditing | goRangeSelect);
    grid.SetVisibleCounts(10, 9);
    grid.SetModified(false);
    grid.SetEdited(false);
  }
  TGridKeyInput Key(TGridKey k, bool shift = false, bool ctrl = false, bool alt = false) {
    return {k, shift, ctrl, alt};
  }
  // Presses a key as the widget does: the grid's own handling, then ordinary handling.
  void Press(TGridKey k, bool shift = false, bool ctrl = false, bool alt = false) {
    if (grid.KeyDown(Key(k, shift, ctrl, alt), false)) grid.ToolkitKey(Key(k, shift, ctrl, alt));
  }
  void Click(int col, int row) {
    grid.MouseDown(col, row);
    grid.MouseUp(col, row);
  }
  void Drag(int fromCol, int fromRow, int toCol, int toRow) {
    grid.MouseDown(fromCol, fromRow);
    grid.MouseMove(toCol, toRow);
    grid.MouseUp(toCol, toRow);
  }
  // Every cell of the grid still holds its original name.
  ::testing::AssertionResult AllOriginal() {
    for (int r = 0; r < grid.RowCount(); ++r)
      for (int c = 0; c < grid.ColCount(); ++c)
        if (grid.Cells(c, r) != CellName(c, r))
          return ::testing::AssertionFailure()
                 << "cell " << c << "," << r << " holds " << grid.Cells(c, r);
    return ::testing::AssertionSuccess();
  }
};
