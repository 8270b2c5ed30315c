#pragma once
// Plain types of the editable grid: coordinates, rectangles, undo records and options.
#include <cstdint>
#include <string>

// A grid rectangle with inclusive bounds. All -1 means "no rectangle".
struct TGridRect {
  int32_t Left = -1;
  int32_t Top = -1;
  int32_t Right = -1;
  int32_t Bottom = -1;

  int32_t Width() const { return Right - Left + 1; }
  int32_t Height() const { return Bottom - Top + 1; }
  bool IsSingleCell() const { return Left == Right && Top == Bottom; }
  bool Contains(int32_t col, int32_t row) const {
    return col >= Left && col <= Right && row >= Top && row <= Bottom;
  }
  bool operator==(const TGridRect&) const = default;
};

// Column and row of one cell.
struct TGridCoord {
  int32_t Col = -1;
  int32_t Row = -1;
  bool operator==(const TGridCoord&) const = default;
};

// The rectangle spanned by two corner cells given in any order.
inline TGridRect RectBetween(TGridCoord a, TGridCoord b) {
  return {a.Col < b.Col ? a.Col : b.Col, a.Row < b.Row ? a.Row : b.Row,
          a.Col < b.Col ? b.Col : a.Col, a.Row < b.Row ? b.Row : a.Row};
}

// One saved cell of an undo level: its place and its text before the change.
struct TUndoRec {
  int32_t Col = 0;
  int32_t Row = 0;
  std::string Text;
};

// The grid options that matter to the editable grid.
enum TGridOption : unsigned {
  goEditing = 1u << 0,      // cells may be edited
  goRangeSelect = 1u << 1,  // a rectangle of several cells may be selected
};
using TGridOptions = unsigned;

// The mode hints.
inline constexpr const char* HintNotInEditMode = "Not in edit mode";
inline constexpr const char* HintSelectForCopy = "<Ctrl>-C or <Ctrl>-Insert to select for copy";
inline constexpr const char* HintCopyMode =
    "In copy mode. Press Escape to end copy mode.\r<Ctrl>-V or <Shift>-Insert to paste";
