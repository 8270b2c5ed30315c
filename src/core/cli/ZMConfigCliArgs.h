#pragma once
// zmconfig's arguments: a command, one file and the options the command takes.
#include <optional>
#include <string>
#include <vector>

struct TCliArgs {
  std::string Command;  // "build", "check", "report", "import", "auto-assign", "help", "version"
  std::string File;
  std::string Output;   // -o, --output
  bool Force = false;   // --force
  bool Hardware = false;  // --hardware
  int Battery = 0;      // --battery N (from 1); 0 when not given
};

// The arguments, or the reason they are wrong (for "zmconfig: ...").
struct TCliParse {
  std::optional<TCliArgs> Args;
  std::string Error;
};

TCliParse ParseCliArgs(const std::vector<std::string>& args);

// The text of --help.
std::string CliUsage();
