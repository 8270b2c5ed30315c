// Importing configuration files the program wrote: the description builds the
// same bytes again.
#include <gtest/gtest.h>

#include "FakeUserInterface.h"
#include "SiteModelGenerator.h"
#include "import/ZMConfigImport.h"
#include "model/ZMUPSTreeSystem.h"

namespace {

// The window builds a file only once every string is on a control unit.
bool EveryStringAssigned(const TzmUPSSystem& system) {
  bool all = true;
  system.ForEachNode({}, [&all](TzmUPSStringSystemNode* s) { all = all && s->ControlUnit() >= 0; });
  return all;
}

TEST(ImportRoundTrip, GeneratedInstallationsBuildTheSameFileAfterImport) {
  int checked = 0;
  for (std::uint32_t seed = 1; seed <= 600; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TzmUPSSystem original;
    TSiteSettings settings;
    TSiteModelGenerator(seed).Generate(original, settings);
    if (!EveryStringAssigned(original)) continue;
    const std::string file = ConfigFileTextOf(original, settings);

    TzmUPSSystem imported;
    TSiteSettings importedSettings;
    TFakeErrorList errors;
    const TConfigImportResult result = ImportConfigFile(file, imported, importedSettings, errors);
    ASSERT_TRUE(result.Imported) << result.Refusal;
    EXPECT_EQ(result.Problems, std::vector<std::string>());
    EXPECT_EQ(ConfigFileTextOf(imported, importedSettings), file);
    ++checked;
  }
  EXPECT_GE(checked, 300);
}

}  // namespace
