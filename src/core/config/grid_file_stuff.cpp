#include "grid_file_stuff.h"

#include <cstring>

#include "common/ZMCharset.h"
#include "common/ZMFormat.h"
#include "common/ZMSafeFile.h"
#include "editgrid/UEditGrid.h"

namespace {
// Shows CR and LF visibly so that the message stays on one line.
std::string Visible(const std::string& text) {
  std::string out;
  for (char ch : text) {
    if (ch == '\r') out += "<CR>";
    else if (ch == '\n') out += "<LF>";
    else out += ch;
  }
  return out;
}
}  // namespace

namespace {
bool BreaksLayout(const std::string& text) {
  for (const char ch : text)
    if (ch == ',' || ch == '\r' || ch == '\n') return true;
  return false;
}

// Appends a cell as the file holds it; false, with nothing appended, when it
// cannot be written as it is. Plain ASCII, nearly every cell, is checked and
// copied in one go.
bool AppendWritable(const std::string& text, std::string& out) {
  for (const char ch : text) {
    if (static_cast<unsigned char>(ch) >= 0x80 || ch == ',' || ch == '\r' || ch == '\n') {
      if (BreaksLayout(text)) return false;
      const size_t before = out.size();
      if (AppendAsCp1252(text, out)) return true;
      out.resize(before);
      return false;
    }
  }
  out += text;
  return true;
}

// The file's text in one pass over the cells. With `stopAtUnwritable`, false
// at the first cell that cannot be written; otherwise each cell is converted
// as well as it can be.
bool AppendFileText(const TGridCells& cells, std::string& text, bool stopAtUnwritable) {
  const int32_t cols = cells.ColCount(), rows = cells.RowCount();
  size_t size = 0;
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < cols; ++c) size += cells.At(c, r).size() + 1;
  text.reserve(text.size() + size + static_cast<size_t>(rows) * 2);
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < cols; ++c) {
      if (c > 0) text += ',';
      const std::string& cell = cells.At(c, r);
      if (!stopAtUnwritable) AppendAsCp1252(cell, text);
      else if (!AppendWritable(cell, text)) return false;
    }
    text += "\r\n";
  }
  return true;
}
}  // namespace

std::string GridToFileText(const TEditGrid& grid) {
  std::string text;
  AppendFileText(grid.CellStore(), text, false);
  return text;
}


std::string FindUnwritableCell(const TEditGrid& grid) {
  const TGridCells& cells = grid.CellStore();
  for (int32_t r = 0; r < cells.RowCount(); ++r)
    for (int32_t c = 0; c < cells.ColCount(); ++c) {
      const std::string& text = cells.At(c, r);
      const bool breaks = BreaksLayout(text);
      const std::string misfit = breaks ? std::string() : FirstCharacterNotInCp1252(text);
      if (!breaks && misfit.empty()) continue;
      const std::string header =
          cells.RowCount() > 0 && !cells.At(c, 0).empty() ? cells.At(c, 0) : std::to_string(c);
      if (!breaks)
        return Format("Row %d, column \"%s\" holds \"%s\": the character \"%s\" cannot be written to "
                      "the configuration file, which holds only Western European (Windows-1252) "
                      "characters. Please change the cell.",
                      r, header.c_str(), text.c_str(), misfit.c_str());
      const char* what = text.find(',') != std::string::npos ? "a comma" : "a line break";
      return Format("Row %d, column \"%s\" holds \"%s\": %s in a cell would break the "
                    "configuration file. Please change the cell.",
                    r, header.c_str(), Visible(text).c_str(), what);
    }
  return {};
}

void SaveGridToFile(const TEditGrid& grid, const std::string& fileName) {
  std::string text;
  if (!AppendFileText(grid.CellStore(), text, true))
    throw EGridFileError("Cannot save \"" + fileName + "\".\r" + FindUnwritableCell(grid));
  WriteFileSafely(fileName, text);
}

std::string FormatFileNumber(double value) { return FormatFloatGeneral(value, 5, 2, '.'); }
