#pragma once
// Writing the configuration grid as the configuration file: one line per grid row,
// the texts of all columns joined by "," (no quoting, no escaping), each line ended
// by CR LF. The cells hold UTF-8; the file gets Windows-1252, one byte per
// character, as the monitoring equipment reads it (ASCII stays as it is).
//
// Number format: whoever fills limit cells must write them with "." as decimal
// separator whatever the user's locale (use FormatFileNumber), because a locale's
// decimal comma would split a field in two and make the file unreadable.
#include <stdexcept>
#include <string>

class TEditGrid;

// A grid that cannot be written: a cell holds a comma, CR or LF, or a character
// that Windows-1252 lacks.
class EGridFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file's bytes for the grid: every row as one line, CR LF after each, in
// Windows-1252 (a character it lacks becomes "?"; saving refuses such a grid).
std::string GridToFileText(const TEditGrid& grid);

// The first cell that cannot be written as it is (a comma, CR or LF in it, which
// would break the layout, or a character that Windows-1252 lacks), as a message
// naming its row, column header and text; empty when there is none.
std::string FindUnwritableCell(const TEditGrid& grid);

// Writes the grid to `fileName`, replacing any earlier file only once the new one
// is complete. Throws EGridFileError, before writing anything, for a cell that
// would break the layout, and ESafeFileError (naming the file and the system's
// reason) when the file cannot be written; the earlier file is then intact.
void SaveGridToFile(const TEditGrid& grid, const std::string& fileName);

// A limit value as the file writes it: 5 significant digits, "." as separator.
std::string FormatFileNumber(double value);
