#pragma once
// The editable string grid's logic: cells with fixed header rows and columns, a
// current cell and rectangular selection, edit mode, two-step block copy/cut/paste,
// filling a selection, multi-level undo, and line insertion and deletion.
// The widget (TEditStringGrid) shows this state and feeds it keys and mouse clicks.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "UEditGridKeys.h"
#include "UEditGridTypes.h"
#include "UEditGridUndo.h"

// Told about every change the widget has to show.
class IEditGridObserver {
 public:
  virtual ~IEditGridObserver() = default;
  virtual void GridCellsChanged(const TGridRect& /*rect*/) {}
  virtual void GridSizeChanged() {}       // column, row or fixed counts
  virtual void GridSelectionChanged() {}  // current cell or selection
  virtual void GridScrolled() {}          // TopRow or LeftCol
  virtual void GridHintChanged() {}
  virtual void GridRepaint() {}           // copy mode or source block changed
  virtual void GridCloseEditor() {}       // the cell editor must close now
};

// What ordinary grid handling does with a key that was passed on.
enum class TGridToolkitResult { Nothing, Moved, OpenEditor };

class TEditGrid {
 public:
  using TNotify = std::function<void(TEditGrid&)>;

  TEditGrid(int32_t colCount = 5, int32_t rowCount = 5, TGridOptions options = goRangeSelect);

  void SetObserver(IEditGridObserver* observer) { observer_ = observer; }

  // --- Size ---
  int32_t ColCount() const { return cells_.ColCount(); }
  int32_t RowCount() const { return cells_.RowCount(); }
  // The program sets the size when it fills the grid: the undo stack starts
  // empty (its levels belong to the grid's former contents).
  void SetColCount(int32_t count);
  // A different row count sets Modified.
  void SetRowCount(int32_t count);
  int32_t FixedCols() const { return fixedCols_; }
  int32_t FixedRows() const { return fixedRows_; }
  void SetFixedCols(int32_t count);
  void SetFixedRows(int32_t count);
  bool IsFixed(int32_t col, int32_t row) const { return col < fixedCols_ || row < fixedRows_; }

  // --- Cells ---
  const std::string& Cells(int32_t col, int32_t row) const { return cells_.At(col, row); }
  // Sets a cell as the cell editor does: a changed text is saved for undo in edit
  // mode, and a cell inside a selection of several cells fills the whole selection.
  void SetCellText(int32_t col, int32_t row, const std::string& text);
  // Writes `text` into every selected cell, saving the old texts for undo.
  void FillSelection(const std::string& text);
  // Sets a cell as the program does when it fills the grid: no change flags and
  // no notice to the widget (call CellsReloaded once done); the undo stack
  // starts empty.
  void SetCells(int32_t col, int32_t row, const std::string& text) {
    undo_.Clear();
    if (cells_.Valid(col, row)) cells_.At(col, row) = text;
  }
  // Tells the widget that any cell may have changed.
  void CellsReloaded() { NotifyCells({0, 0, ColCount() - 1, RowCount() - 1}); }

  // --- Options and modes ---
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);
  bool EditingAllowed() const { return editingAllowed_; }
  bool CopyMode() const { return copyMode_; }
  bool CutMode() const { return cutMode_; }
  bool MouseSelecting() const { return mouseSelecting_; }
  bool MousePlacement() const { return mousePlacement_; }
  TGridCoord MouseDownCell() const { return mouseDownCell_; }
  const std::string& Hint() const { return hint_; }
  // Whether the cell editor may open on the current cell now.
  bool CanEditCurrent() const;

  bool Edited() const { return edited_; }
  void SetEdited(bool value) { edited_ = value; }
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }

  // --- Current cell, selection, scrolling ---
  int32_t Col() const { return current_.Col; }
  int32_t Row() const { return current_.Row; }
  const TGridRect& Selection() const { return selection_; }
  // Selects a rectangle; its top-left cell becomes current (no block placement).
  void SetSelection(const TGridRect& rect);
  // Moves the current cell as the user does; in copy mode this places the
  // destination block. `extend` grows the selection from its anchor.
  void MoveCurrent(int32_t col, int32_t row, bool extend = false);
  int32_t TopRow() const { return topRow_; }
  int32_t LeftCol() const { return leftCol_; }
  void SetTopRow(int32_t row);
  void SetLeftCol(int32_t col);
  int32_t VisibleRowCount() const { return visibleRows_; }
  int32_t VisibleColCount() const { return visibleCols_; }
  // The widget reports how many non-fixed rows and columns fit in its view.
  void SetVisibleCounts(int32_t cols, int32_t rows);

  // --- Blocks ---
  const TGridRect& SourceBlock() const { return sourceBlock_; }
  const TGridRect& DestBlock() const { return destBlock_; }
  void CopyBlock() { StartBlock(false); }
  void CutBlock() { StartBlock(true); }
  void StartBlock(bool cut);
  void EndBlock();
  void PasteBlock();
  TNotify OnSetBlock;
  TNotify OnReleaseBlock;

  // --- Lines (each asks the user first) ---
  void DeleteLines();
  void InsertLine();

  // --- Undo ---
  bool CanUndo() const { return undo_.UndoIndex() >= 0; }
  void Undo();
  int32_t UndoIndex() const { return undo_.UndoIndex(); }
  const TGridRect& LastUndoRect() const { return undo_.LastUndoRect(); }
  std::vector<TUndoRec> UndoRecords(int32_t level) const { return undo_.Records(level); }
  bool SuppressUndo() const { return suppressUndo_; }

  // --- Keyboard and mouse ---
  // Handles a key as the grid does before ordinary handling; returns whether the
  // key is passed on (then call ToolkitKey with it, unless the editor has it).
  bool KeyDown(const TGridKeyInput& key, bool editorOpen);
  // Ordinary grid handling of a passed-on key: moving the current cell and
  // selection, opening the cell editor.
  TGridToolkitResult ToolkitKey(const TGridKeyInput& key);
  void MouseDown(int32_t col, int32_t row, bool shift = false);
  void MouseMove(int32_t col, int32_t row);
  void MouseUp(int32_t col, int32_t row);

  // The cell text store (for writers and benchmarks).
  const TGridCells& CellStore() const { return cells_; }

 private:
  void WriteCell(int32_t col, int32_t row, std::string_view text);
  void MarkChanged();
  void SaveUndo(const TGridRect& rect);
  void FillCells(const TGridRect& rect, const std::string& text);
  void ResizeRows(int32_t count);
  void RowsMoved(int32_t fromRow);
  void EndDrag(int32_t col, int32_t row);
  void PasteCells(const TGridRect& source, const TGridRect& dest, bool cut);
  bool SelectCell(int32_t col, int32_t row);
  void PlaceDestination(int32_t col, int32_t row);
  void ScrollBlockIntoView(const TGridRect& block);
  void ScrollCurrentIntoView();
  void SetHint(const std::string& hint);
  void ClampPositions();
  void NotifyCells(const TGridRect& rect);
  void NotifySelection();
  void NotifyScroll();
  void NotifyRepaint();
  int32_t MaxTopRow() const;
  int32_t MaxLeftCol() const;

  TGridCells cells_;
  int32_t fixedCols_ = 0;
  int32_t fixedRows_ = 1;
  TGridOptions options_ = 0;
  bool editingAllowed_ = false;
  bool copyMode_ = false;
  bool cutMode_ = false;
  bool mouseSelecting_ = false;
  bool mousePlacement_ = false;
  bool mouseBlocksEditor_ = false;
  TGridCoord mouseDownCell_;
  bool edited_ = false;
  bool modified_ = false;
  bool suppressUndo_ = false;
  TGridRect sourceBlock_;
  TGridRect destBlock_;
  TGridCoord current_;
  TGridCoord anchor_;
  TGridRect selection_;
  int32_t topRow_ = 0;
  int32_t leftCol_ = 0;
  int32_t visibleRows_ = 10;
  int32_t visibleCols_ = 5;
  std::string hint_;
  TEditGridUndo undo_;
  IEditGridObserver* observer_ = nullptr;
};
