#pragma once
// The failures a write can meet at each step of the safe writer, for tables of cases.
#include <cerrno>

#include "common/ZMSafeFile.h"

struct TWriteFault {
  TSafeWriteStep step;
  int error;
};

inline constexpr TWriteFault kWriteFaults[] = {{TSafeWriteStep::Open, EACCES},
                                               {TSafeWriteStep::Write, ENOSPC},
                                               {TSafeWriteStep::Sync, EIO},
                                               {TSafeWriteStep::Rename, EBUSY}};
