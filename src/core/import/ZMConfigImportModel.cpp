// From the file's rows to a description: which rows make which battery and
// string, in which order, with which numbers, and what each node holds.
//
// The grid builder numbers batteries in the order they are first met along the
// control units, and strings from 1 again at each newly met battery, joined
// neighbours sharing a number. Strings that show in no row (no cells, probes
// or sensors) still take numbers; where the numbers skip, such empty strings
// (and batteries) are put back so that the description numbers as the file.
#include <algorithm>
#include <map>
#include <tuple>

#include "alarms/fmAlarmSetDefaults.h"
#include "common/ZMFormat.h"
#include "import/ZMConfigImportFile.h"
#include "import/ZMConfigImportOrder.h"
#include "import/ZMConfigImportPlan.h"

namespace zmimport {
namespace {

struct TKey {
  int BatNo = 0, StrNo = 0;
  std::string BatLbl, StrLbl;
  bool operator==(const TKey&) const = default;
};

// One string on one control unit.
struct TRecord {
  int Unit = 0;
  TKey Key;
  int FirstLine = 0;
  // Shows in no row: put back for the numbers or the labels of unused inputs.
  bool Empty = false;
  // An empty string at the end of a control unit whose battery is not known.
  bool NewBattery = false;
  std::vector<const TCfgRow*> Channels, Probes, Sensors;
  int Battery = -1;
  int Number = 0;
  int JoinGroup = -1;
  int Position = 0;
};

struct TBatteryInfo {
  int Number = 0;
  std::string Label;
  std::vector<int> Records;
  bool VoltageOnly = false;
};

TKey KeyOf(const TCfgRow& row) {
  TKey key;
  ParseWhole(row[cBatNo], key.BatNo);
  ParseWhole(row[cStrNo], key.StrNo);
  key.BatLbl = row[cBatLbl];
  key.StrLbl = row[cStrLbl];
  return key;
}

std::string NameOf(const TKey& key) {
  return "Battery: " + key.BatLbl + " String: " + key.StrLbl;
}

// Input rows by slot: currents 1 to 4, temperatures 1 to 4.
constexpr int kCurrentRows[4] = {0, 1, 4, 5};
constexpr int kSensorRows[4] = {2, 3, 6, 7};

class TPlanner {
 public:
  explicit TPlanner(const TCfgFile& file) : file_(file) {}

  TPlan Run() {
    plan_.CommPort = file_.CommPort;
    units_.resize(file_.Units.size());
    for (size_t k = 0; k < file_.Units.size(); ++k) units_[k] = CollectUnit(static_cast<int>(k));
    Number();
    PlanNodes();
    std::stable_sort(plan_.Problems.begin(), plan_.Problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return std::move(plan_);
  }

 private:
  void Problem(int line, const std::string& text) { plan_.Problems.emplace_back(line, text); }

  int AddRecord(TRecord record) {
    records_.push_back(std::move(record));
    return static_cast<int>(records_.size()) - 1;
  }

  // The strings of one control unit in list order.
  std::vector<int> CollectUnit(int k) {
    const TCfgUnit& unit = file_.Units[static_cast<size_t>(k)];
    std::vector<int> channelOrder;
    // Records by key; joined segments may share one key, and a string without
    // cells shows only on an input (channel position -1).
    std::map<std::tuple<int, int, std::string, std::string>, std::vector<int>> byKey;
    std::map<int, int> channelPos;
    auto keyOf = [](const TKey& key) { return std::make_tuple(key.BatNo, key.StrNo, key.BatLbl, key.StrLbl); };
    int current = -1;
    for (size_t i = 0; i < unit.Channels.size(); ++i) {
      const TCfgRow& row = unit.Channels[i];
      if (row.IsNull()) {
        if (current < 0)
          throw EImportRefused{row.Line, Format("a null channel begins the DCMs of control unit %d; "
                                                "every string begins with a cell.", k + 1)};
        records_[static_cast<size_t>(current)].Channels.push_back(&row);
        continue;
      }
      const TKey key = KeyOf(row);
      if (current >= 0 && records_[static_cast<size_t>(current)].Key == key) {
        records_[static_cast<size_t>(current)].Channels.push_back(&row);
        continue;
      }
      if (i % 4 != 0)
        throw EImportRefused{row.Line, Format("%s begins at channel %zu of DCM %zu; every string begins on a "
                                              "fresh DCM.", NameOf(key).c_str(), i % 4 + 1, i / 4 + 1)};
      TRecord record;
      record.Unit = k;
      record.Key = key;
      record.FirstLine = row.Line;
      record.Channels.push_back(&row);
      current = AddRecord(std::move(record));
      byKey[keyOf(key)].push_back(current);
      channelPos[current] = static_cast<int>(channelOrder.size());
      channelOrder.push_back(current);
    }

    // Probes and sensors join their strings, in list order.
    auto inputSequence = [&](const int (&rows)[4], bool probes) {
      std::vector<int> sequence;
      int cursor = 0;
      for (int r : rows) {
        const TCfgRow& row = unit.Inputs[static_cast<size_t>(r)];
        if (row[cBatNo].empty()) {
          CheckUnusedInput(k, r, row);
          continue;
        }
        const TKey key = KeyOf(row);
        std::vector<int>& candidates = byKey[keyOf(key)];
        int record = -1;
        for (int c : candidates)
          if (channelPos.count(c) ? channelPos[c] >= cursor : record < 0) {
            record = c;
            if (channelPos.count(c)) break;
          }
        if (record < 0) {
          TRecord made;
          made.Unit = k;
          made.Key = key;
          made.FirstLine = row.Line;
          record = AddRecord(std::move(made));
          candidates.push_back(record);
        }
        if (channelPos.count(record)) cursor = channelPos[record];
        (probes ? records_[static_cast<size_t>(record)].Probes : records_[static_cast<size_t>(record)].Sensors)
            .push_back(&row);
        if (sequence.empty() || sequence.back() != record) sequence.push_back(record);
      }
      return sequence;
    };
    const std::vector<int> probeOrder = inputSequence(kCurrentRows, true);
    const std::vector<int> sensorOrder = inputSequence(kSensorRows, false);

    // The list order keeps all three orders.
    std::vector<int> members;
    for (const auto& [key, list] : byKey) members.insert(members.end(), list.begin(), list.end());
    std::sort(members.begin(), members.end());
    std::map<int, int> local;
    for (size_t i = 0; i < members.size(); ++i) local[members[i]] = static_cast<int>(i);
    std::vector<std::pair<int, int>> pairs;
    for (const std::vector<int>* seq : std::initializer_list<const std::vector<int>*>{&channelOrder, &probeOrder, &sensorOrder})
      for (size_t i = 1; i < seq->size(); ++i) pairs.emplace_back(local[(*seq)[i - 1]], local[(*seq)[i]]);
    bool loop = false;
    const std::vector<int> order = OrderItems(
        static_cast<int>(members.size()), pairs,
        [&](int a, int b) {
          const TRecord& ra = records_[static_cast<size_t>(members[static_cast<size_t>(a)])];
          const TRecord& rb = records_[static_cast<size_t>(members[static_cast<size_t>(b)])];
          return std::tie(ra.Key.BatNo, ra.Key.StrNo, ra.FirstLine) < std::tie(rb.Key.BatNo, rb.Key.StrNo, rb.FirstLine);
        },
        loop);
    if (loop)
      throw EImportRefused{unit.Inputs[0].Line, Format("the inputs of control unit %d are in another order than its "
                                                       "strings' channels; rows are out of order.", k + 1)};
    std::vector<int> list;
    for (int i : order) list.push_back(members[static_cast<size_t>(i)]);

    // Inputs before the first used one carry the labels of the list's last string.
    int firstUsed = 0;
    while (firstUsed < 8 && unit.Inputs[static_cast<size_t>(firstUsed)][cBatNo].empty()) ++firstUsed;
    if (firstUsed > 0) {
      const TCfgRow& row = unit.Inputs[0];
      const TRecord* last = list.empty() ? nullptr : &records_[static_cast<size_t>(list.back())];
      if (!last || last->Key.BatLbl != row[cBatLbl] || last->Key.StrLbl != row[cStrLbl]) {
        TRecord empty;
        empty.Unit = k;
        empty.Empty = true;
        empty.Key.BatLbl = row[cBatLbl];
        empty.Key.StrLbl = row[cStrLbl];
        empty.FirstLine = row.Line;
        if (last && last->Key.BatLbl == row[cBatLbl]) empty.Key.BatNo = last->Key.BatNo;
        else empty.NewBattery = true;
        list.push_back(AddRecord(std::move(empty)));
      }
    }
    return list;
  }

  void CheckUnusedInput(int k, int r, const TCfgRow& row) {
    const bool firstRow = k == 0 && r == 0;  // carries the system-wide limits
    std::vector<TCol> cols = {cCellLbl, cHC, cLC, cSP1};
    if (!firstRow) cols.insert(cols.end(), {cHV, cLV, cHZ, cLZ, cHT, cLT});
    for (TCol col : cols)
      if (!row[col].empty()) {
        Problem(row.Line, Format("%s \"%s\" is on an input without Bat No and Str No and was left out.",
                                 kConfigGridHeaders[static_cast<size_t>(col)], row[col].c_str()));
        return;
      }
  }

  int NewBattery(int number, const std::string& label) {
    batteries_.push_back({number, label, {}, false});
    return static_cast<int>(batteries_.size()) - 1;
  }

  // An empty string put back on control unit k.
  int EmptyString(int k, int battery, int number, int line) {
    TRecord empty;
    empty.Unit = k;
    empty.Empty = true;
    empty.Battery = battery;
    empty.Number = number;
    empty.Key.BatNo = batteries_[static_cast<size_t>(battery)].Number;
    empty.Key.BatLbl = batteries_[static_cast<size_t>(battery)].Label;
    empty.Key.StrNo = number;
    empty.Key.StrLbl = std::to_string(number);
    empty.FirstLine = line;
    const int record = AddRecord(std::move(empty));
    batteries_[static_cast<size_t>(battery)].Records.push_back(record);
    return record;
  }

  // Numbers as the grid builder will, putting back empty strings and batteries
  // where the file's numbers skip (by a sane amount).
  static constexpr int kMostSkipped = 64;

  TRecord& At(int index) { return records_[static_cast<size_t>(index)]; }

  void Number() {
    int batteryNo = 0, stringNo = 0, groups = 0;
    std::map<int, int> byNumber;
    for (size_t k = 0; k < units_.size(); ++k) {
      const int unit = static_cast<int>(k);
      std::vector<int> list;
      int prev = -1;
      for (int index : units_[k]) {
        const TKey key = At(index).Key;
        const int line = At(index).FirstLine;
        const bool empty = At(index).Empty, newBattery = At(index).NewBattery;
        int battery;
        const auto known = byNumber.find(key.BatNo);
        if (newBattery || known == byNumber.end()) {
          if (!newBattery) {
            if (key.BatNo > batteryNo + 1 && key.BatNo <= batteryNo + 1 + kMostSkipped) {
              while (key.BatNo > batteryNo + 1) {
                ++batteryNo;
                const int b = NewBattery(batteryNo, std::to_string(batteryNo));
                byNumber[batteryNo] = b;
                list.push_back(prev = EmptyString(unit, b, 1, line));
              }
            }
            if (key.BatNo != batteryNo + 1)
              Problem(line, Format("Bat No %d is out of sequence (%d expected); the battery will be numbered %d.",
                                   key.BatNo, batteryNo + 1, batteryNo + 1));
          }
          ++batteryNo;
          if (newBattery) At(index).Key.BatNo = batteryNo;
          battery = NewBattery(batteryNo, key.BatLbl);
          byNumber[At(index).Key.BatNo] = battery;
          stringNo = 0;
        } else {
          battery = known->second;
          if (batteries_[static_cast<size_t>(battery)].Label != key.BatLbl)
            Problem(line, Format("Bat No %d is labelled \"%s\" here but \"%s\" before; the first label is kept.",
                                 key.BatNo, key.BatLbl.c_str(), batteries_[static_cast<size_t>(battery)].Label.c_str()));
        }
        const bool joins = prev >= 0 && !empty && At(prev).Battery == battery && key.StrNo == At(prev).Number;
        if (joins) {
          if (At(prev).JoinGroup < 0) At(prev).JoinGroup = groups++;
          At(index).JoinGroup = At(prev).JoinGroup;
          At(index).Number = stringNo;
        } else {
          if (!empty) {
            if (key.StrNo > stringNo + 1 && key.StrNo <= stringNo + 1 + kMostSkipped) {
              while (key.StrNo > stringNo + 1) {
                ++stringNo;
                list.push_back(EmptyString(unit, battery, stringNo, line));
              }
            }
            if (key.StrNo != stringNo + 1)
              Problem(line, Format("Str No %d is out of sequence (%d expected); the string will be numbered %d.",
                                   key.StrNo, stringNo + 1, stringNo + 1));
          }
          At(index).Number = ++stringNo;
        }
        TRecord& r = At(index);
        if (r.Empty) r.Key.StrNo = r.Number;
        r.Battery = battery;
        batteries_[static_cast<size_t>(battery)].Records.push_back(index);
        list.push_back(index);
        prev = index;
      }
      for (size_t i = 0; i < list.size(); ++i) At(list[i]).Position = static_cast<int>(i);
      units_[k] = std::move(list);
    }
  }

  // The order of batteries and of each battery's strings keeps every control
  // unit's list order; otherwise batteries go by number, strings by number and
  // first appearance.
  std::vector<int> BatteryOrder() {
    std::vector<std::pair<int, int>> pairs;
    for (const std::vector<int>& list : units_)
      for (size_t i = 1; i < list.size(); ++i) {
        const int a = records_[static_cast<size_t>(list[i - 1])].Battery, b = records_[static_cast<size_t>(list[i])].Battery;
        if (a != b) pairs.emplace_back(a, b);
      }
    bool loop = false;
    const std::vector<int> order = OrderItems(
        static_cast<int>(batteries_.size()), pairs,
        [this](int a, int b) {
          return std::tie(batteries_[static_cast<size_t>(a)].Number, a) < std::tie(batteries_[static_cast<size_t>(b)].Number, b);
        },
        loop);
    if (loop) Problem(1, "the batteries are in a different order on different control units; they are taken by number.");
    return order;
  }

  std::vector<int> StringOrder(const TBatteryInfo& battery) {
    const std::vector<int>& members = battery.Records;
    std::map<int, int> local;
    for (size_t i = 0; i < members.size(); ++i) local[members[i]] = static_cast<int>(i);
    std::vector<std::pair<int, int>> pairs;
    for (const std::vector<int>& list : units_) {
      int prev = -1;
      for (int r : list) {
        if (!local.count(r)) continue;
        if (prev >= 0) pairs.emplace_back(local[prev], local[r]);
        prev = r;
      }
    }
    bool loop = false;
    std::vector<int> order = OrderItems(
        static_cast<int>(members.size()), pairs,
        [&](int a, int b) {
          const TRecord& ra = records_[static_cast<size_t>(members[static_cast<size_t>(a)])];
          const TRecord& rb = records_[static_cast<size_t>(members[static_cast<size_t>(b)])];
          return std::tie(ra.Number, ra.Unit, ra.Position) < std::tie(rb.Number, rb.Unit, rb.Position);
        },
        loop);
    for (int& i : order) i = members[static_cast<size_t>(i)];
    return order;
  }

  double Limit(const TCfgRow& row, TCol col) {
    const std::string& text = row[col];
    if (text.empty()) return -1;
    double value = -1;
    if (!ParseLimit(text, value)) {
      Problem(row.Line, Format("%s \"%s\" is not a number; the limit is left off.",
                               kConfigGridHeaders[static_cast<size_t>(col)], text.c_str()));
      return -1;
    }
    return value;
  }

  // An empty sensor limit is 0 or below. It is taken as off, unless the
  // system-wide limit is so close to 0 that the sensor must have agreed with it.
  double SensorLimit(const TCfgRow& row, TCol col) {
    const double value = Limit(row, col);
    double system = -1;
    if (row[col].empty() && ParseLimit(file_.Units[0].Inputs[0][col], system) && system > 0 && system < 0.01)
      return 0;
    return value;
  }

  void DetectVoltageOnly() {
    for (TBatteryInfo& b : batteries_) {
      bool any = false, all = true;
      for (int index : b.Records)
        for (const TCfgRow* row : records_[static_cast<size_t>(index)].Channels) {
          any = true;
          if ((*row)[cTY] != "V" || !(*row)[cHZ].empty() || !(*row)[cLZ].empty()) all = false;
        }
      b.VoltageOnly = any && all;
    }
  }

  // The Global alarm setting holds when every cell, sensor and probe carries the
  // limits of the first control unit row (which shows the cells' voltages).
  void DetectGlobalAlarms() {
    const TCfgRow& first = file_.Units[0].Inputs[0];
    TAlarmDefaults defaults;
    TAlarmLimits& l = plan_.Settings.AlarmDialog.Limits;
    l.HighV = defaults.HighVoltageDefault(TCellType::ct12V);
    l.LowV = defaults.LowVoltageDefault(TCellType::ct12V);
    l.HighR = defaults.HighOhmicDefault(TCellType::ct12V, TCellChemistry::chVRLA);
    l.LowR = defaults.LowOhmicDefault(TCellType::ct12V, TCellChemistry::chVRLA);
    l.HighT = defaults.DefaultHighT();
    l.LowT = defaults.DefaultLowT();
    l.HighI = defaults.DefaultHighI();
    l.LowI = defaults.DefaultLowI();
    double v;
    if (!ParseLimit(first[cHV], v) || !ParseLimit(first[cLV], v)) return;
    bool holds = true, sensors = false, probes = false;
    const TCfgRow* probe = nullptr;
    for (const TRecord& r : records_) {
      const bool vo = r.Battery >= 0 && batteries_[static_cast<size_t>(r.Battery)].VoltageOnly;
      for (const TCfgRow* row : r.Channels) {
        if (row->IsNull()) continue;
        holds = holds && (*row)[cHV] == first[cHV] && (*row)[cLV] == first[cLV];
        if (!vo) holds = holds && (*row)[cHZ] == first[cHZ] && (*row)[cLZ] == first[cLZ];
      }
      for (const TCfgRow* row : r.Sensors) {
        sensors = true;
        holds = holds && (*row)[cHT] == first[cHT] && (*row)[cLT] == first[cLT];
      }
      for (const TCfgRow* row : r.Probes) {
        if (!probe) probe = row;
        probes = true;
        holds = holds && (*row)[cHC] == (*probe)[cHC] && (*row)[cLC] == (*probe)[cLC];
      }
    }
    if (!holds) return;
    plan_.Settings.GlobalAlarmSetting = true;
    auto parsed = [](const std::string& text) {
      double value = -1;
      return ParseLimit(text, value) ? value : -1.0;
    };
    l.HighV = parsed(first[cHV]);
    l.LowV = parsed(first[cLV]);
    l.HighR = parsed(first[cHZ]);
    l.LowR = parsed(first[cLZ]);
    if (sensors) {
      l.HighT = parsed(first[cHT]);
      l.LowT = parsed(first[cLT]);
    }
    if (probes) {
      l.HighI = parsed((*probe)[cHC]);
      l.LowI = parsed((*probe)[cLC]);
    }
  }

  TPlanString PlanString(const TRecord& r, bool voltageOnly, double systemHZ, double systemLZ) {
    TPlanString s;
    s.Name = "String: " + r.Key.StrLbl;
    s.ControlUnit = r.Unit;
    s.JoinGroup = r.JoinGroup;
    for (const TCfgRow* row : r.Probes) {
      TPlanLeaf& p = s.Probes.emplace_back();
      p.HighAlarm = Limit(*row, cHC);
      p.LowAlarm = Limit(*row, cLC);
      if (!(*row)[cSP1].empty() && !ParseWhole((*row)[cSP1], p.ScaledCurrent)) {
        Problem(row->Line, "SP1 \"" + (*row)[cSP1] + "\" is not a whole number of amperes; the probe is left at 1000 A.");
        p.ScaledCurrent = 1000;
      }
    }
    for (const TCfgRow* row : r.Sensors) {
      TPlanLeaf& t = s.Sensors.emplace_back();
      t.Name = (*row)[cCellLbl];
      t.HighAlarm = SensorLimit(*row, cHT);
      t.LowAlarm = SensorLimit(*row, cLT);
    }
    std::vector<int> gaps;
    for (const TCfgRow* row : r.Channels) {
      if (row->IsNull()) {
        ++gaps.back();
        continue;
      }
      gaps.push_back(0);
      TPlanCell& c = s.Cells.emplace_back();
      const TCfgRow& cell = *row;
      if (cell[cCellLbl] != cell[cBlkFr]) c.Name = cell[cCellLbl];
      c.HighAlarm = Limit(cell, cHV);
      c.LowAlarm = Limit(cell, cLV);
      if (voltageOnly) {
        c.HighResistance = systemHZ;
        c.LowResistance = systemLZ;
      } else {
        c.HighResistance = Limit(cell, cHZ);
        c.LowResistance = Limit(cell, cLZ);
        c.VoltageOnlyState = cell[cTY] == "V" ? 1 : 0;
      }
      if (!cell[cBlkTo].empty()) {
        int from = 0, to = 0;
        ParseWhole(cell[cBlkFr], from);
        ParseWhole(cell[cBlkTo], to);
        c.BlocksPerChannel = to - from + 1;
        if (c.BlocksPerChannel < 2 || c.BlocksPerChannel > 12) {
          Problem(cell.Line, Format("Blk Fr %d to Blk To %d cannot be kept; a channel measures 2 to 12 blocks.", from,
                                    to));
          c.BlocksPerChannel = -1;
        }
      }
    }
    std::vector<int> nulls;
    if (!PlanRuns(gaps, s.SubStrings, nulls)) {
      Problem(r.FirstLine, "the null channels of " + NameOf(r.Key) +
                               " cannot be laid out as the file has them; each cell keeps at most 3.");
      s.SubStrings.clear();
      for (size_t i = 0; i < gaps.size(); ++i) nulls[i] = std::min(gaps[i], 3);
    }
    for (size_t i = 0; i < nulls.size(); ++i) s.Cells[i].NullCount = static_cast<std::uint8_t>(nulls[i]);
    return s;
  }

  void PlanNodes() {
    DetectVoltageOnly();
    DetectGlobalAlarms();
    plan_.Settings.ControlUnitButtons = static_cast<int>(units_.size());
    const TCfgRow& first = file_.Units[0].Inputs[0];
    double systemHZ = -1, systemLZ = -1;
    if (!ParseLimit(first[cHZ], systemHZ)) systemHZ = -1;
    if (!ParseLimit(first[cLZ], systemLZ)) systemLZ = -1;
    for (int b : BatteryOrder()) {
      const TBatteryInfo& info = batteries_[static_cast<size_t>(b)];
      TPlanBattery& battery = plan_.Batteries.emplace_back();
      battery.Name = "Battery: " + info.Label;
      battery.VoltageOnly = info.VoltageOnly;
      for (int r : StringOrder(info))
        battery.Strings.push_back(PlanString(records_[static_cast<size_t>(r)], info.VoltageOnly, systemHZ, systemLZ));
    }
  }

  const TCfgFile& file_;
  std::vector<TRecord> records_;
  std::vector<std::vector<int>> units_;
  std::vector<TBatteryInfo> batteries_;
  TPlan plan_;
};

}  // namespace

TPlan PlanDescription(const TCfgFile& file) { return TPlanner(file).Run(); }

}  // namespace zmimport
