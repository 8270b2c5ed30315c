#pragma once
// The help texts of the walk-through pages: one resource per question, named
// after it.
#include <array>
#include <string>

#include "walkthrough/fmWalkThroughPage.h"

inline constexpr int WalkThroughHelpCount = 22;

// Every help resource name, in the order of the pages.
const std::array<const char*, WalkThroughHelpCount>& WalkThroughHelpNames();

// The help resource of a page; empty for pages without one (the verification
// pages and the empty page). `variant` picks the second text of the pages that
// have two: the name page of a later battery, the name page of any string but
// the system's first, and the channel page of a string with sub-strings.
std::string WalkThroughHelpName(TWalkPageId page, bool variant = false);
