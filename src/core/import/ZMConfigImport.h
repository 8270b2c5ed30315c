#pragma once
// Importing a configuration file: a description (model and site settings) is
// made from a file in the 29-column configuration format, so that a site whose
// description was lost can be changed without describing it again.
//
// The file is read whole first. A file whose layout cannot be followed (not the
// configuration header, a line with another number of columns, a number that
// does not parse in a layout column, rows out of order, an unknown TY, a DCM
// beyond 255, a control unit beyond 32, a cut-off control unit, binary data) is
// refused with a message naming its first bad line, and nothing is changed.
// Otherwise the description replaces the caller's; every row whose content the
// description cannot give back (a limit that does not parse, blocks that do not
// follow, numbers out of sequence, ...) is listed in the error list with its
// line number and the reason. A file the program wrote itself imports without
// entries and builds again byte for byte.
//
// Text is read as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise;
// the model's names are UTF-8.
#include <string>
#include <vector>

#include "sitefile/ZMSiteFile.h"

class IErrorList;
class TzmUPSSystem;

inline constexpr const char* kImportFilter = "Configuration Files|*.cfg|All files|*.*";

struct TConfigImportResult {
  // False when the file was refused; the description is then untouched.
  bool Imported = false;
  // Why the file was refused: "Line 7: ..." (the file's name is added by
  // ImportConfigFileAt).
  std::string Refusal;
  // The error list entries ("Line 12: ..."), in line order.
  std::vector<std::string> Problems;
};

// Imports the file's text into `system` and `settings`. The error list is
// cleared, receives the entries and is shown when it holds any.
TConfigImportResult ImportConfigFile(const std::string& text, TzmUPSSystem& system, TSiteSettings& settings,
                                     IErrorList& errors);

// Removes every battery of the system, quickly also when its strings hold
// thousands of cells (a group drops its cells first to last otherwise).
void ClearSystem(TzmUPSSystem& system);

// ImportConfigFile on the file at `path`; a file that cannot be read, or is far
// larger than any configuration file, is refused naming the file.
TConfigImportResult ImportConfigFileAt(const std::string& path, TzmUPSSystem& system, TSiteSettings& settings,
                                       IErrorList& errors);
