#pragma once
// The control unit table of the walk-through's reports, made from the control
// units the description's strings are on (not from a new placement).
#include "walkthrough/fmWalkThroughReports.h"

TControlUnitTable ControlUnitTableOf(const TzmUPSSystem& system);
