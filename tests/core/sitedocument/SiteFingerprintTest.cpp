// The fingerprint by which unsaved changes are found must see every value a
// site file holds: each value of generated site files is changed in turn, and
// whenever the changed file reads back to a different description, the
// fingerprint must differ too (and stay the same when it reads back the same).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <map>
#include <string>

#include "SiteModelGenerator.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFingerprint.h"

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
      const std::string key = std::regex_replace(path, std::regex("/[0-9]+"), "/#");
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
