// The configuration file importer: any text is refused or imported; an
// imported description holds together and can be kept as a site file.
#include "ModelChecks.h"
#include "import/ZMConfigImport.h"
#include "sitefile/ZMSiteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TFuzzBytes none(nullptr, 0);
  TFuzzUserInterface ui(none);
  TzmUPSSystem system;
  TSiteSettings settings;
  const TConfigImportResult result =
      ImportConfigFile(std::string(reinterpret_cast<const char*>(data), size), system, settings, ui);
  if (!result.Imported) {
    FUZZ_CHECK(!result.Refusal.empty());
    return 0;
  }
  CheckSubStringTables(system);
  try {
    const std::string site = WriteSiteFile(system, settings);
    TzmUPSSystem again;
    TSiteSettings againSettings;
    FUZZ_CHECK(!ReadSiteFile(site, again, againSettings));
  } catch (const ESiteFileWriteError&) {
    // A name that is not UTF-8 cannot be kept; that is reported, not a fault.
  }
  return 0;
}
