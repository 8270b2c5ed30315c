#include "import/ZMConfigImport.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <fstream>
#include <iterator>

#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"
#include "config/BuildConfigGrid.h"
#include "import/ZMConfigImportFile.h"
#include "import/ZMConfigImportPlan.h"
#include "model/ZMUPSTreeSystem.h"

namespace {

using namespace zmimport;

// Far above the largest configuration file (32 control units of 255 DCMs).
constexpr std::size_t kLargestFile = 64u << 20;
// Differences listed one by one before the rest are counted.
constexpr int kMostDifferences = 50;

// The rows the grid builder makes, kept as they are.
class TRowsTarget : public IConfigGridTarget {
 public:
  std::vector<std::vector<std::string>> Rows;
  void SetColCount(int) override {}
  void SetRowCount(int count) override { Rows.resize(static_cast<size_t>(count), std::vector<std::string>(kConfigGridColumns)); }
  void SetFixedRows(int) override {}
  void SetCell(int col, int row, const std::string& text) override {
    Rows[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
  }
  void SetColWidthForText(int, const std::string&) override {}
};

class TSilentErrors : public IErrorList {
 public:
  void Clear() override {}
  void Add(const std::string&) override {}
  int Count() const override { return 0; }
  void Show() override {}
};

TControlUnitStringList ControlUnitsOf(const TzmUPSSystem& system, int units) {
  TControlUnitStringList list(static_cast<size_t>(units));
  system.ForEachNode({}, [&list](TzmUPSStringSystemNode* s) {
    if (s->ControlUnit() >= 0 && s->ControlUnit() < static_cast<int>(list.size()))
      list[static_cast<size_t>(s->ControlUnit())].push_back(s);
  });
  return list;
}

// Builds the plan's description and lists every row of the file that it does
// not give back as the file has it.
void CompareWithBuild(const TPlan& plan, const TCfgFile& file, std::vector<std::pair<int, std::string>>& problems) {
  TzmUPSSystem scratch;
  ApplyPlan(plan, scratch);
  const TControlUnitStringList units = ControlUnitsOf(scratch, plan.Settings.ControlUnitButtons);
  TRowsTarget target;
  TSilentErrors errors;
  TConfigGridBuilder(scratch, units, target, errors,
                     {plan.Settings.GlobalAlarmSetting, plan.Settings.AlarmDialog.Limits})
      .BuildConfigGrid();
  std::vector<const TCfgRow*> rows;
  for (const TCfgUnit& unit : file.Units) {
    for (const TCfgRow& row : unit.Inputs) rows.push_back(&row);
    for (const TCfgRow& row : unit.Channels) rows.push_back(&row);
  }
  int listed = 0, more = 0;
  const size_t common = std::min(rows.size(), target.Rows.size() - 1);
  for (size_t i = 0; i < common; ++i) {
    const TCfgRow& row = *rows[i];
    const std::vector<std::string>& built = target.Rows[i + 1];
    for (size_t c = 0; c < built.size(); ++c) {
      if (row.F[c] == built[c]) continue;
      if (listed++ < kMostDifferences)
        problems.emplace_back(row.Line, Format("%s reads \"%s\" in the file but \"%s\" in the imported description.",
                                               kConfigGridHeaders[c], row.F[c].c_str(), built[c].c_str()));
      else
        ++more;
      break;
    }
  }
  if (rows.size() != target.Rows.size() - 1) {
    const int line = rows.empty() ? 1 : rows[std::min(common, rows.size() - 1)]->Line;
    problems.emplace_back(line, Format("the file has %zu rows after the header, the imported description builds %zu.",
                                       rows.size(), target.Rows.size() - 1));
  }
  if (more > 0) problems.emplace_back(rows.back()->Line, Format("and %d more rows differ.", more));
  ClearSystem(scratch);
}

}  // namespace

TConfigImportResult ImportConfigFile(const std::string& text, TzmUPSSystem& system, TSiteSettings& settings,
                                     IErrorList& errors) {
  TConfigImportResult result;
  TPlan plan;
  try {
    if (text.size() > kLargestFile)
      throw EImportRefused{1, Format("the file is %zu bytes, far more than any configuration file.", text.size())};
    const TCfgFile file = ReadConfigRows(DecodeConfigText(text));
    plan = PlanDescription(file);
    std::vector<std::pair<int, std::string>> differences;
    CompareWithBuild(plan, file, differences);
    // A row listed already is not listed again for what follows from it.
    std::set<int> listed;
    for (const auto& problem : plan.Problems) listed.insert(problem.first);
    for (auto& difference : differences)
      if (!listed.count(difference.first)) plan.Problems.push_back(std::move(difference));
    std::stable_sort(plan.Problems.begin(), plan.Problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  } catch (const EImportRefused& refused) {
    result.Refusal = Format("Line %d: %s", refused.Line, refused.Reason.c_str());
    return result;
  }
  ApplyPlan(plan, system);
  settings = plan.Settings;
  result.Imported = true;
  errors.Clear();
  for (const auto& [line, text] : plan.Problems) {
    result.Problems.push_back(Format("Line %d: %s", line, text.c_str()));
    errors.Add(result.Problems.back());
  }
  if (errors.Count() > 0) errors.Show();
  return result;
}

TConfigImportResult ImportConfigFileAt(const std::string& path, TzmUPSSystem& system, TSiteSettings& settings,
                                       IErrorList& errors) {
  TConfigImportResult result;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    result.Refusal = "The configuration file " + path + " cannot be read: it is a folder.";
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    result.Refusal = "The configuration file " + path + " cannot be opened: " + std::strerror(errno);
    return result;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > static_cast<std::streamoff>(kLargestFile)) {
    result.Refusal = Format("The file %s is not a configuration file: it is %lld bytes, far more than any "
                            "configuration file.", path.c_str(), static_cast<long long>(size));
    return result;
  }
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) {
    result.Refusal = "The configuration file " + path + " cannot be read: " + std::strerror(errno);
    return result;
  }
  result = ImportConfigFile(text, system, settings, errors);
  if (!result.Imported) result.Refusal = "The file " + path + " cannot be imported. " + result.Refusal;
  return result;
}
