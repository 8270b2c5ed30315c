#include "wizard/fmConfigStringLogic.h"

#include <algorithm>

bool CountShownBlank(int value, const TCountRange& range) { return value < range.minimum; }

bool ConfigStringOkEnabled(const std::vector<std::string>& countTexts) {
  return std::none_of(countTexts.begin(), countTexts.end(),
                      [](const std::string& t) { return t.empty(); });
}

TVoltageOnlyState VoltageOnlyStateFromInt(int state) {
  switch (state) {
    case vosTicked: return vosTicked;
    case vosMixed: return vosMixed;
    default: return vosClear;
  }
}
