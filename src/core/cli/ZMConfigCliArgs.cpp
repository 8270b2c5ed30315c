#include "cli/ZMConfigCliArgs.h"

#include <set>

#include "import/ZMConfigImportFile.h"

namespace {

// Options each command takes.
bool Takes(const std::string& command, const std::string& option) {
  static const std::set<std::pair<std::string, std::string>> allowed = {
      {"build", "-o"}, {"build", "--force"}, {"import", "-o"}, {"auto-assign", "-o"},
      {"report", "--battery"}, {"report", "--hardware"}};
  return allowed.count({command, option}) > 0;
}

}  // namespace

std::string CliUsage() {
  return "Usage: zmconfig COMMAND FILE [OPTIONS]\n"
         "\n"
         "Commands:\n"
         "  build SITE.zmsite -o BatConfig.cfg [--force]\n"
         "      Verify the description, build the configuration grid and write the\n"
         "      configuration file. --force builds even when the verification fails.\n"
         "  check SITE.zmsite\n"
         "      Verify the description and print the error list of its build.\n"
         "  report SITE.zmsite [--battery N | --hardware]\n"
         "      Print the configuration of battery N (from 1), the hardware list, or,\n"
         "      without an option, every battery followed by the hardware list.\n"
         "  import BatConfig.cfg -o SITE.zmsite\n"
         "      Make a site file from a configuration file.\n"
         "  auto-assign SITE.zmsite -o OUT.zmsite\n"
         "      Put every string on a control unit automatically.\n"
         "\n"
         "Options:\n"
         "  -o, --output FILE   the file to write\n"
         "  --help              show this text\n"
         "  --version           show the program's version\n"
         "\n"
         "Exit status: 0 done, 1 the check or the build failed, 2 bad arguments or a\n"
         "file that cannot be read or written.\n";
}

TCliParse ParseCliArgs(const std::vector<std::string>& args) {
  TCliParse parse;
  auto fail = [&parse](const std::string& error) {
    parse.Error = error;
    return parse;
  };
  TCliArgs a;
  if (args.empty()) return fail("no command given.");
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      a.Command = "help";
      parse.Args = a;
      return parse;
    }
  }
  if (args[0] == "--version") {
    if (args.size() > 1) return fail("--version takes no arguments.");
    a.Command = "version";
    parse.Args = a;
    return parse;
  }
  static const std::set<std::string> commands = {"build", "check", "report", "import", "auto-assign"};
  if (!commands.count(args[0])) return fail("unknown command '" + args[0] + "'.");
  a.Command = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    std::string arg = args[i], value;
    bool hasValue = false;
    if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
      value = arg.substr(arg.find('=') + 1);
      arg = arg.substr(0, arg.find('='));
      hasValue = true;
    }
    if (arg == "--output") arg = "-o";
    if (arg.size() > 1 && arg[0] == '-') {
      if (arg != "-o" && arg != "--force" && arg != "--battery" && arg != "--hardware")
        return fail("unknown option '" + args[i] + "'.");
      if (!Takes(a.Command, arg)) return fail(a.Command + " does not take " + arg + ".");
      const bool needsValue = arg == "-o" || arg == "--battery";
      if (needsValue && !hasValue) {
        if (i + 1 >= args.size()) return fail(arg + " needs a value.");
        value = args[++i];
      } else if (!needsValue && hasValue) {
        return fail(arg + " takes no value.");
      }
      if (arg == "-o") {
        if (!a.Output.empty()) return fail("-o is given twice.");
        if (value.empty()) return fail("-o needs a file name.");
        a.Output = value;
      } else if (arg == "--force") {
        a.Force = true;
      } else if (arg == "--hardware") {
        a.Hardware = true;
      } else if (!zmimport::ParseWhole(value, a.Battery) || a.Battery < 1) {
        return fail("--battery needs a battery number from 1, not '" + value + "'.");
      }
      continue;
    }
    if (!a.File.empty()) return fail("more than one file given ('" + a.File + "' and '" + arg + "').");
    a.File = arg;
  }
  if (a.File.empty()) return fail(a.Command + " needs a file.");
  const bool writes = a.Command == "build" || a.Command == "import" || a.Command == "auto-assign";
  if (writes && a.Output.empty()) return fail(a.Command + " needs -o FILE, the file to write.");
  if (a.Hardware && a.Battery > 0) return fail("--battery and --hardware cannot be given together.");
  parse.Args = a;
  return parse;
}
