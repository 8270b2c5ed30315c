#pragma once
// The GUI benchmark program's own command line: with kPeakMemoryOption it
// runs the peak memory scenario in a fresh process and prints the peak in MB.
inline constexpr const char* kPeakMemoryOption = "--peak-memory-run";

// The path of this program, to start it afresh.
const char* SelfPath();
// The peak memory scenario; returns the process's exit code.
int PeakMemoryRun();
