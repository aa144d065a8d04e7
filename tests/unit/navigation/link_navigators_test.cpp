// The link-following kinds driven as the engine drives them, each URL loaded with its page's links:
// the edge cases of the queue, the stack, the scope test and the shuffle.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "common/preferences.h"
#include "navigation/breadth_first_navigator.h"
#include "navigation/random_web_navigator.h"
#include "tests/support/scripted_random.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

using namespace navigation_method;

// site: "PAGE LINK ...;PAGE ..." below http://h/. The URLs given, and the link store's records.
std::string Crawl(Navigator& navigator, const std::string& site) {
  std::map<std::string, std::vector<std::string>> links;
  std::istringstream pages(site);
  for (std::string page; std::getline(pages, page, ';');) {
    std::istringstream words(page);
    std::string name, link;
    words >> name;
    while (words >> link) links["http://h/" + name].push_back(link == "-" ? "" : link);
  }
  std::string opened;
  for (std::string url = navigator.nextUrl(); !url.empty(); url = navigator.nextUrl()) {
    opened += (url.rfind("http://h/", 0) == 0 ? url.substr(9) : url) + " ";
    navigator.pageLoaded(url, nullptr, &links[url]);
  }
  return opened + std::to_string(navigator.linkStore->Count());
}

TEST(LinkNavigators, OfferPagesInTheirOrderWithinTheScope) {
  struct Row {
    int kind, scope;
    const char* start;
    const char* site;
    const char* opened;
  };
  const Row rows[] = {
      // The second A is skipped as it is read: the first went into visited when it was taken.
      {1, kToAnywhere, "s", "s a b a", "s a b 4"},
      // Duplicates go first; B and A are pushed in that order, so A is on top.
      {2, kToAnywhere, "s", "s a b a", "s a b 3"},
      {1, kToAnywhere, "s", "s a b;a c", "s a b c 4"},
      {2, kToAnywhere, "s", "s a b;a c", "s a c b 4"},
      // The directory is a prefix of the path: /dirt passes with /dir.
      {1, kWithinCurrentDirectory, "dir/p", "dir/p sub/x /dirt/x /other/x http://g/dir/x",
       "dir/p dir/sub/x dirt/x 5"},
      {2, kWithinCurrentDirectory, "p", "p /a/b http://g/b", "p a/b 3"},
      // The host is compared byte for byte.
      {1, kWithinCurrentSite, "s", "s http://H/x /y/z", "s y/z 3"},
      // A place in a page, or an empty link, is that page; a directory is its default document.
      {1, kToAnywhere, "d/p", "d/p - # #top / q/ q/index.html#x mailto:x@h b.tar", "d/p  d/q/ 4"},
      {3, kToAnywhere, "", "", "0"},
  };
  for (const Row& row : rows) {
    testing::TestProcess process;
    process.preferences().navigationMethod = kBreadthFirst | row.scope;
    NavigatorPtr navigator = row.kind == 1   ? MakeBreadthFirstNavigator()
                             : row.kind == 2 ? MakeDepthFirstNavigator()
                                             : MakeRandomWebNavigator();
    if (*row.start != '\0') navigator->setStartUrl(std::string("http://h/") + row.start);
    EXPECT_EQ(Crawl(*navigator, row.site), row.opened) << row.kind << " " << row.site;
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
}

}  // namespace
}  // namespace corvisant
