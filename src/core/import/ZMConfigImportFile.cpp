#include "import/ZMConfigImportFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <cstdlib>

#include "common/ZMFormat.h"

namespace zmimport {
namespace {

// Windows-1252 0x80 to 0x9F; the five unassigned bytes keep their C1 code points.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsUtf8(const std::string& bytes) {
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t len = 0;
    char32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07;
    else return false;
    if (i + len > n) return false;
    for (size_t k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(bytes[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += len;
  }
  return true;
}

[[noreturn]] void Refuse(int line, const std::string& reason) { throw EImportRefused{line, reason}; }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string HeaderLine() {
  std::string header;
  for (size_t c = 0; c < kConfigGridHeaders.size(); ++c) {
    if (c > 0) header += ',';
    header += kConfigGridHeaders[c];
  }
  return header;
}

// Splits the line into its fields; false when it has not 29 of them.
bool SplitFields(std::string_view line, TCfgRow& row, size_t& count) {
  count = 0;
  size_t start = 0;
  while (true) {
    const size_t comma = line.find(',', start);
    const size_t end = comma == std::string_view::npos ? line.size() : comma;
    if (count < row.F.size()) row.F[count].assign(line.substr(start, end - start));
    ++count;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return count == row.F.size();
}

int WholeIn(const TCfgRow& row, TCol col, const char* name, int lowest, int highest) {
  int value = 0;
  if (!ParseWhole(row[col], value) || value < lowest || value > highest)
    Refuse(row.Line, Format("%s %s is not a number from %d to %d.", name, Quoted(row[col]).c_str(), lowest, highest));
  return value;
}

// Bat No and Str No: both or neither; Blk Fr and Blk To whole numbers.
void CheckNumbers(const TCfgRow& row, bool channel) {
  const bool bat = !row[cBatNo].empty(), str = !row[cStrNo].empty();
  if (bat != str)
    Refuse(row.Line, std::string("Bat No and Str No must both be given or both be empty; ") +
                         (bat ? "Str No" : "Bat No") + " is empty.");
  if (bat) {
    WholeIn(row, cBatNo, "Bat No", 1, 1000000);
    WholeIn(row, cStrNo, "Str No", 1, 1000000);
  }
  if (!channel) return;
  if (!row.IsNull() && !bat) Refuse(row.Line, "a channel row with a cell needs Bat No and Str No.");
  if (bat) {
    WholeIn(row, cBlkFr, "Blk Fr", 0, 1000000);
    if (!row[cBlkTo].empty()) WholeIn(row, cBlkTo, "Blk To", 0, 1000000);
  }
}

}  // namespace

bool TCfgRow::IsNull() const {
  for (TCol col : {cCellLbl, cBatNo, cStrNo, cBlkFr, cBlkTo, cHV, cLV, cHZ, cLZ})
    if (!F[static_cast<size_t>(col)].empty()) return false;
  return true;
}

bool ParseWhole(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first == last) return false;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && ptr == last;
}

bool ParseLimit(const std::string& text, double& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first == last) return false;
  double parsed = 0;
  const auto [ptr, ec] = std::from_chars(first, last, parsed);
  if (ec != std::errc() || ptr != last || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

std::string DecodeConfigText(const std::string& bytes) {
  if (IsUtf8(bytes)) return bytes;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) out += ch;
    else if (c < 0xA0) AppendUtf8(out, kCp1252High[c - 0x80]);
    else AppendUtf8(out, c);
  }
  return out;
}

TCfgFile ReadConfigRows(const std::string& text) {
  // Binary data first: a NUL or another control character anywhere.
  int line = 1;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') ++line;
    else if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F)
      Refuse(line, Format("holds binary data (byte 0x%02X); this is not a configuration file.", c));
  }
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<size_t>(line));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view l(text.data() + start, end - start);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    if (l.find('\r') != std::string_view::npos)
      Refuse(static_cast<int>(lines.size()) + 1, "holds a carriage return inside the line.");
    lines.push_back(l);
    start = end + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();  // blank lines at the end
  if (lines.empty()) Refuse(1, "the file is empty.");
  if (lines[0] != HeaderLine())
    Refuse(1, "this is not the header of a configuration file (\"" + HeaderLine() + "\" expected).");
  if (lines.size() == 1) Refuse(1, "the file holds no control unit.");

  TCfgFile file;
  TCfgUnit* unit = nullptr;
  int unitNo = 0;
  auto finishUnit = [&](int atLine) {
    if (!unit) return;
    if (unit->Inputs.size() < 8)
      Refuse(atLine, Format("control unit %d has %zu input rows; it needs 8.", unitNo, unit->Inputs.size()));
    if (unit->Channels.size() % 4 != 0)
      Refuse(atLine, Format("DCM %zu of control unit %d has %zu channels; a DCM has 4.", unit->Channels.size() / 4 + 1,
                            unitNo, unit->Channels.size() % 4));
  };
  TCfgRow row;
  for (size_t i = 1; i < lines.size(); ++i) {
    row.Line = static_cast<int>(i) + 1;
    size_t count = 0;
    if (!SplitFields(lines[i], row, count))
      Refuse(row.Line, Format("has %zu columns; a configuration file has %d.", count, kConfigGridColumns));
    if (row[cVer] != kConfigFormatVersion)
      Refuse(row.Line, "Ver is " + Quoted(row[cVer]) + "; this program reads format " + kConfigFormatVersion + ".");
    if (row[cPC] != "1") Refuse(row.Line, "PC is " + Quoted(row[cPC]) + ", not 1.");
    const int port = WholeIn(row, cPT, "PT", 1, 255);
    if (i == 1) file.CommPort = port;
    else if (port != file.CommPort)
      Refuse(row.Line, Format("PT is %d here but %d above; the control units share one port.", port, file.CommPort));
    const int cu = WholeIn(row, cCU, "CU", 1, 32);
    const int dcm = WholeIn(row, cDCM, "DCM", 0, 255);
    const int ch = WholeIn(row, cCH, "CH", 1, 8);
    if (cu != unitNo) {
      if (cu != unitNo + 1)
        Refuse(row.Line, Format("control unit %d follows control unit %d; rows are out of order.", cu, unitNo));
      finishUnit(row.Line);
      unitNo = cu;
      unit = &file.Units.emplace_back();
      unit->Inputs.reserve(8);
      unit->Channels.reserve(std::min<size_t>(lines.size() - i, 4 * 255));
    }
    if (dcm == 0) {
      const int expected = static_cast<int>(unit->Inputs.size()) + 1;
      if (!unit->Channels.empty() || ch != expected)
        Refuse(row.Line, Format("input row %d of control unit %d is out of order.", ch, cu));
      if (row[cTY] != "C") Refuse(row.Line, "unknown TY " + Quoted(row[cTY]) + " on an input row (C expected).");
      CheckNumbers(row, false);
      unit->Inputs.push_back(row);
    } else {
      const size_t n = unit->Channels.size();
      if (unit->Inputs.size() < 8)
        Refuse(row.Line, Format("control unit %d has %zu input rows before its DCMs; it needs 8.", cu,
                                unit->Inputs.size()));
      if (dcm != static_cast<int>(n / 4) + 1 || ch != static_cast<int>(n % 4) + 1)
        Refuse(row.Line, Format("DCM %d channel %d is out of order (DCM %zu channel %zu expected).", dcm, ch, n / 4 + 1,
                                n % 4 + 1));
      if (row[cTY] != "V" && row[cTY] != "Z")
        Refuse(row.Line, "unknown TY " + Quoted(row[cTY]) + " on a channel row (V or Z expected).");
      CheckNumbers(row, true);
      unit->Channels.push_back(row);
    }
  }
  finishUnit(static_cast<int>(lines.size()));
  return file;
}

}  // namespace zmimport
