// Tests of the suite registry: registration files, ending the suite class by class in order, this
// process spared, stale and recycled entries removed without a signal.
#include "platform/suite_registry.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;
using namespace talpora;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-suite-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  return d;
}

std::set<std::string> names(const fs::path& dir) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
  return out;
}

int g_orderPipe = -1;  // the child's end of the pipe it reports its SIGTERM on
char g_tag = '?';

extern "C" void onTerm(int) {
  [[maybe_unused]] auto n = ::write(g_orderPipe, &g_tag, 1);
  ::_exit(0);
}

// A child program: registers `cls`, says it is ready, then waits for SIGTERM, which it reports on
// `orderPipe` with `tag`.
pid_t startChild(const fs::path& dir, const std::string& cls, char tag, int orderPipe) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ready[0]);
    g_orderPipe = orderPipe;
    g_tag = tag;
    struct sigaction sa {};
    sa.sa_handler = onTerm;
    ::sigaction(SIGTERM, &sa, nullptr);
    {
      SuiteRegistry child(dir);
      child.registerSelf(cls);
      char r = 'r';
      [[maybe_unused]] auto n = ::write(ready[1], &r, 1);
      for (int i = 0; i < 200; ++i) ::usleep(50'000);  // ten seconds at most
    }
    ::_exit(3);
  }
  ::close(ready[1]);
  char r = 0;
  [[maybe_unused]] auto n = ::read(ready[0], &r, 1);
  ::close(ready[0]);
  return pid;
}

pid_t startSleeper() {
  const pid_t pid = ::fork();
  if (pid == 0) {
    for (int i = 0; i < 200; ++i) ::usleep(50'000);
    ::_exit(0);
  }
  return pid;
}
}  // namespace

TEST(SuiteRegistry, StartTimeOfLiveAndEndedProcesses) {
  EXPECT_TRUE(processStartTime(::getpid()).has_value());
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  // Ended but not yet reaped (a zombie) counts as ended, and so does a reaped one.
  for (int i = 0; i < 100 && processStartTime(pid); ++i) ::usleep(10'000);
  EXPECT_FALSE(processStartTime(pid).has_value());
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_FALSE(processStartTime(pid).has_value());
  EXPECT_FALSE(processStartTime(0).has_value());
}

TEST(SuiteRegistry, RegistersUnderClassAndPidAndUnregistersAtExit) {
  const fs::path dir = freshDir("reg");
  const std::string mine = "CNPlisti." + std::to_string(::getpid());
  {
    SuiteRegistry reg(dir);
    ASSERT_TRUE(reg.usable());
    EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
    reg.registerSelf("CNPlisti");
    EXPECT_EQ(names(dir), (std::set<std::string>{mine}));
    std::ifstream in(dir / mine);
    unsigned long long start = 0;
    in >> start;
    EXPECT_EQ(start, processStartTime(::getpid()).value());
    ASSERT_EQ(reg.live("CNPlisti").size(), 1u);
    // A second registration replaces the first; names that could leave the folder are refused.
    reg.registerSelf("predCC");
    EXPECT_EQ(names(dir), (std::set<std::string>{"predCC." + std::to_string(::getpid())}));
    reg.registerSelf("../evil");
    EXPECT_TRUE(names(dir).empty());
    EXPECT_FALSE(SuiteRegistry::validClassName("a.b"));
    EXPECT_FALSE(SuiteRegistry::validClassName(""));
    reg.registerSelf("Synastry");
  }
  EXPECT_TRUE(names(dir).empty());
  fs::remove_all(dir);
}

TEST(SuiteRegistry, ClosesClassByClassInOrderSparingItselfAndDroppingStaleEntries) {
  const fs::path dir = freshDir("close");
  SuiteRegistry reg(dir);
  reg.registerSelf("CNPlisti");  // this process: never signalled

  int order[2];
  ASSERT_EQ(::pipe(order), 0);
  // Started in the reverse of the closing order.
  const pid_t grid = startChild(dir, "grids", 'g', order[1]);
  const pid_t pred = startChild(dir, "predCC", 'p', order[1]);
  const pid_t list = startChild(dir, "CNPlisti", 'l', order[1]);
  ASSERT_GT(grid, 0);
  ASSERT_GT(pred, 0);
  ASSERT_GT(list, 0);

  // A stale entry (the process has ended) and a recycled number (alive, started at another time).
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  int status = 0;
  ::waitpid(gone, &status, 0);
  std::ofstream(dir / ("predCC." + std::to_string(gone))) << "12345\n";
  const pid_t stranger = startSleeper();
  std::ofstream(dir / ("candraw." + std::to_string(stranger))) << "1\n";

  const std::string_view classes[] = {"CNPlisti", "predCC", "Synastry", "candraw", "grids"};
  reg.closeAll(classes);

  char seen[4] = {};
  ASSERT_EQ(::read(order[0], seen, 3), 3);
  EXPECT_EQ(std::string(seen, 3), "lpg");
  ASSERT_EQ(reg.signalled().size(), 3u);
  EXPECT_EQ(reg.signalled()[0], (std::pair<std::string, pid_t>{"CNPlisti", list}));
  EXPECT_EQ(reg.signalled()[1], (std::pair<std::string, pid_t>{"predCC", pred}));
  EXPECT_EQ(reg.signalled()[2], (std::pair<std::string, pid_t>{"grids", grid}));
  for (pid_t child : {list, pred, grid}) {
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child " << child;
  }
  // The stranger got no signal; only this process's own entry is left.
  EXPECT_TRUE(processStartTime(stranger).has_value());
  EXPECT_EQ(names(dir), (std::set<std::string>{"CNPlisti." + std::to_string(::getpid())}));
  ::kill(stranger, SIGKILL);
  ::waitpid(stranger, &status, 0);
  ::close(order[0]);
  ::close(order[1]);
  reg.unregister();
  fs::remove_all(dir);
}

TEST(SuiteRegistry, FolderThatIsNotOursDisablesIt) {
  const fs::path file = freshDir("notdir");
  std::ofstream(file) << "x";
  SuiteRegistry reg(file);
  EXPECT_FALSE(reg.usable());
  reg.registerSelf("CNPlisti");  // harmless
  const std::string_view classes[] = {"CNPlisti"};
  reg.closeAll(classes);
  EXPECT_TRUE(reg.signalled().empty());
  fs::remove(file);
}

TEST(SuiteRegistry, DefaultFolderFollowsTheRuntimeDirectory) {
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old ? old : "";
  ::setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
  EXPECT_EQ(defaultSuiteRegistryDir(), fs::path("/run/user/4242/talpora"));
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(defaultSuiteRegistryDir(), fs::path("/tmp/talpora-" + std::to_string(::getuid())));
  if (old) ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}
