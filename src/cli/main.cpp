// zmconfig: the command-line program over the core (no Qt).
#include <iostream>
#include <string>
#include <vector>

#include "cli/ZMConfigCli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunZmConfig(args, std::cout, std::cerr);
}
