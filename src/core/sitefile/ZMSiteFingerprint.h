#pragma once
// A cheap fingerprint of everything a site file holds: two descriptions whose
// site files are the same have the same fingerprint, and (but for a 64-bit
// hash collision) different ones differ. It walks the model once without
// building any text, so the program can tell after each input whether the
// description has unsaved changes, even on the largest system.
#include <cstdint>

#include "sitefile/ZMSiteFile.h"

std::uint64_t SiteFingerprint(const TzmUPSSystem& system, const TSiteSettings& settings);
