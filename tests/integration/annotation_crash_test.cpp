// Kills a process that keeps attaching annotations at random moments, again and again, and
// checks after each kill that every attach that had returned can be read back and that the
// store still opens and takes new annotations. Afterwards Debian's db5.3_dump must read the
// table and list every URL.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/process_objects.h"
#include "platform/posix/posix_paths.h"
#include "tests/integration/annotation_workload.h"
#include "tests/support/scratch_directory.h"
#include "views/annotation_store.h"
#include "views/annotation_table_check.h"

namespace corvisant {
namespace {

constexpr int kMaxRounds = 250;
constexpr auto kTimeBudget = std::chrono::seconds(30);
constexpr int kMinRounds = 40;
// One round in this many kills at any moment from the start, the open included; the others wait
// for the first attach and kill in the middle of the run of attaches.
constexpr int kEarlyKillEvery = 5;
constexpr int kEarlyKillMaxMicroseconds = 150000;
constexpr int kLateKillMaxMicroseconds = 40000;
constexpr int kFirstLineTimeoutMilliseconds = 10000;

struct ChildRun {
  bool killed = false;
  int exitCode = 0;
  long lastConfirmed = -1;
};

// Reads what the child printed: one confirmed step per complete line.
void ReadConfirmations(int pipe, std::string* pending, ChildRun* run) {
  char chunk[4096];
  ssize_t count;
  while ((count = read(pipe, chunk, sizeof chunk)) > 0) pending->append(chunk, count);
  std::size_t lineEnd;
  while ((lineEnd = pending->find('\n')) != std::string::npos) {
    run->lastConfirmed = std::stol(pending->substr(0, lineEnd));
    pending->erase(0, lineEnd + 1);
  }
}

// The child attaching from firstStep on, count times (without end when negative), its output
// going to out.
pid_t StartChild(const std::string& root, long firstStep, long count, int out) {
  pid_t child = fork();
  if (child == 0) {
    dup2(out, STDOUT_FILENO);
    std::string first = std::to_string(firstStep), steps = std::to_string(count);
    execl(CORVISANT_CRASH_CHILD, CORVISANT_CRASH_CHILD, root.c_str(), first.c_str(),
          count < 0 ? nullptr : steps.c_str(), nullptr);
    _exit(127);
  }
  return child;
}

ChildRun RunAndKill(const std::string& root, long firstStep, bool early, int delayMicroseconds) {
  int pipes[2];
  EXPECT_EQ(pipe(pipes), 0);
  pid_t child = StartChild(root, firstStep, -1, pipes[1]);
  close(pipes[1]);
  if (!early) {
    pollfd waiting{pipes[0], POLLIN, 0};
    poll(&waiting, 1, kFirstLineTimeoutMilliseconds);
  }
  usleep(static_cast<useconds_t>(delayMicroseconds));
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ChildRun run;
  run.killed = WIFSIGNALED(status);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
  std::string pending;
  ReadConfirmations(pipes[0], &pending, &run);
  close(pipes[0]);
  return run;
}

// Every annotation that had been attached reads back; the step that was under way when the
// child died may have landed or not.
void ExpectEveryConfirmedAttach(AnnotationStore& store,
                                const std::map<std::string, std::string>& expected,
                                long stepUnderWay, int round) {
  testing::WorkloadStep underWay = testing::AnnotationWorkload(stepUnderWay);
  for (const auto& [url, text] : expected) {
    std::string found = store.Get(url);
    if (url == underWay.url && found == underWay.text) continue;
    ASSERT_EQ(found, text) << url << " after round " << round;
  }
}

void ExpectTheStoreWorks(AnnotationStore& store) {
  const char* probe = "http://probe.example/";
  ASSERT_TRUE(store.Put(probe, "probe"));
  ASSERT_EQ(store.Get(probe), "probe");
  ASSERT_EQ(store.Delete(probe), Removal::kRemoved);
}

std::string DumpTable(const std::string& path) {
  std::string command = "db5.3_dump -p '" + path + "' 2>&1";
  std::FILE* dump = popen(command.c_str(), "r");
  if (dump == nullptr) return std::string();
  std::string text;
  char chunk[4096];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, dump)) > 0) text.append(chunk, count);
  EXPECT_EQ(pclose(dump), 0) << text;
  return text;
}

TEST(AnnotationCrash, NoAttachThatReturnedIsLostWhenTheProcessIsKilled) {
  ProcessObjects process({SystemPorts()});
  Files& files = *Current<Files>();
  {
    testing::ScratchDirectory scratch(files);
    files.MakeDirectory("CorvisantDatabase");
    files.MakeDirectory("CorvisantDatabase\\etc");
    unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);

    std::map<std::string, std::string> expected;
    long nextStep = 0;
    int round = 0;
    auto start = std::chrono::steady_clock::now();
    for (; round < kMaxRounds && std::chrono::steady_clock::now() - start < kTimeBudget; ++round) {
      bool early = round % kEarlyKillEvery == 0;
      std::uniform_int_distribution<int> delay(
          0, early ? kEarlyKillMaxMicroseconds : kLateKillMaxMicroseconds);
      ChildRun run = RunAndKill(scratch.path(), nextStep, early, delay(random));
      ASSERT_TRUE(run.killed) << "the child ended by itself with " << run.exitCode;
      for (long step = nextStep; step <= run.lastConfirmed; ++step) {
        testing::WorkloadStep put = testing::AnnotationWorkload(step);
        expected[put.url] = put.text;
      }
      nextStep = std::max(nextStep, run.lastConfirmed + 1);

      AnnotationStore store;
      ASSERT_TRUE(store.Open()) << "after round " << round;
      ExpectEveryConfirmedAttach(store, expected, nextStep, round);
      ExpectTheStoreWorks(store);
      if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GE(round, kMinRounds);
    EXPECT_GT(expected.size(), static_cast<std::size_t>(kMinRounds)) << "too few attaches made";
    std::printf("%d kills, %ld attaches confirmed, %zu URLs\n", round, nextStep, expected.size());

    std::string dump = DumpTable(ToPosixPath(scratch.path() + "\\" + AnnotationTablePath()));
    for (const auto& [url, text] : expected) {
      EXPECT_NE(dump.find("\n " + url + "\n"), std::string::npos) << url;
    }
  }
}

// Two processes attaching to one store at once, as the tool may beside the program: each change
// holds the log's lock and first reads what the other wrote, so every attach of both reads back.
TEST(AnnotationCrash, TwoProcessesAttachingAtOnceLoseNothing) {
  constexpr long kAttaches = 400;
  constexpr long kSecondFirstStep = 100000;
  ProcessObjects process({SystemPorts()});
  Files& files = *Current<Files>();
  testing::ScratchDirectory scratch(files);
  files.MakeDirectory("CorvisantDatabase");
  files.MakeDirectory("CorvisantDatabase\\etc");
  int quiet = open("/dev/null", O_WRONLY);
  std::map<std::string, std::string> expected;
  std::vector<pid_t> children;
  for (long first : {0L, kSecondFirstStep}) {
    children.push_back(StartChild(scratch.path(), first, kAttaches, quiet));
    for (long step = first; step < first + kAttaches; ++step) {
      testing::WorkloadStep put = testing::AnnotationWorkload(step);
      expected[put.url] = put.text;
    }
  }
  close(quiet);
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  EXPECT_TRUE(TablePagesAreWhole(testing::ReadBytes(files, AnnotationTablePath())));
  AnnotationStore store;
  ASSERT_TRUE(store.Open());
  for (const auto& [url, text] : expected) EXPECT_EQ(store.Get(url), text) << url;
}

}  // namespace
}  // namespace corvisant
