// The editable grid: bytes become the user's keys, clicks, drags and menu
// commands. After each: the current cell and the selection lie inside the grid,
// and an undo straight after a change brings back exactly what was there.
#include <cstdlib>
#include <vector>

#include "../support/ModelInvariants.h"
#include "FuzzSupport.h"
#include "editgrid/UEditGrid.h"

namespace {
using TTable = std::vector<std::string>;

TTable Snapshot(const TEditGrid& grid) {
  TTable table;
  for (int32_t r = 0; r < grid.RowCount(); ++r)
    for (int32_t c = 0; c < grid.ColCount(); ++c) table.push_back(grid.Cells(c, r));
  return table;
}

bool Inside(const TEditGrid& grid, int32_t col, int32_t row) {
  return col >= 0 && row >= 0 && col < grid.ColCount() && row < grid.RowCount();
}

void CheckPlaces(const TEditGrid& grid) { FUZZ_CHECK(GridPlacesBroken(grid).empty()); }

const TGridKey kKeys[] = {TGridKey::Up,     TGridKey::Down,      TGridKey::Left,   TGridKey::Right,
                          TGridKey::PageUp, TGridKey::PageDown,  TGridKey::Home,   TGridKey::End,
                          TGridKey::Tab,    TGridKey::Enter,     TGridKey::Escape, TGridKey::Backspace,
                          TGridKey::Delete, TGridKey::Insert,    TGridKey::F2,     TGridKey::Shift,
                          TGridKey::C,      TGridKey::V,         TGridKey::X,      TGridKey::Z,
                          TGridKey::CtrlLetter, TGridKey::Character, TGridKey::Other};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TFuzzBytes in(data, size);
  TFuzzUserInterface ui(in);
  TEditGrid grid(2 + in.Below(8), 2 + in.Below(12), goRangeSelect | (in.Bool() ? goEditing : 0u));
  grid.SetFixedRows(in.Below(2));
  grid.SetFixedCols(in.Below(2));
  grid.SetVisibleCounts(1 + in.Below(6), 1 + in.Below(8));
  for (int32_t r = 0; r < grid.RowCount(); ++r)
    for (int32_t c = 0; c < grid.ColCount(); ++c) grid.SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
  auto place = [&] { return std::pair<int32_t, int32_t>{in.Below(grid.ColCount() + 1), in.Below(grid.RowCount() + 1)}; };

  for (int step = 0; step < 200 && !in.Empty(); ++step) {
    const TTable before = Snapshot(grid);
    const int32_t undoBefore = grid.UndoIndex();
    const int op = in.Below(14);
    switch (op) {
      case 0:
      case 1: {
        TGridKeyInput key{kKeys[in.Below(sizeof kKeys / sizeof kKeys[0])], in.Bool(), in.Bool(), in.Bool()};
        if (grid.KeyDown(key, false)) grid.ToolkitKey(key);
        break;
      }
      case 2: {
        const auto [c, r] = place();
        grid.MouseDown(c, r, in.Bool());
        const auto [c2, r2] = place();
        grid.MouseMove(c2, r2);
        grid.MouseUp(c2, r2);
        break;
      }
      case 3: {
        const auto [c, r] = place();
        if (Inside(grid, c, r)) grid.SetCellText(c, r, in.Text());
        break;
      }
      case 4: grid.FillSelection(in.Text()); break;
      case 5: grid.StartBlock(in.Bool()); break;
      case 6: grid.PasteBlock(); break;
      case 7: grid.EndBlock(); break;
      case 8: grid.InsertLine(); break;
      case 9: grid.DeleteLines(); break;
      case 10: grid.SetOptions(goRangeSelect | (in.Bool() ? goEditing : 0u)); break;
      case 11: {
        const auto [c, r] = place();
        const auto [c2, r2] = place();
        if (Inside(grid, c, r) && Inside(grid, c2, r2)) grid.SetSelection(RectBetween({c, r}, {c2, r2}));
        break;
      }
      case 12: grid.SetRowCount(grid.FixedRows() + 1 + in.Below(16)); break;  // as a new build does
      default: grid.Undo(); break;
    }
    if (std::getenv("ZM_FUZZ_TRACE"))  // to turn a find into a test
      std::fprintf(stderr, "op %d: %dx%d fixed %d,%d current %d,%d selection %d,%d-%d,%d top %d left %d\n", op,
                   grid.ColCount(), grid.RowCount(), grid.FixedCols(), grid.FixedRows(), grid.Col(), grid.Row(),
                   grid.Selection().Left, grid.Selection().Top, grid.Selection().Right, grid.Selection().Bottom,
                   grid.TopRow(), grid.LeftCol());
    CheckPlaces(grid);
    // A change that opened a new undo level is taken back by one undo.
    if (grid.UndoIndex() == undoBefore + 1 && op != 8 && op != 9 && op != 12 && in.Bool()) {
      grid.Undo();
      CheckPlaces(grid);
      FUZZ_CHECK(grid.UndoIndex() == undoBefore);
      FUZZ_CHECK(Snapshot(grid) == before);
    }
  }
  return 0;
}
