#pragma once
// The battery names table behind the "Number of batteries" dialog, free of
// widgets: one row per battery with its name and its own number of strings
// (a blank strings cell means the default number of strings).
#include <string>
#include <vector>

// Both counts of the dialog start at 1; three digits is all the number column holds.
constexpr int kMinBatteries = 1;
constexpr int kMaxBatteries = 999;
constexpr int kMinDefaultStrings = 1;
constexpr int kMaxDefaultStrings = 999;

// The message shown when a typed battery name holds a comma, which would split
// the name's field in the configuration file.
extern const char* const kBatteryNameCommaMessage;

// "Battery: " followed by the 1-based battery number.
std::string DefaultBatteryName(int number);

// A count typed into one of the count boxes: its number kept within
// [minimum, maximum], or `fallback` when the text is not an integer.
int CountFromText(const std::string& text, int fallback, int minimum, int maximum);

// The widths of the name and strings columns: what is left of the grid's client
// width after the number column and two grid lines, shared equally (remainder dropped).
int NamesColumnWidth(int clientWidth, int numberColumnWidth, int gridLineWidth);

class TBatteryNamesTable {
 public:
  int Count() const { return count_; }
  // Gives the table one row per battery and fills blank names with their
  // defaults. Rows removed by a lower count lose their strings cell, so that a
  // battery added again later starts with the default number of strings.
  void SetCount(int count);
  void FillBlankNames();
  bool ValidIndex(int index) const { return index >= 0 && index < count_; }

  // The cells as the grid shows them; nothing outside the rows.
  std::string NameCell(int index) const;
  std::string StringsCell(int index) const;
  void SetNameCell(int index, const std::string& text);
  void SetStringsCell(int index, const std::string& text);

  // The name of a battery: its name cell, or the default name when that is blank.
  std::string BatteryName(int index) const;
  void SetBatteryName(int index, const std::string& name) { SetNameCell(index, name); }
  // The strings of a battery: the strings cell, or `defaultStrings` when the cell
  // is blank, not a number or below 1. 0 for an index outside the rows.
  int StringCount(int index, int defaultStrings) const;
  // Writes the number, or blanks the cell for a value below 1.
  void SetStringCount(int index, int strings);

  // A name typed by the user: refused with a warning when it holds a comma (the
  // old name stays). True when the name was stored.
  bool EditName(int index, const std::string& typed);
  // The text an editor opening on a cell starts with: a blank name cell offers
  // the default name.
  std::string EditorText(int index, int column) const;

 private:
  struct TRow {
    std::string name;
    std::string strings;
  };
  int count_ = 0;
  std::vector<TRow> rows_;  // may hold more rows than count_: names of removed batteries stay
};
