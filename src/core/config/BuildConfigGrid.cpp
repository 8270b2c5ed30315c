#include "config/BuildConfigGrid.h"

#include <cmath>
#include <unordered_map>

#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"
#include "config/grid_file_stuff.h"
#include "model/ZMUPSTreeSystem.h"

const std::array<const char*, kConfigGridColumns> kConfigGridHeaders = {
    "PC", "PT",     "CU",     "DCM",    "CH",     "TY",     "CT",  "TP", "VF", "VT",
    "ZI", "HY",     "BatLbl", "StrLbl", "CellLbl", "Bat No", "Str No", "Blk Fr", "Blk To", "Ver",
    "HV", "LV",     "HZ",     "LZ",     "HT",     "LT",     "HC",  "LC", "SP1"};

namespace {
enum Col {
  cPC, cPT, cCU, cDCM, cCH, cTY, cCT, cTP, cVF, cVT, cZI, cHY, cBatLbl, cStrLbl, cCellLbl,
  cBatNo, cStrNo, cBlkFr, cBlkTo, cVer, cHV, cLV, cHZ, cLZ, cHT, cLT, cHC, cLC, cSP1
};

bool AlarmEqual(double a, double b) { return std::fabs(a - b) < 0.01; }

TzmUPSStringSystemNode* StringOfLeaf(const TzmSystemNode* leaf) {
  TzmSystemNode* group = leaf->Parent();
  return group ? dynamic_cast<TzmUPSStringSystemNode*>(group->Parent()) : nullptr;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }
}  // namespace

void MergeSystemAlarm(double& target, double value) {
  if (AlarmEqual(target, kAlarmsDiffer)) return;
  if (AlarmEqual(value, target)) return;
  target = AlarmEqual(target, kNoAlarmSeen) ? value : kAlarmsDiffer;
}

std::string FormatSystemAlarm(double value) { return value <= 0 ? std::string() : FormatFileNumber(value); }

TConfigGridBuilder::TConfigGridBuilder(TzmUPSSystem& system, const TControlUnitStringList& controlUnits,
                                       IConfigGridTarget& grid, IErrorList& errors,
                                       const TGlobalAlarmSetting& globalAlarms)
    : system_(system), controlUnits_(controlUnits), grid_(grid), errors_(errors), global_(globalAlarms) {}

void TConfigGridBuilder::BuildConfigGrid() {
  errors_.Clear();
  SetupConfigGridHeader();
  NumberSystemForGrid();
  CollectSystemAlarms();
  for (size_t k = 0; k < controlUnits_.size(); ++k) {
    AddCUListToConfigGrid(static_cast<int>(k), controlUnits_[k]);
    AddStringChannelsToConfigGrid(static_cast<int>(k), controlUnits_[k]);
  }
  FlushToGrid();
  if (errors_.Count() >= 1) errors_.Show();
}

void TConfigGridBuilder::SetupConfigGridHeader() {
  rows_.clear();
  commPortText_.clear();
  // Room for every row up front: a row is 29 texts, so regrowing is costly.
  size_t expected = 1;
  for (const auto& strings : controlUnits_) {
    expected += 8;
    for (const TzmUPSStringSystemNode* s : strings)
      expected += static_cast<size_t>(s->ChannelCount()) + 4 * static_cast<size_t>(1 + s->SubStringCount());
  }
  rows_.reserve(expected);
  TRow& header = rows_.emplace_back();
  for (int c = 0; c < kConfigGridColumns; ++c) header[static_cast<size_t>(c)] = kConfigGridHeaders[static_cast<size_t>(c)];
}

void TConfigGridBuilder::NumberSystemForGrid() {
  // Where each listed string stands: its control unit and its position there.
  struct TPlace {
    size_t Unit, Position;
  };
  std::unordered_map<const TzmUPSStringSystemNode*, TPlace> places;
  for (size_t k = 0; k < controlUnits_.size(); ++k) {
    const TControlUnitStrings& strings = controlUnits_[k];
    for (size_t j = 0; j < strings.size(); ++j) {
      TzmUPSStringSystemNode* s = strings[j];
      if (!places.emplace(s, TPlace{k, j}).second) continue;
      if (TzmUPSBatterySystemNode* b = s->Battery()) b->ClearNumber();
      for (int c = 0; c < s->CellCount(); ++c) s->GetCell(c)->ClearNumber();
    }
  }
  // Batteries are numbered in the order the control units first name them.
  std::vector<TzmUPSBatterySystemNode*> batteries;
  std::vector<TzmUPSStringSystemNode*> detached;
  for (const auto& strings : controlUnits_)
    for (TzmUPSStringSystemNode* s : strings) {
      TzmUPSBatterySystemNode* battery = s->Battery();
      if (!battery) detached.push_back(s);
      else if (!battery->HasNumber()) {
        battery->Number = static_cast<int>(batteries.size()) + 1;
        batteries.push_back(battery);
      }
    }

  // A segment continues the string before it only where the user joined the two
  // (same join number) and they stand side by side on one control unit.
  auto continues = [&places](const TzmUPSStringSystemNode* previous, const TzmUPSStringSystemNode* s) {
    if (!previous || !previous->HasNumber() || previous->Number != s->Number) return false;
    const TPlace& before = places.at(previous);
    const TPlace& here = places.at(s);
    return before.Unit == here.Unit && before.Position + 1 == here.Position;
  };
  // Strings of one battery are numbered in their battery's order, wherever they
  // sit, so that the numbers depend on the description alone.
  auto numberStrings = [&](const std::vector<TzmUPSStringSystemNode*>& strings) {
    int stringNo = 0, block = 1, cellNo = 1;
    const TzmUPSStringSystemNode* previous = nullptr;
    for (TzmUPSStringSystemNode* s : strings) {
      if (!continues(previous, s)) {
        ++stringNo;
        block = 1;
        cellNo = 1;
      }
      stringNumbers_[s] = stringNo;
      const int cells = s->CellCount();
      for (int c = 0; c < cells; ++c) {
        TzmUPSCellSystemNode* cell = s->GetCell(c);
        cell->SetBlockFrom(block);
        if (cell->BlockTo() >= 0) block = cell->BlockTo();
        ++block;
        cell->Number = cellNo + c;
      }
      cellNo += cells;
      previous = s;
    }
  };
  stringNumbers_.clear();
  for (const TzmUPSBatterySystemNode* battery : batteries) {
    std::vector<TzmUPSStringSystemNode*> listed;
    for (int i = 0; i < battery->StringCount(); ++i)
      if (TzmUPSStringSystemNode* s = battery->GetString(i); places.count(s)) listed.push_back(s);
    numberStrings(listed);
  }
  numberStrings(detached);
}

int TConfigGridBuilder::StringNumberOf(const TzmUPSStringSystemNode& string) const {
  const auto found = stringNumbers_.find(&string);
  return found != stringNumbers_.end() ? found->second : string.GetNumber();
}

void TConfigGridBuilder::CollectSystemAlarms() {
  alarms_ = TSystemAlarms();
  auto stringProc = [this](TzmUPSStringSystemNode* s) {
    if (global_.Enabled) SetProbeAlarms(s, global_.Limits);
    for (int i = 0; i < s->CurrentCount(); ++i) {
      MergeSystemAlarm(alarms_.HighCurrent, s->GetCurrent(i)->HighAlarm);
      MergeSystemAlarm(alarms_.LowCurrent, s->GetCurrent(i)->LowAlarm);
    }
    for (int i = 0; i < s->TemperatureCount(); ++i) {
      MergeSystemAlarm(alarms_.HighTemperature, s->GetTemperature(i)->HighAlarm);
      MergeSystemAlarm(alarms_.LowTemperature, s->GetTemperature(i)->LowAlarm);
    }
  };
  auto cellProc = [this](TzmUPSCellSystemNode* cell) {
    if (global_.Enabled) SetCellAlarms(cell, global_.Limits);
    MergeSystemAlarm(alarms_.LowVoltage, cell->LowAlarm);
    MergeSystemAlarm(alarms_.HighVoltage, cell->HighAlarm);
    MergeSystemAlarm(alarms_.LowResistance, cell->LowResistance);
    MergeSystemAlarm(alarms_.HighResistance, cell->HighResistance);
  };
  system_.ForEachNode(cellProc, stringProc);
}

TConfigGridBuilder::TRow& TConfigGridBuilder::AppendRow(int k) {
  TRow& row = rows_.emplace_back();
  if (commPortText_.empty()) commPortText_ = std::to_string(system_.BMU()->CommPort);
  row[cPC] = "1";
  row[cPT] = commPortText_;
  row[cCU] = std::to_string(k + 1);
  row[cVer] = kConfigFormatVersion;
  return row;
}

void TConfigGridBuilder::AddCUListToConfigGrid(int k, const TControlUnitStrings& strings) {
  std::vector<TzmUPSCurrentSystemNode*> currents;
  std::vector<TzmUPSTemperatureSystemNode*> temperatures;
  for (TzmUPSStringSystemNode* s : strings) {
    const std::string batteryName = s->Battery() ? s->Battery()->Name() : std::string();
    for (int i = 0; i < s->CurrentCount(); ++i) {
      if (currents.size() < 4)
        currents.push_back(s->GetCurrent(i));
      else
        errors_.Add(Format("Current[%d] on Battery: %s String: %s Not Used!", i + 1, batteryName.c_str(),
                           s->Name().c_str()));
    }
    for (int i = 0; i < s->TemperatureCount(); ++i) {
      if (temperatures.size() < 4)
        temperatures.push_back(s->GetTemperature(i));
      else
        errors_.Add(Format("Temperature[%d] on Battery: %s String: %s Not Used!", i + 1,
                           batteryName.c_str(), s->Name().c_str()));
    }
  }
  auto currentSlot = [&](size_t n) -> TzmUPSAlarmedSystemNode* {
    return n < currents.size() ? currents[n] : nullptr;
  };
  auto temperatureSlot = [&](size_t n) -> TzmUPSAlarmedSystemNode* {
    return n < temperatures.size() ? temperatures[n] : nullptr;
  };
  const TzmUPSStringSystemNode* labelString = strings.empty() ? nullptr : strings.back();
  for (int i = 0; i < 8; ++i) {
    // Inputs in order: currents 1, 2, temperatures 1, 2, currents 3, 4, temperatures 3, 4.
    const bool isCurrent = (i % 4) < 2;
    const size_t slot = static_cast<size_t>((i / 4) * 2 + (i % 2));
    TzmUPSAlarmedSystemNode* node = isCurrent ? currentSlot(slot) : temperatureSlot(slot);
    const TzmUPSStringSystemNode* nodeString = node ? StringOfLeaf(node) : nullptr;
    if (nodeString) labelString = nodeString;

    TRow& row = AppendRow(k);
    row[cDCM] = "0";
    row[cCH] = std::to_string(i + 1);
    row[cTY] = "C";
    if (isCurrent) row[cCT] = std::to_string(slot + 1);
    else row[cTP] = std::to_string(slot + 1);
    if (i < 4) row[cVF] = std::to_string(i + 1);
    if (labelString) {
      row[cStrLbl] = labelString->GetShortName();
      if (const TzmUPSBatterySystemNode* b = labelString->Battery()) row[cBatLbl] = b->GetShortName();
    }
    if (nodeString) {
      if (const TzmUPSBatterySystemNode* b = nodeString->Battery()) row[cBatNo] = std::to_string(b->GetNumber());
      row[cStrNo] = std::to_string(StringNumberOf(*nodeString));
    }
    if (node && !isCurrent) {
      row[cHT] = FormatSystemAlarm(node->HighAlarm);
      row[cLT] = FormatSystemAlarm(node->LowAlarm);
      if (!StartsWith(node->Name(), "Temperature ")) row[cCellLbl] = node->Name();
    } else if (node && isCurrent) {
      row[cHC] = FormatSystemAlarm(node->HighAlarm);
      row[cLC] = FormatSystemAlarm(node->LowAlarm);
      const int scaled = static_cast<TzmUPSCurrentSystemNode*>(node)->Scaling.GetScaledCurrent();
      if (scaled != 1000) row[cSP1] = std::to_string(scaled);
    }
    if (k == 0 && i == 0) {
      auto systemWide = [&row](Col col, double value) {
        if (value != kAlarmsDiffer && value != kNoAlarmSeen) row[col] = FormatSystemAlarm(value);
      };
      systemWide(cHV, alarms_.HighVoltage);
      systemWide(cLV, alarms_.LowVoltage);
      systemWide(cHZ, alarms_.HighResistance);
      systemWide(cLZ, alarms_.LowResistance);
      systemWide(cHT, alarms_.HighTemperature);
      systemWide(cLT, alarms_.LowTemperature);
    }
  }
}

void TConfigGridBuilder::AddStringChannelsToConfigGrid(int k, const TControlUnitStrings& strings) {
  dcm_ = 0;
  channel_ = 0;
  for (TzmUPSStringSystemNode* s : strings) {
    int total = 0;
    for (int cells : s->SubStringCells()) total += cells;
    if (s->HasSubStrings() && total != s->CellCount()) {
      const std::string batteryName = s->Battery() ? s->Battery()->Name() : std::string();
      errors_.Add(Format("Sub-strings of Battery: %s String: %s hold %d cells, but the string has %d; "
                         "the string was laid out without sub-strings.",
                         batteryName.c_str(), s->Name().c_str(), total, s->CellCount()));
      LayOutRun(k, *s, 0, s->CellCount(), s->ChannelCount());
    } else if (s->HasSubStrings()) {
      int first = 0;
      for (int sub = 0; sub < s->SubStringCount(); ++sub) {
        const int count = s->GetSubStringCells(sub);
        LayOutRun(k, *s, first, count, s->GetSubStringChannelCount(sub));
        first += count;
      }
    } else {
      LayOutRun(k, *s, 0, s->CellCount(), s->ChannelCount());
    }
  }
}

TConfigGridBuilder::TRunTexts TConfigGridBuilder::RunTextsOf(const TzmUPSStringSystemNode& string) const {
  TRunTexts run;
  if (const TzmUPSBatterySystemNode* battery = string.Battery()) {
    run.BatLbl = battery->GetShortName();
    run.BatNo = std::to_string(battery->GetNumber());
    run.VoltageOnly = battery->VoltageOnly;
  }
  run.StrLbl = string.GetShortName();
  run.StrNo = std::to_string(StringNumberOf(string));
  return run;
}

// Lays out `count` cells from index `first` so that the run starts on a fresh DCM
// and ends on a full one, null channels filling the gaps.
void TConfigGridBuilder::LayOutRun(int k, const TzmUPSStringSystemNode& string, int first, int count,
                                   int channels) {
  if (count <= 0) return;  // a run without cells writes nothing
  const int last = first + count - 1;
  if (channels < 4) {
    // A short run takes null channels on its last cell up to one full DCM.
    TzmUPSCellSystemNode* lastCell = string.GetCell(last);
    lastCell->NullCount = static_cast<std::uint8_t>(lastCell->NullCount + (4 - channels));
    lastCell->RefreshView();
  }
  const TRunTexts run = RunTextsOf(string);
  const int rem = channels % 4;
  const int fillAt = rem > 0 ? first + (channels / 4 - 1) * 4 + rem : -1;
  const int fillCount = 4 - rem;
  for (int c = first; c <= last; ++c) {
    if (c == fillAt)
      for (int n = 0; n < fillCount; ++n) WriteChannelRow(k, run, nullptr);
    const TzmUPSCellSystemNode* cell = string.GetCell(c);
    WriteChannelRow(k, run, cell);
    for (int n = 0; n < cell->NullCount; ++n) WriteChannelRow(k, run, nullptr);
  }
  // Null channels of the cells themselves can leave the run short of a full DCM.
  while (channel_ != 0) WriteChannelRow(k, run, nullptr);
}

// A channel row's limit: written when 0 or more.
const std::string& TConfigGridBuilder::ChannelLimit(double value, TNumberMemo& memo) {
  if (value != memo.Value) {
    memo.Value = value;
    memo.Text = value >= 0 ? FormatFileNumber(value) : std::string();
  }
  return memo.Text;
}

void TConfigGridBuilder::WriteChannelRow(int k, const TRunTexts& run, const TzmUPSCellSystemNode* cell) {
  TRow& row = AppendRow(k);
  row[cDCM] = std::to_string(dcm_ + 1);
  row[cCH] = std::to_string(channel_ + 1);
  row[cTY] = (run.VoltageOnly || (cell && cell->VoltageOnlyState == 1)) ? "V" : "Z";
  row[cVT] = row[cCH];
  row[cZI] = row[cCH];
  row[cBatLbl] = run.BatLbl;
  row[cStrLbl] = run.StrLbl;
  if (cell) {
    row[cCellLbl] = cell->GetCellLabel();
    row[cBatNo] = run.BatNo;
    row[cStrNo] = run.StrNo;
    row[cBlkFr] = std::to_string(cell->BlockFrom() >= 0 ? cell->BlockFrom() : cell->GetNumber());
    if (cell->BlockTo() >= 0) row[cBlkTo] = std::to_string(cell->BlockTo());
    row[cHV] = ChannelLimit(cell->HighAlarm, memos_[0]);
    row[cLV] = ChannelLimit(cell->LowAlarm, memos_[1]);
    if (!run.VoltageOnly) {
      row[cHZ] = ChannelLimit(cell->HighResistance, memos_[2]);
      row[cLZ] = ChannelLimit(cell->LowResistance, memos_[3]);
    }
  }
  if (++channel_ > 3) {
    channel_ = 0;
    ++dcm_;
  }
}

void TConfigGridBuilder::FlushToGrid() {
  grid_.SetRowCount(1);
  grid_.SetColCount(kConfigGridColumns);
  for (int c = 0; c < kConfigGridColumns; ++c)
    grid_.SetColWidthForText(c, std::string(kConfigGridHeaders[static_cast<size_t>(c)]) + "0000");
  grid_.SetRowCount(static_cast<int>(rows_.size()));
  for (size_t r = 0; r < rows_.size(); ++r)
    for (int c = 0; c < kConfigGridColumns; ++c) {
      const std::string& text = rows_[r][static_cast<size_t>(c)];
      if (!text.empty()) grid_.SetCell(c, static_cast<int>(r), text);
    }
  if (!controlUnits_.empty()) grid_.SetFixedRows(1);
  grid_.EndUpdate();
}
