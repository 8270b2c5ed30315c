// The fingerprint by which unsaved changes are found must see every value a
// site file holds: each value of generated site files is changed in turn, and
// whenever the changed file reads back to a different description, the
// fingerprint must differ too (and stay the same when it reads back the same).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <cctype>
#include <map>
#include <string>

#include "SiteModelGenerator.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFingerprint.h"

namespace {
// "/strings/12/cells/3/name" -> "/strings/#/cells/#/name"
std::string WithoutIndexes(const std::string& path) {
  std::string key;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const bool indexStart = path[i] == '/' && i + 1 < path.size() && std::isdigit(static_cast<unsigned char>(path[i + 1]));
    key += path[i];
    if (!indexStart) continue;
    key += '#';
    while (i + 1 < path.size() && std::isdigit(static_cast<unsigned char>(path[i + 1]))) ++i;
  }
  return key;
}
}  // namespace

TEST(SiteFingerprint, EveryValueOfTheSiteFileChangesIt) {
  using TJson = nlohmann::ordered_json;
  int checked = 0;
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    TzmUPSSystem system;
    TSiteSettings settings;
    TSiteModelGenerator(seed).Generate(system, settings);
    const std::string text = WriteSiteFile(system, settings);
    const std::uint64_t fingerprint = SiteFingerprint(system, settings);
    const TJson json = TJson::parse(text);
    std::map<std::string, int> perKey;  // each key path (indexes left out) a few times
    const TJson leaves = json.flatten();
    for (const auto& [path, value] : leaves.items()) {
      const std::string key = WithoutIndexes(path);
      if (++perKey[key] > 3) continue;
      TJson changed = json;
      TJson& v = changed[TJson::json_pointer(path)];
      if (v.is_boolean()) v = !v.get<bool>();
      else if (v.is_number_integer()) v = v.get<long long>() + 1;
      else if (v.is_number_float()) v = v.get<double>() + 0.5;
      else if (v.is_string()) v = v.get<std::string>() + "x";
      else continue;
      TzmUPSSystem other;
      TSiteSettings otherSettings;
      if (ReadSiteFile(changed.dump(), other, otherSettings)) continue;  // refused
      const bool sameFile = WriteSiteFile(other, otherSettings) == text;
      EXPECT_EQ(SiteFingerprint(other, otherSettings) == fingerprint, sameFile) << "seed " << seed << " " << path;
      ++checked;
    }
  }
  EXPECT_GT(checked, 300);
}
