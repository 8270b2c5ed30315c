// Moving around the editable grid: current cell, selection, scrolling, placing the
// destination block in copy mode, and the keyboard and mouse handling.
#include <algorithm>

#include "UEditGrid.h"
#include "common/ZMUserInterface.h"

namespace {
const char* const MsgNoDeleteInCopyMode =
    "You cannot delete rows while in copy mode.\r(Press the Escape key to exit copy mode.)";
const char* const MsgDifferentSize =
    "You have selected a different sized block.\r Do you want to invalidate the previous selection?";
}  // namespace

// --- Scrolling -------------------------------------------------------------------

int32_t TEditGrid::MaxTopRow() const { return std::max(fixedRows_, RowCount() - visibleRows_); }
int32_t TEditGrid::MaxLeftCol() const { return std::max(fixedCols_, ColCount() - visibleCols_); }

void TEditGrid::SetTopRow(int32_t row) {
  row = std::clamp(row, fixedRows_, MaxTopRow());
  if (row == topRow_) return;
  topRow_ = row;
  NotifyScroll();
}

void TEditGrid::SetLeftCol(int32_t col) {
  col = std::clamp(col, fixedCols_, MaxLeftCol());
  if (col == leftCol_) return;
  leftCol_ = col;
  NotifyScroll();
}

void TEditGrid::SetVisibleCounts(int32_t cols, int32_t rows) {
  visibleCols_ = std::max(cols, 1);
  visibleRows_ = std::max(rows, 1);
  SetTopRow(topRow_);
  SetLeftCol(leftCol_);
}

void TEditGrid::ScrollCurrentIntoView() {
  if (current_.Row < topRow_) SetTopRow(current_.Row);
  else if (current_.Row >= topRow_ + visibleRows_) SetTopRow(current_.Row - visibleRows_ + 1);
  if (current_.Col < leftCol_) SetLeftCol(current_.Col);
  else if (current_.Col >= leftCol_ + visibleCols_) SetLeftCol(current_.Col - visibleCols_ + 1);
}

void TEditGrid::ScrollBlockIntoView(const TGridRect& b) {
  if (b.Width() <= visibleCols_) {
    if (b.Left < leftCol_) SetLeftCol(b.Left);
    if (b.Right > leftCol_ + visibleCols_ - 1) SetLeftCol(b.Right - visibleCols_ + 1);
  }
  if (b.Height() <= visibleRows_) {
    if (b.Top < topRow_) SetTopRow(b.Top);
    if (b.Bottom > topRow_ + visibleRows_ - 1) SetTopRow(b.Bottom - visibleRows_ + 1);
  }
}

// --- Current cell and selection --------------------------------------------------

void TEditGrid::SetSelection(const TGridRect& rect) {
  TGridRect r = cells_.Clip(rect);
  r.Left = std::max(r.Left, fixedCols_);
  r.Top = std::max(r.Top, fixedRows_);
  if (r.Left > r.Right || r.Top > r.Bottom) return;
  if (!(options_ & goRangeSelect)) r = {r.Left, r.Top, r.Left, r.Top};
  anchor_ = {r.Right, r.Bottom};
  current_ = {r.Left, r.Top};
  selection_ = r;
  ScrollCurrentIntoView();
  NotifySelection();
}

// In copy mode, with the mouse button up, choosing a cell places the destination.
// Returns whether the move is allowed.
bool TEditGrid::SelectCell(int32_t col, int32_t row) {
  if (!cells_.Valid(col, row) || IsFixed(col, row)) return false;
  if (copyMode_ && !mouseSelecting_) PlaceDestination(col, row);
  return true;
}

void TEditGrid::PlaceDestination(int32_t col, int32_t row) {
  const int32_t w = std::min(sourceBlock_.Width(), ColCount() - fixedCols_);
  const int32_t h = std::min(sourceBlock_.Height(), RowCount() - fixedRows_);
  TGridRect d;
  if (mousePlacement_) {
    // The chosen cell is the top-left corner, moved back so the block fits.
    d.Left = std::max(std::min(col, ColCount() - w), fixedCols_);
    d.Top = std::max(std::min(row, RowCount() - h), fixedRows_);
  } else {
    // The chosen cell is the bottom-right corner.
    d.Left = std::max(col - (w - 1), fixedCols_);
    d.Top = std::max(row - (h - 1), fixedRows_);
    if (d.Left + w - 1 > ColCount() - 1) d.Left = ColCount() - 1 - (w - 1);
    if (d.Top + h - 1 > RowCount() - 1) d.Top = RowCount() - 1 - (h - 1);
  }
  d.Right = d.Left + w - 1;
  d.Bottom = d.Top + h - 1;
  destBlock_ = d;
  selection_ = d;
  anchor_ = {d.Left, d.Top};
  ScrollBlockIntoView(d);
}

void TEditGrid::MoveCurrent(int32_t col, int32_t row, bool extend) {
  if (!SelectCell(col, row)) return;
  current_ = {col, row};
  if (!(copyMode_ && !mouseSelecting_)) {
    if (!extend || !(options_ & goRangeSelect)) anchor_ = current_;
    selection_ = RectBetween(anchor_, current_);
  }
  ScrollCurrentIntoView();
  NotifySelection();
}

// --- Keyboard --------------------------------------------------------------------

bool TEditGrid::KeyDown(const TGridKeyInput& key, bool editorOpen) {
  // A key always places the destination with the keyboard's rule.
  if (copyMode_) mousePlacement_ = false;
  const TGridKeyDecision d =
      DecideGridKey(key, {(options_ & goEditing) != 0, copyMode_, editorOpen, CanUndo()});
  using A = TGridKeyAction;
  switch (d.Action) {
    case A::None: break;
    case A::StartCopy: StartBlock(false); break;
    case A::StartCut: StartBlock(true); break;
    case A::Paste: PasteBlock(); break;
    case A::InsertLine: InsertLine(); break;
    case A::EndBlock: EndBlock(); break;
    case A::ClearSelection: FillSelection(std::string()); break;
    case A::WarningBeep: UserMessages().Beep(TBeepKind::Exclamation); break;
    case A::CopyModeDeleteMessage:
      UserMessages().Show(TMsgKind::Error, MsgNoDeleteInCopyMode, TMsgButtons::Ok);
      break;
    case A::DeleteLines: DeleteLines(); break;
    case A::Undo: Undo(); break;
    case A::CloseEditorUndo:
      if (observer_) observer_->GridCloseEditor();
      Undo();
      break;
  }
  return d.PassOn;
}

TGridToolkitResult TEditGrid::ToolkitKey(const TGridKeyInput& key) {
  if (!cells_.Valid(current_.Col, current_.Row)) return TGridToolkitResult::Nothing;
  int32_t col = current_.Col, row = current_.Row;
  switch (key.Key) {
    case TGridKey::Up: --row; break;
    case TGridKey::Down: ++row; break;
    case TGridKey::Left: --col; break;
    case TGridKey::Right: ++col; break;
    case TGridKey::PageUp: row -= visibleRows_; break;
    case TGridKey::PageDown: row += visibleRows_; break;
    case TGridKey::Home:
      col = fixedCols_;
      if (key.Ctrl) row = fixedRows_;
      break;
    case TGridKey::End:
      col = ColCount() - 1;
      if (key.Ctrl) row = RowCount() - 1;
      break;
    case TGridKey::Tab:
      // On to the next cell (Shift: the previous one), across the row ends.
      if (key.Ctrl || key.Alt) return TGridToolkitResult::Nothing;
      if (!key.Shift && ++col >= ColCount()) {
        col = fixedCols_;
        ++row;
      } else if (key.Shift && --col < fixedCols_) {
        col = ColCount() - 1;
        --row;
      }
      if (row < fixedRows_ || row >= RowCount()) return TGridToolkitResult::Nothing;
      MoveCurrent(col, row);
      return TGridToolkitResult::Moved;
    case TGridKey::Character:
    case TGridKey::F2:
    case TGridKey::Enter:
      return CanEditCurrent() && !key.Ctrl && !key.Alt ? TGridToolkitResult::OpenEditor
                                                       : TGridToolkitResult::Nothing;
    default:
      return TGridToolkitResult::Nothing;
  }
  col = std::clamp(col, fixedCols_, ColCount() - 1);
  row = std::clamp(row, fixedRows_, RowCount() - 1);
  if (col == current_.Col && row == current_.Row) return TGridToolkitResult::Nothing;
  MoveCurrent(col, row, key.Shift);
  if (copyMode_) {
    // Keep the placed block in view after the move.
    const TGridRect& s = selection_;
    switch (key.Key) {
      case TGridKey::Up: SetTopRow(std::min(topRow_, s.Top)); break;
      case TGridKey::Left: SetLeftCol(std::min(leftCol_, s.Left)); break;
      case TGridKey::Down: SetTopRow(std::max(topRow_, s.Bottom - visibleRows_)); break;
      case TGridKey::Right: SetLeftCol(std::max(leftCol_, s.Right - visibleCols_)); break;
      default: break;
    }
  }
  return TGridToolkitResult::Moved;
}

// --- Mouse -----------------------------------------------------------------------

void TEditGrid::MouseDown(int32_t col, int32_t row, bool shift) {
  mousePlacement_ = true;
  mouseBlocksEditor_ = true;  // a click does not open the cell editor
  mouseDownCell_ = {col, row};
  mouseSelecting_ = true;
  if (cells_.Valid(col, row) && !IsFixed(col, row)) MoveCurrent(col, row, shift);
}

void TEditGrid::MouseMove(int32_t col, int32_t row) {
  if (!mouseSelecting_ || !(options_ & goRangeSelect)) return;
  col = std::clamp(col, fixedCols_, ColCount() - 1);
  row = std::clamp(row, fixedRows_, RowCount() - 1);
  if (!cells_.Valid(col, row) || IsFixed(col, row)) return;
  const TGridRect sel = RectBetween(anchor_, {col, row});
  if (sel == selection_) return;
  selection_ = sel;
  NotifySelection();
}

void TEditGrid::MouseUp(int32_t col, int32_t row) {
  if (!mouseSelecting_) return;
  const bool dragged = (options_ & goRangeSelect) && !(TGridCoord{col, row} == mouseDownCell_);
  const TGridRect dragArea = selection_;
  bool differentSize = false;
  if (copyMode_ && dragged)
    differentSize = (dragArea.Width() != sourceBlock_.Width() ||
                     dragArea.Height() != sourceBlock_.Height()) &&
                    !dragArea.IsSingleCell();
  mouseSelecting_ = false;
  mouseBlocksEditor_ = false;
  if (!copyMode_) {
    if (dragged) EndDrag(col, row);
    return;
  }
  if (differentSize) {
    if (UserMessages().Show(TMsgKind::Confirmation, MsgDifferentSize, TMsgButtons::YesNo) ==
        TMsgAnswer::Yes) {
      EndBlock();
      EndDrag(col, row);
      NotifyRepaint();
      return;
    }
    MoveCurrent(col, row);
  } else if (dragged) {
    // A drag of the source's size puts the destination on the dragged area.
    MoveCurrent(dragArea.Left, dragArea.Top);
  } else {
    MoveCurrent(col, row);
  }
}

// A drag leaves the anchor on the pressed cell and the current cell on the cell
// where the button came up, so that Shift with an arrow key goes on from the
// dragged rectangle.
void TEditGrid::EndDrag(int32_t col, int32_t row) {
  if (ColCount() <= fixedCols_ || RowCount() <= fixedRows_) return;
  current_ = {std::clamp(col, fixedCols_, ColCount() - 1), std::clamp(row, fixedRows_, RowCount() - 1)};
  selection_ = RectBetween(anchor_, current_);
  NotifySelection();
}
