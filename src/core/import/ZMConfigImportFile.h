#pragma once
// Reading a configuration file's lines for the importer: the text decoded to
// UTF-8, split into rows of 29 fields and checked for the layout the grid
// builder writes (header, then per control unit eight input rows and full DCMs).
#include <array>
#include <string>
#include <vector>

#include "config/BuildConfigGrid.h"

namespace zmimport {

enum TCol {
  cPC, cPT, cCU, cDCM, cCH, cTY, cCT, cTP, cVF, cVT, cZI, cHY, cBatLbl, cStrLbl, cCellLbl,
  cBatNo, cStrNo, cBlkFr, cBlkTo, cVer, cHV, cLV, cHZ, cLZ, cHT, cLT, cHC, cLC, cSP1
};

// The file cannot be followed; nothing of it is used.
struct EImportRefused {
  int Line = 0;
  std::string Reason;
};

struct TCfgRow {
  int Line = 0;
  std::array<std::string, kConfigGridColumns> F;
  const std::string& operator[](TCol col) const { return F[static_cast<size_t>(col)]; }
  // A channel row without a cell (no numbers, no label, no limits).
  bool IsNull() const;
};

struct TCfgUnit {
  // Input rows 1 to 8, then the channel rows, DCM by DCM.
  std::vector<TCfgRow> Inputs;
  std::vector<TCfgRow> Channels;
};

struct TCfgFile {
  int CommPort = 1;
  std::vector<TCfgUnit> Units;
};

// UTF-8 text stays as it is; anything else is taken as Windows-1252.
std::string DecodeConfigText(const std::string& bytes);

// Throws EImportRefused for the first line that breaks the layout.
TCfgFile ReadConfigRows(const std::string& text);

// A whole number of the file (decimal digits, an optional minus); false for anything else.
bool ParseWhole(const std::string& text, int& value);
// A limit of the file ("." as separator); false for anything else.
bool ParseLimit(const std::string& text, double& value);

}  // namespace zmimport
