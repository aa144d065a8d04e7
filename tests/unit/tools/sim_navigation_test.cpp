// sim navigate and sim replay as scripts meet them: the pages a run opens, in order, then how it
// ended, over a small site served by the browser in the process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_process.h"
#include "tests/support/tool_capture.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

struct Row {
  std::vector<std::string> args;
  int status;
  std::string out;
};

std::string Opens(std::initializer_list<const char*> urls, const char* end) {
  std::string out;
  for (const char* url : urls) out += std::string("open ") + url + "\n";
  return out + end + "\n";
}

TEST(SimNavigation, RunsOpenTheirPagesInOrderAndSayHowTheyEnded) {
  testing::TestProcess process;
  for (const char* directory : {"site", "site\\h", "site\\h\\dir"}) {
    ASSERT_EQ(process.files().MakeDirectory(directory), 0);
  }
  const std::pair<const char*, const char*> pages[] = {
      {"site\\h\\index.html", "<html><a href=a.html>a</a><a href=b.html#x>b</a></html>"},
      {"site\\h\\a.html", "<html><a href=dir/c.html>c</a><a href=http://g/>g</a></html>"},
      {"site\\h\\b.html", "<html><a href=index.html>i</a></html>"},
      {"site\\h\\dir\\c.html", "<html><title>c</title></html>"},
  };
  for (const auto& [name, bytes] : pages) ASSERT_TRUE(process.Write(name, bytes));
  const std::string site = process.root() + "\\site";
  const std::string list = process.root() + "\\trip";
  auto sim = [&site](std::vector<std::string> words) {
    words.insert(words.begin(), {"sim", "--site", site, "--seed", "7"});
    return words;
  };
  const Row rows[] = {
      {sim({"visit", "http://h/b.html"}), 0, "history http://h/b.html\thttp://h/b.html\nstored=1\n"},
      // The start is the newest visit.
      {sim({"navigate", "--method", "bfs", "--scope", "site", "--show", "1"}), 0,
       Opens({"http://h/b.html", "http://h/index.html", "http://h/a.html", "http://h/dir/c.html"},
             "finished")},
      {sim({"navigate", "--method", "dfs", "--start", "http://h/index.html", "--scope", "any"}), 0,
       Opens({"http://h/index.html", "http://h/a.html", "http://h/dir/c.html", "http://g/",
              "http://h/b.html"},
             "finished")},
      {sim({"navigate", "--method", "bfs", "--start", "http://h/index.html", "--steps", "2"}), 0,
       Opens({"http://h/index.html", "http://h/a.html"}, "stopped")},
      {sim({"navigate", "--method", "rider"}), 0, "finished\n"},
      {sim({"navigate", "--method", "url-list", "--steps", "1"}), 0, "finished\n"},
      {sim({"navigate", "--method", "local"}), 1, ""},
      {sim({"navigate", "--method", "crawl"}), 2, ""},
      {{"list", "append", list, "http://h/a.html", "a", "1"}, 0, ""},
      {{"list", "append", list, "http://h/b.html", "b", "2"}, 0, ""},
      {{"list", "append", list, "http://h/dir/c.html", "c", "3"}, 0, ""},
      {sim({"replay", list, "--from", "0", "--to", "2", "--back"}), 0,
       Opens({"http://h/dir/c.html", "http://h/b.html", "http://h/a.html"}, "finished")},
      {sim({"replay", list, "--from", "1", "--to", "2", "--forward", "--repeat", "--steps", "3"}),
       0, Opens({"http://h/b.html", "http://h/dir/c.html", "http://h/b.html"}, "stopped")},
      {sim({"replay", list, "--from", "1", "--to", "3", "--forward"}), 1, ""},
      {sim({"replay", list, "--from", "1", "--to", "2"}), 2, ""},
  };
  for (const Row& row : rows) {
    tool::Arguments args(row.args.begin(), row.args.end());
    testing::ToolRun run = testing::RunToolCaptured(process.process(), args);
    EXPECT_EQ(run.status, row.status) << ::testing::PrintToString(row.args);
    if (row.status != 2) {
      EXPECT_EQ(run.out, row.out) << ::testing::PrintToString(row.args);
    }
  }
  auto run = [&process](const std::vector<std::string>& words) {
    return testing::RunToolCaptured(process.process(), tool::Arguments(words.begin(), words.end()));
  };
  // The random picks are the same for the same seed: from a list, from the store's pages (the
  // density files made by the first run), from the web.
  const std::pair<std::vector<std::string>, std::string> random[] = {
      {sim({"navigate", "--method", "url-list", "--list", list, "--steps", "4"}), "stopped\n"},
      {sim({"navigate", "--method", "local", "--steps", "3"}), "stopped\n"},
      {sim({"navigate", "--method", "local", "--steps", "3", "--density", "use-old"}), "stopped\n"},
      {sim({"navigate", "--method", "random-web", "--start", "http://h/index.html"}), "finished\n"},
  };
  std::string picks;
  for (const auto& [words, end] : random) {
    std::string first = run(words).out;
    picks += first;
    EXPECT_EQ(run(words).out, first) << words[6];
    EXPECT_EQ(first.substr(first.rfind('\n', first.size() - 2) + 1), end) << words[6];
  }
  // The local picks are pages of the store.
  const std::string storePage = "open file://" + StoreRootUrlPath() + "/";
  int storePages = 0;
  for (std::size_t at = picks.find(storePage); at != std::string::npos;
       at = picks.find(storePage, at + 1)) {
    ++storePages;
  }
  EXPECT_EQ(storePages, 6);
  // "Cancel" leaves the run nothing to show.
  EXPECT_EQ(run(sim({"navigate", "--method", "local", "--steps", "2", "--density", "cancel"})).out,
            "finished\n");
}

}  // namespace
}  // namespace corvisant
