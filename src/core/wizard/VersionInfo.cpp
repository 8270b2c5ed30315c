#include "wizard/VersionInfo.h"

// The build passes ZM_VERSION_MAJOR ... ZM_VERSION_BUILD; a part the project
// version leaves out arrives empty, which "(part + 0)" turns into 0.
#if defined(ZM_VERSION_MAJOR) && defined(ZM_VERSION_MINOR) && defined(ZM_VERSION_RELEASE) && \
    defined(ZM_VERSION_BUILD)
#define ZM_HAVE_VERSION 1
#endif

std::optional<TVersionNumbers> ProgramVersionNumbers() {
#ifdef ZM_HAVE_VERSION
  return TVersionNumbers{static_cast<std::uint16_t>(ZM_VERSION_MAJOR + 0),
                         static_cast<std::uint16_t>(ZM_VERSION_MINOR + 0),
                         static_cast<std::uint16_t>(ZM_VERSION_RELEASE + 0),
                         static_cast<std::uint16_t>(ZM_VERSION_BUILD + 0)};
#else
  return std::nullopt;
#endif
}

std::string VersionText(const std::optional<TVersionNumbers>& numbers) {
  if (!numbers) return "Unknown";
  const TVersionNumbers& v = *numbers;
  if (v.Major == 0 && v.Minor == 0 && v.Release == 0 && v.Build == 0) return "Unknown";
  return std::to_string(v.Major) + "." + std::to_string(v.Minor);
}

std::string ProgramVersionText() { return VersionText(ProgramVersionNumbers()); }
