#include "UEditGrid.h"

#include <algorithm>
#include <stdexcept>

#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"

namespace {
const char* const MsgCopyOntoItself = "Cannot copy block onto itself.";
const char* const MsgNoDeleteInCopyMode =
    "You cannot delete rows while in copy mode.\r(Press the Escape key to exit copy mode.)";
const char* const MsgDeleteOneLine = "Are you sure you want to delete this line?";
const char* const MsgAddLine = "Do you want to add a line here?";
}  // namespace

TEditGrid::TEditGrid(int32_t colCount, int32_t rowCount, TGridOptions options) {
  cells_.Resize(colCount, rowCount);
  options_ = options;
  editingAllowed_ = (options & goEditing) != 0;
  hint_ = editingAllowed_ ? HintSelectForCopy : HintNotInEditMode;
  ClampPositions();
}

// --- Size ----------------------------------------------------------------------

void TEditGrid::SetColCount(int32_t count) {
  undo_.Clear();
  if (count == ColCount()) return;
  cells_.Resize(count, RowCount());
  ClampPositions();
  if (observer_) observer_->GridSizeChanged();
  NotifySelection();
}

void TEditGrid::SetRowCount(int32_t count) {
  undo_.Clear();
  ResizeRows(std::max(count, 0));
}

// The grid's own change of the row count (line commands and their undo).
void TEditGrid::ResizeRows(int32_t count) {
  if (count == RowCount()) return;
  cells_.Resize(ColCount(), count);
  modified_ = true;
  ClampPositions();
  if (observer_) observer_->GridSizeChanged();
  NotifySelection();
  NotifyScroll();
}

// Rows were put in or taken out at `fromRow`: every row from there on shows
// other texts now.
void TEditGrid::RowsMoved(int32_t fromRow) {
  MarkChanged();
  ClampPositions();
  if (observer_) observer_->GridSizeChanged();
  NotifySelection();
  NotifyScroll();
  NotifyCells({0, fromRow, ColCount() - 1, RowCount() - 1});
}

void TEditGrid::SetFixedCols(int32_t count) {
  fixedCols_ = std::max(count, 0);
  ClampPositions();
  if (observer_) observer_->GridSizeChanged();
  NotifySelection();
}

void TEditGrid::SetFixedRows(int32_t count) {
  fixedRows_ = std::max(count, 0);
  ClampPositions();
  if (observer_) observer_->GridSizeChanged();
  NotifySelection();
}

void TEditGrid::ClampPositions() {
  auto clamp = [](int32_t v, int32_t lo, int32_t hi) { return hi < lo ? hi : std::clamp(v, lo, hi); };
  const int32_t lastCol = ColCount() - 1, lastRow = RowCount() - 1;
  current_.Col = clamp(current_.Col, fixedCols_, lastCol);
  current_.Row = clamp(current_.Row, fixedRows_, lastRow);
  anchor_.Col = clamp(anchor_.Col, fixedCols_, lastCol);
  anchor_.Row = clamp(anchor_.Row, fixedRows_, lastRow);
  TGridRect sel = cells_.Clip(selection_);
  sel.Left = std::max(sel.Left, fixedCols_);
  sel.Top = std::max(sel.Top, fixedRows_);
  if (sel.Left > sel.Right || sel.Top > sel.Bottom || !sel.Contains(current_.Col, current_.Row))
    sel = {current_.Col, current_.Row, current_.Col, current_.Row};
  selection_ = sel;
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, MaxTopRow()));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, MaxLeftCol()));
}

// --- Cells ---------------------------------------------------------------------

void TEditGrid::MarkChanged() {
  modified_ = true;
  if (options_ & goEditing) edited_ = true;
}

void TEditGrid::WriteCell(int32_t col, int32_t row, std::string_view text) {
  std::string& cell = cells_.At(col, row);
  if (cell == text) return;
  cell.assign(text);
  MarkChanged();
}

void TEditGrid::SaveUndo(const TGridRect& rect) { undo_.SaveUndo(cells_, rect); }

void TEditGrid::SetCellText(int32_t col, int32_t row, const std::string& text) {
  if (!cells_.Valid(col, row))
    throw std::out_of_range(Format("Grid cell %d, %d does not exist", col, row));
  if (cells_.At(col, row) == text) return;
  // Typing into a cell of a larger selection fills the selection; a cell outside
  // the selection is written on its own. The keystrokes of one edit share a level.
  const bool fill = !selection_.IsSingleCell() && selection_.Contains(col, row);
  const bool keystroke = (options_ & goEditing) && !suppressUndo_;
  if (keystroke) SaveUndo(fill ? selection_ : TGridRect{col, row, col, row});
  if (fill) {
    if (keystroke)
      FillCells(selection_, text);
    else
      FillSelection(text);
    return;
  }
  WriteCell(col, row, text);
  NotifyCells({col, row, col, row});
}

void TEditGrid::FillSelection(const std::string& text) {
  const TGridRect sel = cells_.Clip(selection_);
  // A grid without data cells has nothing to fill (its header stays as it is).
  if (sel.Left > sel.Right || sel.Top > sel.Bottom || IsFixed(sel.Left, sel.Top)) return;
  // A fill is an undo level of its own, even over the cells just typed into.
  suppressUndo_ = true;
  undo_.PushUndo(cells_, sel);
  FillCells(sel, text);
  suppressUndo_ = false;
}

void TEditGrid::FillCells(const TGridRect& rect, const std::string& text) {
  const TGridRect sel = cells_.Clip(rect);
  // Every cell gets the same text, so the order does not matter: go row by row.
  for (int32_t r = sel.Top; r <= sel.Bottom; ++r)
    for (int32_t c = sel.Left; c <= sel.Right; ++c) WriteCell(c, r, text);
  NotifyCells(sel);
}

// --- Options ---------------------------------------------------------------------

void TEditGrid::SetOptions(TGridOptions options) {
  options_ = options;
  editingAllowed_ = (options & goEditing) != 0;
  // Leaving edit mode also ends block marking, so that no block stays marked in a
  // read-only grid.
  if (editingAllowed_ || copyMode_) EndBlock();
  if (!editingAllowed_) SetHint(HintNotInEditMode);
  NotifyRepaint();
}

bool TEditGrid::CanEditCurrent() const {
  return (options_ & goEditing) && !mouseBlocksEditor_ && !copyMode_ &&
         cells_.Valid(current_.Col, current_.Row) && !IsFixed(current_.Col, current_.Row);
}

void TEditGrid::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (observer_) observer_->GridHintChanged();
}

// --- Blocks ----------------------------------------------------------------------

void TEditGrid::StartBlock(bool cut) {
  // No cell is edited while a block is marked.
  if (observer_) observer_->GridCloseEditor();
  sourceBlock_ = selection_;
  destBlock_ = selection_;
  copyMode_ = true;
  SetHint((options_ & goEditing) ? HintCopyMode : HintNotInEditMode);
  if (OnSetBlock) OnSetBlock(*this);
  cutMode_ = cut;
  NotifyRepaint();
}

void TEditGrid::EndBlock() {
  copyMode_ = false;
  anchor_ = current_;
  selection_ = {current_.Col, current_.Row, current_.Col, current_.Row};
  NotifySelection();
  SetHint((options_ & goEditing) ? HintSelectForCopy : HintNotInEditMode);
  if (OnReleaseBlock) OnReleaseBlock(*this);
  NotifyRepaint();
}

// Copies `source` so that its top-left cell lands on `dest`'s top-left cell, in an
// order that reads every source cell before it is overwritten. With `cut`, each
// source cell is emptied right after it has been copied.
void TEditGrid::PasteCells(const TGridRect& source, const TGridRect& dest, bool cut) {
  const TGridRect src = cells_.Clip(source);
  if (src.Left > src.Right || src.Top > src.Bottom) return;
  const int32_t dc = dest.Left - source.Left, dr = dest.Top - source.Top;
  const bool colsForward = source.Left > dest.Left;
  const bool rowsForward = source.Top > dest.Top;
  for (int32_t i = 0; i < src.Width(); ++i) {
    const int32_t c = colsForward ? src.Left + i : src.Right - i;
    for (int32_t j = 0; j < src.Height(); ++j) {
      const int32_t r = rowsForward ? src.Top + j : src.Bottom - j;
      if (cells_.Valid(c + dc, r + dr)) WriteCell(c + dc, r + dr, cells_.At(c, r));
      if (cut) WriteCell(c, r, {});
    }
  }
  NotifyCells({src.Left + dc, src.Top + dr, src.Right + dc, src.Bottom + dr});
  if (cut) NotifyCells(src);
}

void TEditGrid::PasteBlock() {
  if (sourceBlock_.Left == destBlock_.Left && sourceBlock_.Top == destBlock_.Top) {
    UserMessages().Show(TMsgKind::Error, MsgCopyOntoItself, TMsgButtons::Ok);
    return;
  }
  suppressUndo_ = true;
  // The cells actually written: the source's size placed at the destination.
  const TGridRect written{destBlock_.Left, destBlock_.Top,
                          destBlock_.Left + sourceBlock_.Width() - 1,
                          destBlock_.Top + sourceBlock_.Height() - 1};
  // A paste is an undo level of its own, even over the cells just typed into.
  undo_.PushUndo(cells_, written);
  if (cutMode_) undo_.AppendUndo(cells_, sourceBlock_);
  PasteCells(sourceBlock_, destBlock_, cutMode_);
  suppressUndo_ = false;
  if (!cutMode_)
    sourceBlock_ = destBlock_;
  else
    EndBlock();
  NotifyRepaint();
}

// --- Lines -----------------------------------------------------------------------

void TEditGrid::DeleteLines() {
  if (copyMode_) {
    UserMessages().Show(TMsgKind::Error, MsgNoDeleteInCopyMode, TMsgButtons::Ok);
    return;
  }
  const TGridRect sel = selection_;
  if (!cells_.Valid(sel.Left, sel.Top) || sel.Top < fixedRows_) return;
  const int32_t n = sel.Height();
  const std::string question =
      n == 1 ? std::string(MsgDeleteOneLine)
             : "Are you sure you want to delete these " + std::to_string(n) + " lines?";
  if (UserMessages().Show(TMsgKind::Warning, question, TMsgButtons::YesNo) != TMsgAnswer::Yes)
    return;
  // The undo level keeps the deleted rows alone: undoing puts them back in.
  const int32_t oldRows = RowCount(), lastCol = ColCount() - 1;
  TUndoLevel level;
  level.InsertAt = sel.Top;
  level.InsertCount = n;
  level.Parts.push_back(TEditGridUndo::Snapshot(cells_, {0, sel.Top, lastCol, sel.Bottom}));
  const bool rowsBelow = sel.Bottom < oldRows - 1;
  suppressUndo_ = true;
  if (rowsBelow) {
    destBlock_ = {0, sel.Top, lastCol, sel.Bottom};
    sourceBlock_ = {0, sel.Bottom + 1, lastCol, oldRows - 1};
    PasteCells(sourceBlock_, destBlock_, cutMode_);
    if (!cutMode_) sourceBlock_ = destBlock_;
  }
  suppressUndo_ = false;
  undo_.PushLevel(std::move(level));
  ResizeRows(oldRows - n);
  MarkChanged();
  // Only moving the lower rows up is a paste, which ends a cut's block marking.
  if (rowsBelow && cutMode_) EndBlock();
  NotifyRepaint();
}

void TEditGrid::InsertLine() {
  const int32_t row = current_.Row;
  if (!cells_.Valid(current_.Col, row) || row < fixedRows_) return;
  if (UserMessages().Show(TMsgKind::Confirmation, MsgAddLine, TMsgButtons::YesNo) != TMsgAnswer::Yes)
    return;
  const int32_t oldRows = RowCount(), lastCol = ColCount() - 1;
  // Afterwards the former rows from `row` on stand one further down and `row`
  // holds a copy of its text (nothing after a cut): undoing takes it out again.
  TUndoLevel level;
  level.RemoveRow = row;
  ResizeRows(oldRows + 1);
  sourceBlock_ = {0, row, lastCol, oldRows - 1};
  destBlock_ = {0, row + 1, lastCol, oldRows};
  suppressUndo_ = true;
  PasteCells(sourceBlock_, destBlock_, cutMode_);
  suppressUndo_ = false;
  undo_.PushLevel(std::move(level));
  MarkChanged();
  if (!cutMode_)
    sourceBlock_ = destBlock_;
  else
    EndBlock();
  NotifyRepaint();
}

// --- Undo ------------------------------------------------------------------------

void TEditGrid::Undo() {
  if (!CanUndo()) return;
  EndBlock();
  suppressUndo_ = true;
  TUndoLevel level = undo_.Pop();
  if (level.RemoveRow >= 0 && level.RemoveRow < RowCount()) {
    cells_.EraseRows(level.RemoveRow, 1);
    RowsMoved(level.RemoveRow);
  }
  if (level.InsertCount > 0) {
    cells_.InsertRows(level.InsertAt, level.InsertCount);
    RowsMoved(level.InsertAt);
  }
  for (const auto& part : level.Parts) {
    if (part.Count() == 0) continue;
    size_t i = 0;
    for (int32_t r = part.Rect.Top; r <= part.Rect.Bottom; ++r)
      for (int32_t c = part.Rect.Left; c <= part.Rect.Right; ++c, ++i)
        if (cells_.Valid(c, r)) WriteCell(c, r, part.Text(i));
    NotifyCells(cells_.Clip(part.Rect));
  }
  // An edit of the same rectangle right after an undo starts a new level.
  undo_.ForgetLastRect();
  suppressUndo_ = false;
}

// --- Notifications ---------------------------------------------------------------

void TEditGrid::NotifyCells(const TGridRect& rect) {
  if (observer_ && rect.Left <= rect.Right && rect.Top <= rect.Bottom)
    observer_->GridCellsChanged(rect);
}
void TEditGrid::NotifySelection() {
  if (observer_) observer_->GridSelectionChanged();
}
void TEditGrid::NotifyScroll() {
  if (observer_) observer_->GridScrolled();
}
void TEditGrid::NotifyRepaint() {
  if (observer_) observer_->GridRepaint();
}
