#pragma once
// The cell store of the editable grid and its undo stack.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "UEditGridTypes.h"

// Cell texts, row-major, compact: one string per cell.
class TGridCells {
 public:
  int32_t ColCount() const { return cols_; }
  int32_t RowCount() const { return rows_; }
  // Keeps the texts of the cells that remain; new cells are empty.
  void Resize(int32_t cols, int32_t rows);
  // Puts `count` empty rows in before row `at`, moving the rows from `at` down.
  void InsertRows(int32_t at, int32_t count);
  // Takes out `count` rows from row `at`, moving the rows below them up.
  void EraseRows(int32_t at, int32_t count);
  bool Valid(int32_t col, int32_t row) const {
    return col >= 0 && row >= 0 && col < cols_ && row < rows_;
  }
  const std::string& At(int32_t col, int32_t row) const { return cells_[Index(col, row)]; }
  std::string& At(int32_t col, int32_t row) { return cells_[Index(col, row)]; }
  // The rectangle limited to the cells that exist.
  TGridRect Clip(TGridRect r) const;

 private:
  size_t Index(int32_t col, int32_t row) const {
    return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col);
  }
  int32_t cols_ = 0;
  int32_t rows_ = 0;
  std::vector<std::string> cells_;
};

// One undo level: the old texts of one or more rectangles and, for line
// insertion and deletion, the rows to take out or put back first. A part keeps
// its texts packed in one buffer, row by row, so that saving a large selection
// is cheap.
struct TUndoLevel {
  struct TPart {
    TGridRect Rect;
    std::string Data;          // the texts one after another
    std::vector<size_t> Ends;  // end of each text in Data, row by row
    size_t Count() const { return Ends.size(); }
    std::string_view Text(size_t i) const {
      const size_t begin = i == 0 ? 0 : Ends[i - 1];
      return std::string_view(Data).substr(begin, Ends[i] - begin);
    }
  };
  std::vector<TPart> Parts;
  // A line command keeps only what brings the grid back: an inserted line is
  // taken out again at RemoveRow; deleted lines are put back in as empty rows at
  // InsertAt, InsertCount of them, and then receive their texts from Parts.
  int32_t RemoveRow = -1;
  int32_t InsertAt = -1;
  int32_t InsertCount = 0;
};

// The unbounded stack of undo levels. Successive saves of the same rectangle
// form one level (so the keystrokes of one edit are undone together).
class TEditGridUndo {
 public:
  int32_t UndoIndex() const { return static_cast<int32_t>(levels_.size()) - 1; }
  const TGridRect& LastUndoRect() const { return lastRect_; }
  void ForgetLastRect() { lastRect_ = TGridRect{}; }

  // Pushes a level with the current texts of `rect`, unless `rect` is the
  // rectangle saved last (the keystrokes of one edit share a level). Returns
  // whether a level was pushed.
  bool SaveUndo(const TGridCells& cells, const TGridRect& rect);
  // Always pushes a new level with the current texts of `rect`, and forgets the
  // last rectangle so that the next keystroke starts a level of its own.
  void PushUndo(const TGridCells& cells, const TGridRect& rect);
  // Adds the current texts of `rect` to the top level, if there is one.
  void AppendUndo(const TGridCells& cells, const TGridRect& rect);
  // Pushes a ready-made level and forgets the last rectangle.
  void PushLevel(TUndoLevel level);
  // Drops every level and forgets the last rectangle.
  void Clear();
  // Removes and returns the top level; the stack must not be empty.
  TUndoLevel Pop();
  // The records of a level as (column, row, text): part by part, each by column
  // and, within a column, by row.
  std::vector<TUndoRec> Records(int32_t index) const;

  static TUndoLevel::TPart Snapshot(const TGridCells& cells, const TGridRect& rect);

 private:
  std::vector<TUndoLevel> levels_;
  TGridRect lastRect_;
};
