#include "UEditGridUndo.h"

#include <algorithm>
#include <stdexcept>

void TGridCells::Resize(int32_t cols, int32_t rows) {
  cols = std::max(cols, 0);
  rows = std::max(rows, 0);
  if (cols == cols_) {
    cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  } else {
    std::vector<std::string> fresh(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    const int32_t keepRows = std::min(rows, rows_), keepCols = std::min(cols, cols_);
    for (int32_t r = 0; r < keepRows; ++r)
      for (int32_t c = 0; c < keepCols; ++c)
        fresh[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] =
            std::move(At(c, r));
    cells_ = std::move(fresh);
  }
  cols_ = cols;
  rows_ = rows;
}

void TGridCells::InsertRows(int32_t at, int32_t count) {
  at = std::clamp(at, 0, rows_);
  count = std::max(count, 0);
  const auto pos = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, at));
  cells_.insert(pos, static_cast<size_t>(count) * static_cast<size_t>(cols_), std::string());
  rows_ += count;
}

void TGridCells::EraseRows(int32_t at, int32_t count) {
  at = std::clamp(at, 0, rows_);
  count = std::clamp(count, 0, rows_ - at);
  const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, at));
  const auto cellCount = static_cast<std::ptrdiff_t>(count) * static_cast<std::ptrdiff_t>(cols_);
  cells_.erase(first, first + cellCount);
  rows_ -= count;
}

TGridRect TGridCells::Clip(TGridRect r) const {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, cols_ - 1);
  r.Bottom = std::min(r.Bottom, rows_ - 1);
  return r;
}

TUndoLevel::TPart TEditGridUndo::Snapshot(const TGridCells& cells, const TGridRect& rect) {
  TUndoLevel::TPart part{cells.Clip(rect), {}, {}};
  const TGridRect& r = part.Rect;
  if (r.Left > r.Right || r.Top > r.Bottom) return part;
  size_t bytes = 0;
  for (int32_t row = r.Top; row <= r.Bottom; ++row)
    for (int32_t c = r.Left; c <= r.Right; ++c) bytes += cells.At(c, row).size();
  part.Data.reserve(bytes);
  part.Ends.reserve(static_cast<size_t>(r.Width()) * static_cast<size_t>(r.Height()));
  for (int32_t row = r.Top; row <= r.Bottom; ++row)
    for (int32_t c = r.Left; c <= r.Right; ++c) {
      part.Data += cells.At(c, row);
      part.Ends.push_back(part.Data.size());
    }
  return part;
}

bool TEditGridUndo::SaveUndo(const TGridCells& cells, const TGridRect& rect) {
  if (rect == lastRect_) return false;
  lastRect_ = rect;
  TUndoLevel level;
  level.Parts.push_back(Snapshot(cells, rect));
  levels_.push_back(std::move(level));
  return true;
}

void TEditGridUndo::PushUndo(const TGridCells& cells, const TGridRect& rect) {
  TUndoLevel level;
  level.Parts.push_back(Snapshot(cells, rect));
  PushLevel(std::move(level));
}

void TEditGridUndo::Clear() {
  levels_.clear();
  lastRect_ = TGridRect{};
}

void TEditGridUndo::AppendUndo(const TGridCells& cells, const TGridRect& rect) {
  if (levels_.empty()) return;
  levels_.back().Parts.push_back(Snapshot(cells, rect));
}

void TEditGridUndo::PushLevel(TUndoLevel level) {
  levels_.push_back(std::move(level));
  lastRect_ = TGridRect{};
}

TUndoLevel TEditGridUndo::Pop() {
  if (levels_.empty()) throw std::logic_error("nothing to undo");
  TUndoLevel level = std::move(levels_.back());
  levels_.pop_back();
  return level;
}

std::vector<TUndoRec> TEditGridUndo::Records(int32_t index) const {
  std::vector<TUndoRec> out;
  if (index < 0 || index > UndoIndex()) return out;
  for (const auto& part : levels_[static_cast<size_t>(index)].Parts) {
    const TGridRect& r = part.Rect;
    if (part.Count() == 0) continue;
    for (int32_t c = r.Left; c <= r.Right; ++c)
      for (int32_t row = r.Top; row <= r.Bottom; ++row) {
        const size_t i = static_cast<size_t>(row - r.Top) * static_cast<size_t>(r.Width()) +
                         static_cast<size_t>(c - r.Left);
        out.push_back({c, row, std::string(part.Text(i))});
      }
  }
  return out;
}
