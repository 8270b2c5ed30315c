#pragma once
// The program's version: four numbers (major, minor, release, build) compiled in
// from the build's project version, and the short text shown in the about box.
#include <cstdint>
#include <optional>
#include <string>

struct TVersionNumbers {
  std::uint16_t Major = 0;
  std::uint16_t Minor = 0;
  std::uint16_t Release = 0;
  std::uint16_t Build = 0;
};

// The numbers this program was built with; none when the build gave no version.
std::optional<TVersionNumbers> ProgramVersionNumbers();

// "Unknown" when there are no numbers or all four are 0; otherwise major and
// minor in decimal joined by "." (2.4 for version 2.4.0.1).
std::string VersionText(const std::optional<TVersionNumbers>& numbers);

// The version text of the running program.
std::string ProgramVersionText();
