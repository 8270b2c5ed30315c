#pragma once
// Invariants of a model that the fuzz targets check.
#include "../support/ModelInvariants.h"
#include "FuzzSupport.h"

// Every split string's sub-strings hold exactly its cells.
inline void CheckSubStringTables(const TzmUPSSystem& system) { FUZZ_CHECK(SubStringTablesBroken(system).empty()); }
