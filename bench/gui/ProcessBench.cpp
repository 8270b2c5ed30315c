// Whole processes: the program started on a site file of the largest
// installation until its window is shown and idle, and the peak resident
// memory of a fresh process that works on that installation's grid.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "GuiBenchMain.h"
#include "GuiBenchWindow.h"

extern char** environ;

namespace {
// Starts `argv` with `extraEnv` added (its notes on standard error dropped) and returns the first line it writes
// to standard output (empty if none), and the seconds until that line came.
std::string FirstLine(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                      double& seconds) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args, env;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (char** e = environ; *e; ++e) env.push_back(*e);
  for (const std::string& e : extraEnv) env.push_back(const_cast<char*>(e.c_str()));
  env.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  std::string line;
  char c = 0;
  while (spawned == 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n') line += c;
  seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ::close(pipeFds[0]);
  if (spawned == 0) ::waitpid(pid, nullptr, 0);
  return line;
}

// The program started on the site file (with its own empty settings and
// state folders) until it reports its window shown and idle.
void BM_GuiStartUpToIdle(benchmark::State& state) {
  TTempFolder folder;
  {
    TzmUPSSystem system;
    TSiteSettings settings;
    BuildLargestSystem(system, settings);
    SaveSiteFile(folder / "largest.zmsite", system, settings);
  }
  const std::vector<std::string> env = {"ZM_TEST_QUIT_WHEN_IDLE=1", "HOME=" + folder / "home",
                                        "XDG_CONFIG_HOME=" + folder / "config", "XDG_STATE_HOME=" + folder / "state"};
  for (auto _ : state) {
    double seconds = 0;
    if (FirstLine({ZM_PROGRAM, folder / "largest.zmsite"}, env, seconds) != "idle")
      state.SkipWithError("the program did not report itself idle");
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_GuiStartUpToIdle)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

// A fresh run of this program measures the peak: see PeakMemoryRun.
void BM_GuiPeakMemoryGridWithLineUndo(benchmark::State& state) {
  double mb = 0;
  for (auto _ : state) {
    double seconds = 0;
    const std::string line = FirstLine({SelfPath(), kPeakMemoryOption}, {}, seconds);
    mb = line.empty() ? 0 : std::atof(line.c_str());
    if (mb <= 0) state.SkipWithError("the fresh process reported no peak");
    state.SetIterationTime(seconds);
  }
  state.counters["peak_rss_mb"] = mb;
}
BENCHMARK(BM_GuiPeakMemoryGridWithLineUndo)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// The peak resident memory of this process so far, in MB (VmHWM).
double PeakResidentMb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 0;
  char line[256];
  double kb = 0;
  while (std::fgets(line, sizeof line, status))
    if (std::sscanf(line, "VmHWM: %lf kB", &kb) == 1) break;
  std::fclose(status);
  return kb / 1024.0;
}
}  // namespace

int PeakMemoryRun() {
  TBenchWindow w;
  if (!w.opened) return 1;
  w.ToGridPageEditing();
  TEditStringGrid* grid = w.Grid();
  grid->setFocus();
  for (int i = 0; i < 20; ++i) {
    grid->Grid().MoveCurrent(1, 10 + i);
    w.services.messages.Answer(TMsgAnswer::Yes);
    w.Key(grid, Qt::Key_Insert, Qt::ShiftModifier);
  }
  if (grid->Grid().RowCount() != kLargestGridRows + 20) return 1;
  QAction* undo = w.Named("actGridEditUndo");
  for (int i = 0; i < 20; ++i) {
    w.RefreshGridActions();
    undo->trigger();
    TBenchWindow::Settle();
  }
  if (grid->Grid().RowCount() != kLargestGridRows || grid->Grid().CanUndo()) return 1;
  std::printf("%.1f\n", PeakResidentMb());
  return 0;
}
