// sim navigate and sim replay: the pages a run opens, in order, then how it ended.
#include <gtest/gtest.h>

#include "tests/support/test_process.h"
#include "tests/support/tool_capture.h"

namespace corvisant {
namespace {

TEST(SimNavigation, RunsOpenTheirPagesInOrderAndSayHowTheyEnded) {
  testing::TestProcess process;
  ASSERT_EQ(process.files().MakeDirectory("site"), 0);
  ASSERT_EQ(process.files().MakeDirectory("site\\h"), 0);
  ASSERT_TRUE(process.Write("site\\h\\i.html", "<html><a href=a.html>a</a><a href=b.html>b</a>"));
  ASSERT_TRUE(process.Write("site\\h\\a.html", "<html><a href=b.html#x>b</a>"));
  const std::string list = process.root() + "\\trip";
  auto run = [&process](std::vector<std::string> words) {
    if (words[0] == "sim") words.insert(words.begin() + 1, {"--site", process.root() + "\\site"});
    testing::ToolRun ran =
        testing::RunToolCaptured(process.process(), {words.begin(), words.end()});
    return std::to_string(ran.status) + " " + ran.out;
  };
  std::string transcript;
  for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
           {"sim", "visit", "http://h/a.html"},
           // The start is the newest visit.
           {"sim", "navigate", "--method", "bfs", "--scope", "site", "--show", "1"},
           {"sim", "navigate", "--method", "dfs", "--start", "http://h/i.html", "--steps", "2"},
           {"sim", "navigate", "--method", "rider"},
           {"list", "append", list, "http://h/a.html", "a", "1"},
           {"list", "append", list, "http://h/b.html", "b", "2"},
           {"sim", "replay", list, "--from", "0", "--to", "1", "--back", "--repeat", "--steps",
            "3"},
           {"sim", "replay", list, "--from", "0", "--to", "2", "--forward"},
           {"sim", "navigate", "--method", "url-list"},
           {"sim", "navigate", "--method", "crawl"}}) {
    transcript += run(words);
  }
  EXPECT_EQ(transcript,
            "0 history http://h/a.html\thttp://h/a.html\nstored=1\n"
            "0 open http://h/a.html\nopen http://h/b.html\nfinished\n"
            "0 open http://h/i.html\nopen http://h/a.html\nstopped\n"
            "0 open http://h/i.html\nfinished\n0 0 "
            "0 open http://h/b.html\nopen http://h/a.html\nopen http://h/b.html\nstopped\n"
            "1 1 2 ");
  // The random pick is the same for the same seed.
  std::vector<std::string> pick = {"sim",      "--seed", "7",  "navigate", "--method",
                                   "url-list", "--list", list, "--steps",  "6"};
  EXPECT_EQ(run(pick), run(pick));
}

}  // namespace
}  // namespace corvisant
