// Kills a process that keeps replacing a 10 MB stored page and saving the preferences, at random
// moments, again and again; after each kill the page holds the whole bytes of one of its forms
// (never a cut or mixed one) and the preferences load whole, as a step the child had reached. The
// child is this program again, started with "--child STORE_ROOT FIRST_STEP": without end, it
// writes the page anew, has it rewritten and saves the preferences with the step as "show page".
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>

#include "app/preferences_file.h"
#include "app/process_objects.h"
#include "html/stored_page_rewriter.h"
#include "tests/support/scratch_directory.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

constexpr int kRounds = 100;
constexpr int kMaxKillMicroseconds = 400000;
constexpr const char* kChildFlag = "--child";
constexpr const char* kPageUrl = "http://h1/p.html";
constexpr const char* kPagePath = "h1\\p.html";
constexpr std::size_t kFiller = 10 * 1024 * 1024;

// The page of a step: its step in its first line, a link that the rewrite makes local, a filler
// that changes from step to step.
std::string Page(long step, bool rewritten) {
  constexpr int kLetters = 26;
  return "<html><!-- step " + std::to_string(step) + " --><a href=\"" +
         (rewritten ? "../h2/x.html" : "http://h2/x.html") + "\">x</a>" +
         std::string(kFiller, static_cast<char>('a' + step % kLetters)) + "</html>";
}

long StepOf(const std::string& page) {
  constexpr std::size_t kStepAt = 16;
  return page.size() > kStepAt ? std::atol(page.c_str() + kStepAt) : -1;
}

int RunChild(const char* root, long step) {
  ProcessObjects process({SystemPorts()});
  if (!Current<Files>()->ChangeDirectory(root)) return 2;
  SoundList sounds;
  Preferences preferences;
  for (std::string title;; ++step) {
    if (!WriteWholeFile(kPagePath, Page(step, false))) return 3;
    if (RewriteStoredPage(kPageUrl, kPageUrl, kPagePath, &title) != 0) return 4;
    preferences.showPage = static_cast<int>(step);
    if (!SavePreferences(preferences, sounds)) return 5;
  }
}

// Starts the child from step and kills it after delay; true when it was killed, not ended.
bool RunAndKill(const std::string& root, long step, int delayMicroseconds) {
  pid_t child = fork();
  if (child == 0) {
    std::string first = std::to_string(step);
    execl("/proc/self/exe", "page_replace_crash_test", kChildFlag, root.c_str(), first.c_str(),
          nullptr);
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
  bool preferencesSeen = false;
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_TRUE(RunAndKill(scratch.path(), highest + 1, delay(random))) << "round " << round;
    std::string page = testing::ReadBytes(files, kPagePath);
    // Empty only while no page has been whole yet.
    ASSERT_FALSE(page.empty() && pagesSeen > 0) << "the page was lost after round " << round;
    if (page.empty()) continue;
    ++pagesSeen;
    long step = StepOf(page);
    ASSERT_TRUE(page == Page(step, false) || page == Page(step, true))
        << "a cut page of " << page.size() << " bytes after round " << round;
    highest = std::max(highest, step);
    std::string saved = testing::ReadBytes(files, "CorvisantDatabase\\etc\\preferences");
    ASSERT_FALSE(saved.empty() && preferencesSeen) << "the preferences were lost, round " << round;
    if (saved.empty()) continue;
    preferencesSeen = true;
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

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == corvisant::kChildFlag) {
    return corvisant::RunChild(argv[2], std::atol(argv[3]));
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
