// zmconfig: its arguments and exit statuses in-process, and the real program
// run on the files in tests/data.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "TempFiles.h"
#include "cli/ZMConfigCli.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"

namespace {

struct TRun {
  int status = -1;
  std::string out, err;
};

TRun RunInProcess(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  TRun run;
  run.status = RunZmConfig(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Runs the built program; its standard error goes to a file in `folder`.
TRun RunProgram(const TTempFolder& folder, const std::string& args) {
  const std::string errFile = folder / "stderr.txt";
  const std::string command = std::string("'") + ZMCONFIG_PROGRAM + "' " + args + " 2>'" + errFile + "'";
  TRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadText(errFile);
  return run;
}

std::string Data(const std::string& name) { return std::string(ZM_TEST_DATA_DIR) + "/" + name; }

// One battery of one string with a probe and four cells, the string on no control unit.
std::string UnassignedSite(const TTempFolder& folder) {
  TzmUPSSystem system;
  system.BMU()->AddChild();
  system.GetBattery(0)->AddChild();
  TzmUPSStringSystemNode& s = *system.GetBattery(0)->GetString(0);
  s.SetCurrentCount(1);
  s.SetCellCount(4);
  const std::string path = folder / "unassigned.zmsite";
  SaveSiteFile(path, system, {});
  return path;
}

TEST(ZmConfigArguments, WrongArgumentsExitWithTwoAndSayWhy) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{}, "zmconfig: no command given.\nTry 'zmconfig --help'.\n"},
      {{"frob", "a.zmsite"}, "zmconfig: unknown command 'frob'.\nTry 'zmconfig --help'.\n"},
      {{"build", "a.zmsite"}, "zmconfig: build needs -o FILE, the file to write.\nTry 'zmconfig --help'.\n"},
      {{"check", "a.zmsite", "--force"}, "zmconfig: check does not take --force.\nTry 'zmconfig --help'.\n"},
      {{"report", "a.zmsite", "--battery", "1", "--hardware"},
       "zmconfig: --battery and --hardware cannot be given together.\nTry 'zmconfig --help'.\n"},
      {{"report", "a.zmsite", "--battery", "x"},
       "zmconfig: --battery needs a battery number from 1, not 'x'.\nTry 'zmconfig --help'.\n"},
      {{"import", "a.cfg", "b.cfg", "-o", "c"},
       "zmconfig: more than one file given ('a.cfg' and 'b.cfg').\nTry 'zmconfig --help'.\n"},
      {{"check", "/nonexistent/a.zmsite"},
       "zmconfig: /nonexistent/a.zmsite: The site file /nonexistent/a.zmsite cannot be opened: No such file or "
       "directory\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    const TRun run = RunInProcess(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, c.err);
  }
  const TRun version = RunInProcess({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "zmconfig 2.4\n");
}

TEST(ZmConfigArguments, AFailingVerificationStopsCheckAndBuildUnlessForced) {
  TTempFolder folder;
  const std::string site = UnassignedSite(folder);
  const TRun check = RunInProcess({"check", site});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out, site + ": All strings are not assigned to a Control Unit\n");

  const std::string cfg = folder / "BatConfig.cfg";
  const TRun build = RunInProcess({"build", site, "-o", cfg});
  EXPECT_EQ(build.status, 1);
  EXPECT_EQ(build.err, "zmconfig: " + site + ": All strings are not assigned to a Control Unit\n");
  EXPECT_FALSE(std::filesystem::exists(cfg));

  const TRun forced = RunInProcess({"build", site, "-o", cfg, "--force"});
  EXPECT_EQ(forced.status, 0);
  EXPECT_EQ(ReadText(cfg).substr(0, 8), "PC,PT,CU");
}

TEST(ZmConfigProgram, ImportThenBuildGivesEveryDataFileBackByteForByte) {
  TTempFolder folder;
  for (const char* name : {"NewUserTwoBatteries.cfg", "OneStringOfFourCells.cfg", "WalkThroughSuggestions.cfg"}) {
    SCOPED_TRACE(name);
    const std::string site = folder / "site.zmsite", built = folder / "built.cfg";
    TRun run = RunProgram(folder, "import '" + Data(name) + "' -o '" + site + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    run = RunProgram(folder, "build '" + site + "' -o '" + built + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadText(built), ReadText(Data(name)));
  }
}

TEST(ZmConfigProgram, ReportPrintsTheHardwareListOfTheImportedSite) {
  TTempFolder folder;
  const std::string site = folder / "site.zmsite";
  ASSERT_EQ(RunProgram(folder, "import '" + Data("NewUserTwoBatteries.cfg") + "' -o '" + site + "'").status, 0);
  const TRun run = RunProgram(folder, "report '" + site + "' --hardware");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, ReadText(Data("NewUserTwoBatteriesHardware.txt")));
}

TEST(ZmConfigProgram, ABinaryFileIsRefusedNamingTheFile) {
  TTempFolder folder;
  const std::string binary = folder / "photo.cfg";
  WriteText(binary, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  const TRun run = RunProgram(folder, "import '" + binary + "' -o '" + (folder / "x.zmsite") + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "zmconfig: The file " + binary + " cannot be imported. Line 2: holds binary data (byte 0x1A); "
                     "this is not a configuration file.\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "x.zmsite"));
}

}  // namespace
