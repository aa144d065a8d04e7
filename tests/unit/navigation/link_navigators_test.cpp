// The link-following kinds as the engine drives them: each URL a navigator gives is loaded with
// the links its page holds, until nextUrl gives nothing. The rows are the edge cases of the
// queue, the stack, the scope test and the shuffle.
#include <gtest/gtest.h>

#include <map>

#include "common/preferences.h"
#include "navigation/breadth_first_navigator.h"
#include "navigation/random_web_navigator.h"
#include "tests/support/scripted_random.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

using Site = std::map<std::string, std::vector<std::string>>;
using namespace navigation_method;

std::string Crawl(Navigator& navigator, const Site& site) {
  constexpr int kMostPages = 20;
  std::string opened;
  for (int page = 0; page < kMostPages; ++page) {
    std::string url = navigator.nextUrl();
    if (url.empty()) return opened;
    opened += (opened.empty() ? "" : " ") + url;
    auto links = site.find(url);
    std::vector<std::string> none;
    navigator.pageLoaded(url, nullptr, links == site.end() ? &none : &links->second);
  }
  return opened + " ...";
}

struct Row {
  int kind;
  int scope;
  const char* start;
  Site site;
  const char* opened;
  int records;  // in the link store at the end
};

TEST(LinkNavigators, OfferPagesInTheirOrderWithinTheScope) {
  const Row rows[] = {
      // The second A is skipped when it is read: the first was put into visited when taken.
      {1,
       kToAnywhere,
       "http://h/s.html",
       {{"http://h/s.html", {"a.html", "b.html", "a.html"}}},
       "http://h/s.html http://h/a.html http://h/b.html",
       4},
      // Duplicates go first; B and A are pushed in that order, so A is on top.
      {2,
       kToAnywhere,
       "http://h/s.html",
       {{"http://h/s.html", {"a.html", "b.html", "a.html"}}},
       "http://h/s.html http://h/a.html http://h/b.html",
       3},
      {1,
       kToAnywhere,
       "http://h/s.html",
       {{"http://h/s.html", {"a.html", "b.html"}}, {"http://h/a.html", {"c.html"}}},
       "http://h/s.html http://h/a.html http://h/b.html http://h/c.html",
       4},
      {2,
       kToAnywhere,
       "http://h/s.html",
       {{"http://h/s.html", {"a.html", "b.html"}}, {"http://h/a.html", {"c.html"}}},
       "http://h/s.html http://h/a.html http://h/c.html http://h/b.html",
       4},
      // The directory is a prefix of the path: /dirt passes with /dir.
      {1,
       kWithinCurrentDirectory,
       "http://h/dir/page.html",
       {{"http://h/dir/page.html",
         {"sub/x.html", "/dirt/x.html", "/other/x.html", "http://g/dir/x.html"}}},
       "http://h/dir/page.html http://h/dir/sub/x.html http://h/dirt/x.html",
       5},
      {2,
       kWithinCurrentDirectory,
       "http://h/page.html",
       {{"http://h/page.html", {"/a/b.html", "http://g/b.html"}}},
       "http://h/page.html http://h/a/b.html",
       3},
      // The host is compared byte for byte.
      {1,
       kWithinCurrentSite,
       "http://h/s.html",
       {{"http://h/s.html", {"http://H/x.html", "/y/z.html"}}},
       "http://h/s.html http://h/y/z.html",
       3},
      // A place in a page is that page, as an empty link is; a directory is its default document.
      {1,
       kToAnywhere,
       "http://h/d/p.html",
       {{"http://h/d/p.html",
         {"", "#", "#top", "/", "q/", "q/index.html#x", "mailto:x@h", "b.tar"}}},
       "http://h/d/p.html http://h/ http://h/d/q/",
       4},
      {3, kToAnywhere, "", {}, "", 0},
  };
  for (const Row& row : rows) {
    testing::TestProcess process;
    process.preferences().navigationMethod = kBreadthFirst | row.scope;
    NavigatorPtr navigator = row.kind == 1   ? MakeBreadthFirstNavigator()
                             : row.kind == 2 ? MakeDepthFirstNavigator()
                                             : MakeRandomWebNavigator();
    navigator->setStartUrl(row.start);
    EXPECT_EQ(Crawl(*navigator, row.site), row.opened) << row.kind << " " << row.start;
    EXPECT_EQ(navigator->linkStore->Count(), row.records) << row.kind << " " << row.start;
  }
}

TEST(LinkNavigators, TheRandomWebShuffleMovesTheDrawnLinkToTheEnd) {
  testing::TestProcess process;
  RandomWebNavigator navigator;
  // Index (b + a x 32768) mod n, six times for three links: 2, 1, 0, 2, 0, 1.
  testing::ScriptedRandom draws{1, 0, 0, 1, 0, 0, 0, 2, 1, 1, 2, 0};
  Installed<Random> scripted(&draws);
  std::vector<std::string> links = {"a", "b", "c"};
  navigator.reorderLinks(links);
  EXPECT_EQ(links, (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(draws.drawCount(), 12);
}

TEST(LinkNavigators, NothingOfARunOutlivesItsNavigator) {
  testing::TestProcess process;
  std::string temp = process.root() + "\\CorvisantDatabase\\temp";
  {
    BreadthFirstNavigator navigator;
    navigator.setStartUrl("http://h/s.html");
    EXPECT_EQ(process.files().List(temp, "*").size(), 3u);
  }
  EXPECT_TRUE(process.files().List(temp, "*").empty());
}

}  // namespace
}  // namespace corvisant
