// Kills a process that keeps replacing a 10 MB stored page and saving the preferences, at random
// moments, again and again; after each kill the page holds the whole bytes of one of its forms
// (never a cut or mixed one) and the preferences load whole, as a step the child had reached.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>

#include "app/preferences_file.h"
#include "app/process_objects.h"
#include "tests/integration/page_replace_workload.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

constexpr int kRounds = 100;
constexpr int kMaxKillMicroseconds = 400000;

// Starts the child from step and kills it after delay; true when it was killed, not ended.
bool RunAndKill(const std::string& root, long step, int delayMicroseconds) {
  pid_t child = fork();
  if (child == 0) {
    std::string first = std::to_string(step);
    execl(CORVISANT_PAGE_CHILD, CORVISANT_PAGE_CHILD, root.c_str(), first.c_str(), nullptr);
    _exit(127);
  }
  usleep(static_cast<useconds_t>(delayMicroseconds));
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status);
}

TEST(PageReplaceCrash, APageAndThePreferencesAreAlwaysWhole) {
  ProcessObjects process({SystemPorts()});
  Files& files = *Current<Files>();
  testing::ScratchDirectory scratch(files);
  for (const char* directory : {"h1", "CorvisantDatabase", "CorvisantDatabase\\etc"}) {
    ASSERT_EQ(files.MakeDirectory(directory), 0);
  }
  unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delay(0, kMaxKillMicroseconds);
  long highest = -1;
  int pagesSeen = 0;
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_TRUE(RunAndKill(scratch.path(), highest + 1, delay(random))) << "round " << round;
    std::string page = testing::ReadBytes(files, testing::kCrashPagePath);
    if (page.empty()) continue;  // killed before the first page was whole
    ++pagesSeen;
    long step = testing::CrashPageStep(page);
    ASSERT_TRUE(page == testing::CrashPage(step, false) || page == testing::CrashPage(step, true))
        << "a cut page of " << page.size() << " bytes after round " << round;
    highest = std::max(highest, step);
    std::string saved = testing::ReadBytes(files, "CorvisantDatabase\\etc\\preferences");
    if (saved.empty()) continue;
    SoundList sounds;
    Preferences preferences;
    ParsePreferences(saved, preferences, sounds);
    ASSERT_EQ(FormatPreferences(preferences, sounds), saved) << "round " << round;
    ASSERT_LE(preferences.showPage, highest) << "round " << round;
  }
  EXPECT_GT(pagesSeen, kRounds / 2);
  std::printf("%d kills, %ld steps\n", kRounds, highest + 1);
}

}  // namespace
}  // namespace corvisant
