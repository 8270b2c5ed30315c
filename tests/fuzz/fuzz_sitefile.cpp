// The site file reader: any text is refused or read; what is read writes back
// to a file that reads again to the same text.
#include "ModelChecks.h"
#include "sitefile/ZMSiteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TzmUPSSystem system;
  TSiteSettings settings;
  if (ReadSiteFile(std::string(reinterpret_cast<const char*>(data), size), system, settings)) return 0;
  CheckSubStringTables(system);
  const std::string written = WriteSiteFile(system, settings);
  TzmUPSSystem again;
  TSiteSettings againSettings;
  FUZZ_CHECK(!ReadSiteFile(written, again, againSettings));
  FUZZ_CHECK(againSettings == settings);
  FUZZ_CHECK(WriteSiteFile(again, againSettings) == written);
  return 0;
}
