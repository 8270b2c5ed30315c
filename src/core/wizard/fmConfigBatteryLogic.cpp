#include "wizard/fmConfigBatteryLogic.h"

#include <algorithm>

#include "common/ZMCharset.h"
#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"

const char* const kBatteryNameCommaMessage = "A name cannot contain a comma.";

std::string DefaultBatteryName(int number) { return "Battery: " + std::to_string(number); }

int CountFromText(const std::string& text, int fallback, int minimum, int maximum) {
  int value = 0;
  if (!TryStrToInt(text, value)) return fallback;
  return std::clamp(value, minimum, maximum);
}

int NamesColumnWidth(int clientWidth, int numberColumnWidth, int gridLineWidth) {
  return std::max(0, (clientWidth - numberColumnWidth - 2 * gridLineWidth) / 2);
}

void TBatteryNamesTable::SetCount(int count) {
  count = std::max(0, count);
  for (int i = count; i < std::min<int>(count_, static_cast<int>(rows_.size())); ++i)
    rows_[static_cast<size_t>(i)].strings.clear();
  if (static_cast<int>(rows_.size()) < count) rows_.resize(static_cast<size_t>(count));
  count_ = count;
  FillBlankNames();
}

void TBatteryNamesTable::FillBlankNames() {
  for (int i = 0; i < count_; ++i) {
    TRow& row = rows_[static_cast<size_t>(i)];
    if (row.name.empty()) row.name = DefaultBatteryName(i + 1);
  }
}

std::string TBatteryNamesTable::NameCell(int index) const {
  return ValidIndex(index) ? rows_[static_cast<size_t>(index)].name : std::string();
}

std::string TBatteryNamesTable::StringsCell(int index) const {
  return ValidIndex(index) ? rows_[static_cast<size_t>(index)].strings : std::string();
}

void TBatteryNamesTable::SetNameCell(int index, const std::string& text) {
  if (ValidIndex(index)) rows_[static_cast<size_t>(index)].name = text;
}

void TBatteryNamesTable::SetStringsCell(int index, const std::string& text) {
  if (ValidIndex(index)) rows_[static_cast<size_t>(index)].strings = text;
}

std::string TBatteryNamesTable::BatteryName(int index) const {
  if (!ValidIndex(index)) return {};
  const std::string& name = rows_[static_cast<size_t>(index)].name;
  return name.empty() ? DefaultBatteryName(index + 1) : name;
}

int TBatteryNamesTable::StringCount(int index, int defaultStrings) const {
  if (!ValidIndex(index)) return 0;
  int value = 0;
  if (!TryStrToInt(rows_[static_cast<size_t>(index)].strings, value) || value < 1)
    return defaultStrings;
  return value;
}

void TBatteryNamesTable::SetStringCount(int index, int strings) {
  SetStringsCell(index, strings < 1 ? std::string() : std::to_string(strings));
}

bool TBatteryNamesTable::EditName(int index, const std::string& typed) {
  if (!ValidIndex(index)) return false;
  if (typed.find(',') != std::string::npos) {
    UserMessages().Show(TMsgKind::Warning, kBatteryNameCommaMessage, TMsgButtons::Ok);
    return false;
  }
  if (const std::string misfit = FirstCharacterNotInCp1252(typed); !misfit.empty()) {
    UserMessages().Show(TMsgKind::Warning, NameCharacterMessage(misfit), TMsgButtons::Ok);
    return false;
  }
  SetNameCell(index, typed);
  return true;
}

std::string TBatteryNamesTable::EditorText(int index, int column) const {
  if (!ValidIndex(index)) return {};
  switch (column) {
    case 0: return std::to_string(index + 1);
    case 1: return BatteryName(index);
    case 2: return StringsCell(index);
    default: return {};
  }
}
