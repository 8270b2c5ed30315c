// The settings file and form storage readers: any file loads (a text that is
// not a number is refused with the conversion error), and a file written back
// reads again to the values saved and settles: it does not grow on every write.
#include <unistd.h>

#include <fstream>

#include "FuzzSupport.h"
#include "alarms/ZMIniFile.h"
#include "alarms/fmAlarmSetDefaults.h"
#include "common/ZMFormat.h"
#include "wizard/MainSettings.h"

namespace {
const std::string& ScratchFile() {
  static const std::string path = "/tmp/zm_fuzz_settings." + std::to_string(::getpid()) + ".ini";
  return path;
}

void Put(const std::string& text) { std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << text; }

// The defaults the file gives, or the key where loading stopped.
std::string Loaded(const TZMIniFile& ini) {
  TAlarmDefaults defaults;
  std::string result;
  try {
    defaults.LoadAlarmDefaults(ini);
  } catch (const EConvertError& e) {
    result = e.what();
  }
  for (int k = 0; k < adkCount; ++k)
    result += "|" + FormatFloatGeneral(defaults.Value(static_cast<TAlarmDefaultKey>(k)), 17);
  return result;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  Put(std::string(reinterpret_cast<const char*>(data), size));
  std::string text, loaded;
  {
    TZMIniFile ini(ScratchFile());
    loaded = Loaded(ini);
    std::string folder;
    ReadSettings(ScratchFile(), folder);
    const TFormPlacement placement = TFormStorage(ScratchFile()).Restore(613, 480);
    FUZZ_CHECK(placement.Width >= 613 && placement.Height >= 480);
    TAlarmDefaults defaults;
    defaults.SaveAlarmDefaults(ini);
    text = ini.Text();
  }
  // The file as written back reads to what was saved, and writes the same again.
  Put(text);
  TZMIniFile again(ScratchFile());
  // Blank lines around comments settle on the next write; after that the file
  // stays as it is.
  Put(again.Text());
  const std::string settled = TZMIniFile(ScratchFile()).Text();
  Put(settled);
  FUZZ_CHECK(TZMIniFile(ScratchFile()).Text() == settled);
  static const std::string builtIn = [] {
    TZMIniFile none("/nonexistent/zm_fuzz.ini");
    return Loaded(none);
  }();
  FUZZ_CHECK(Loaded(again) == builtIn);
  return 0;
}
