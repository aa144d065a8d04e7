#include "html/stored_page_rewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_ids.h"
#include "tests/unit/html/page_rewrite_fixture.h"

namespace corvisant {
namespace {

using testing::kPagePath;
using testing::PageRewriteTest;

struct PageCase {
  const char* name;
  const char* pageUrl;
  std::string page;
  std::string expected;
  int result;
  std::vector<std::string> links;
};

// Each page is written, rewritten as the copy of its URL, and read back whole: the expected bytes
// were written by hand from the rules, so a longer or shorter result shows as well.
TEST_F(PageRewriteTest, RewritesPagesByteForByte) {
  const std::string longTarget = "http://h1/a/b/c/d.html";
  const PageCase cases[] = {
      {"plain text is not HTML and stays",
       "http://h1/a/b.html",
       "just words, no tags\n",
       "just words, no tags\n",
       -1,
       {}},
      {"another site and a site-absolute link",
       "http://h1/a/b.html",
       "<html><a href=\"http://h2/x.html\">x</a><a href=/c/d.html>y</a></html>",
       "<html><a href=\"../../h2/x.html\">x</a><a href=../c/d.html>y</a></html>",
       0,
       {"http://h2/x.html", "/c/d.html"}},
      {"mailto and news are neither rewritten nor collected",
       "http://h1/a/b.html",
       "<html><a href=\"mailto:me@h1\">m</a><a href=news:comp.lang>n</a></html>",
       "<html><a href=\"mailto:me@h1\">m</a><a href=news:comp.lang>n</a></html>",
       0,
       {}},
      {"an anchor around an ismap image gets the click",
       "http://h1/a/b.html",
       "<html><a href=\"map.html\"><img src=\"m.gif\" ISMAP></a></html>",
       "<html><a href=\"map.html^11,9\"><img src=\"m.gif\" ISMAP></a></html>",
       0,
       {"map.html?11,9"}},
      {"an ismap image after the next anchor does not count",
       "http://h1/a/b.html",
       "<html><a href=a.html>a</a><a href=b.html><img src=m.gif ismap></a></html>",
       "<html><a href=a.html>a</a><a href=b.html^11,9><img src=m.gif ismap></a></html>",
       0,
       {"a.html", "b.html?11,9"}},
      {"a stored entity is replaced with the whole value",
       "http://h1/a/b.html",
       "<html><a href=\"http://h2/q?a=1&amp;b=2\">q</a></html>",
       "<html><a href=\"../../h2/q^a=1&b=2\">q</a></html>",
       0,
       {"http://h2/q?a=1&b=2"}},
      {"a base tag is commented out and followed",
       "http://h1/a/b.html",
       "<html><base href=\"http://h3/d/x.html\"><a href=\"y.html\">y</a></html>",
       "<html><!-- == <base href=\"http://h3/d/x.html\"> == --><a href=\"../../h3/d/y.html\">y"
       "</a></html>",
       0,
       {"http://h3/d/y.html"}},
      {"a shorter page is cut to its new length",
       "http://h1/x.html",
       "<html><a href=\"" + longTarget + "\">d</a></html>",
       "<html><a href=\"../h1/a/b/c/d.html\">d</a></html>",
       0,
       {longTarget}},
      {"a longer page grows",
       "http://h1/a/b/c.html",
       "<html><a href=/c.html>c</a></html>",
       "<html><a href=../../c.html>c</a></html>",
       0,
       {"/c.html"}},
      {"a directory link gets its default document",
       "http://h1/a.html",
       "<html><a href=\"http://h2/\">h2</a><a href=\"#top\">t</a></html>",
       "<html><a href=\"../h2/index.html\">h2</a><a href=\"#top\">t</a></html>",
       0,
       {"http://h2/", "#top"}},
      {"a meta refresh keeps its delay",
       "http://h1/i.html",
       "<html><meta http-equiv=refresh content=\"5; URL=http://h2/n.html\"></html>",
       "<html><meta http-equiv=refresh content=\"5; URL=../h2/n.html\"></html>",
       0,
       {}},
      {"background, frame, input and embed sources",
       "http://h1/i.html",
       "<html><body background=\"http://h2/bg.gif\"><frame src=\"http://h2/f.html\">"
       "<input type=image src=/b.gif><embed src=http://h2/s.mid lowsrc=http://h2/l.gif></html>",
       "<html><body background=\"../h2/bg.gif\"><frame src=\"../h2/f.html\">"
       "<input type=image src=b.gif><embed src=../h2/s.mid lowsrc=../h2/l.gif></html>",
       0,
       {}},
      {"names a file system would misread get their stored form",
       "http://h1/i.html",
       "<html><a href=\"http://h1/con.html\">c</a><a href=\"http://h1/dir./x.html\">d</a>"
       "<a href=\"aux\">a</a><a href=\"http://corvisantdatabase/x.html\">r</a></html>",
       "<html><a href=\"../h1/con_.html\">c</a><a href=\"../h1/dir_/x.html\">d</a>"
       "<a href=\"aux_\">a</a><a href=\"../corvisantdatabase_/x.html\">r</a></html>",
       0,
       {"http://h1/con.html", "http://h1/dir./x.html", "aux", "http://corvisantdatabase/x.html"}},
      {"the token right after a title tag is not handled",
       "http://h1/i.html",
       "<html><title><a href=\"http://h2/a.html\"><a href=\"http://h2/b.html\"></a></html>",
       "<html><title><a href=\"http://h2/a.html\"><a href=\"../h2/b.html\"></a></html>",
       0,
       {"http://h2/b.html"}},
      {"a value that gains a space is quoted",
       "http://h1/i.html",
       "<html><a href=http://h2/a&#32;b.html>s</a></html>",
       "<html><a href=\"../h2/a b.html\">s</a></html>",
       0,
       {"http://h2/a b.html"}},
      {"a quote cannot end a rewritten value early",
       "http://h1/i.html",
       "<html><base href=\"javascript:q\"><a href=\"x#&quot;\">j</a></html>",
       "<html><!-- == <base href=\"javascript:q\"> == --><a href=\"javascript://x#&quot;\">j</a>"
       "</html>",
       0,
       {"javascript://x#\""}},
      {"other schemes and empty values stay as they stand",
       "http://h1/i.html",
       "<html><a href=\"https://h2/\">s</a><a href=\"\">e</a><a href=\"javascript:go('x')\">j</a>"
       "<img src=\"data:image/gif;base64,R0l\"></html>",
       "<html><a href=\"https://h2/\">s</a><a href=\"\">e</a><a href=\"javascript:go('x')\">j</a>"
       "<img src=\"data:image/gif;base64,R0l\"></html>",
       0,
       {"https://h2/", "", "javascript:go('x')"}},
      {"bytes after a NUL byte are kept",
       "http://h1/i.html",
       std::string("<html><a href=/x.html>x</a>\0tail", 32),
       std::string("<html><a href=x.html>x</a>\0tail", 31),
       0,
       {"/x.html"}},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Write(c.page));
    RewriteOutcome outcome;
    EXPECT_EQ(Rewrite(c.pageUrl, nullptr, &outcome), c.result);
    EXPECT_EQ(Read(), c.expected);
    EXPECT_EQ(outcome.links, c.links);
  }
  EXPECT_TRUE(reporter_.ids().empty());
}

TEST_F(PageRewriteTest, TakesTheTitleOfTheLastTitleTagWithText) {
  const std::string longTitle(1100, 'x');
  struct TitleCase {
    std::string page;
    std::string title;
  };
  const TitleCase cases[] = {
      {"<title>A</title>", "A"},
      {"<title>  \t A b </title>", "A b "},
      {"<title>" + longTitle + "</title>", longTitle.substr(0, 1024)},
      {"<title>one\r\ntwo\nthree</title>", "one  two three"},
      {"<title></title><p>body", ""},
      {"<title>first</title><title>second</title>", "second"},
      {"<html><title>", ""},
  };
  for (const TitleCase& c : cases) {
    SCOPED_TRACE(c.page.substr(0, 40));
    ASSERT_TRUE(Write(c.page));
    std::string title = "stale";
    EXPECT_EQ(Rewrite("http://h1/i.html", &title), 0);
    EXPECT_EQ(title, c.title);
  }
}

TEST_F(PageRewriteTest, ImagesOfThePageAreDeferredWithTheirStoredNames) {
  ASSERT_TRUE(
      Write("<html><img lowsrc=\"l.gif\" src=\"http://h2/p%20q.jpg\"><input src=\"/b.gif\">"
            "<embed src=\"e.gif\"><img src=\"file:///x.gif\"><img "
            "src=\"c/%2e%2e/%2e%2e/x.gif\"></html>"));
  RewriteOutcome outcome;
  std::string title;
  ASSERT_EQ(
      RewriteStoredPage("http://h1/a/i.html", "http://h1/a/i.html?r", kPagePath, &title, &outcome),
      0);
  const std::vector<std::vector<std::string>> expected = {
      {"http://h1/a/l.gif", "h1\\a\\l.gif"},
      {"http://h2/p%20q.jpg", "h2\\p q.jpg"},
      {"http://h1/b.gif", "h1\\b.gif"},
      {"http://h1/a/c/%2e%2e/%2e%2e/x.gif", "h1\\a\\c\\__\\__\\x.gif"},
  };
  ASSERT_EQ(images_.deferred.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(images_.deferred[i].reportedUrl, "http://h1/a/i.html?r");
    EXPECT_EQ(images_.deferred[i].imageUrl, expected[i][0]);
    EXPECT_EQ(images_.deferred[i].localName, expected[i][1]);
    EXPECT_EQ(outcome.images[i].localName, expected[i][1]);
  }
}

TEST_F(PageRewriteTest, ImagesAreQueuedOnlyWhenTheDecisionAndSettingsAllowIt) {
  const std::string page = "<html><img src=a.gif><noframes><img src=b.gif></noframes></html>";
  struct QueueCase {
    const char* name;
    bool navigatorActive;
    bool browserKnown;
    const char* browserUrl;
    int keepLocalCopies;
    int recordLevel;
    std::size_t deferred;
  };
  const QueueCase cases[] = {
      {"no navigator", false, false, "", 1, record_level::kEveryType, 1},
      {"navigator, browser shows the page", true, true, "http://h1/i.html", 1,
       record_level::kEveryType, 1},
      {"navigator, browser shows another page", true, true, "http://h1/j.html", 1,
       record_level::kEveryType, 0},
      {"navigator, browser names none", true, false, "", 1, record_level::kEveryType, 0},
      {"no local copies kept", false, false, "", 0, record_level::kEveryType, 0},
      {"HTML documents only", false, false, "", 1, record_level::kHtmlOnly, 0},
  };
  for (const QueueCase& c : cases) {
    SCOPED_TRACE(c.name);
    images_.deferred.clear();
    navigation_.active = c.navigatorActive;
    browser_.known = c.browserKnown;
    browser_.current = c.browserUrl;
    preferences_.keepLocalCopies = c.keepLocalCopies;
    preferences_.recordLevel = c.recordLevel | record_level::kRefreshNever;
    ASSERT_TRUE(Write(page));
    ASSERT_EQ(Rewrite("http://h1/i.html"), 0);
    EXPECT_EQ(images_.deferred.size(), c.deferred);
  }
}

TEST_F(PageRewriteTest, FrameTagsLetTheFramePagesQueueTheirImages) {
  navigation_.active = true;
  browser_.known = true;
  browser_.current = "http://h1/frames.html";
  ASSERT_TRUE(Write("<html><frameset><frame src=l.html><frame src=r.html></frameset></html>"));
  clock_.Advance(7);
  ASSERT_EQ(Rewrite("http://h1/frames.html"), 0);
  EXPECT_EQ(PendingFrames(), 2);
  EXPECT_EQ(LastFrameTagTime(), testing::kRewriteTestTime + 7);
  for (int remaining : {1, 0}) {
    images_.deferred.clear();
    ASSERT_TRUE(Write("<html><img src=a.gif></html>"));
    ASSERT_EQ(Rewrite("http://h1/l.html"), 0);
    EXPECT_EQ(images_.deferred.size(), 1u);
    EXPECT_EQ(PendingFrames(), remaining);
  }
  images_.deferred.clear();
  ASSERT_TRUE(Write("<html><img src=a.gif></html>"));
  ASSERT_EQ(Rewrite("http://h1/r.html"), 0);
  EXPECT_TRUE(images_.deferred.empty());
  EXPECT_EQ(PendingFrames(), 0);
}

TEST_F(PageRewriteTest, HandsTheTextLinksAndVisitTagsOn) {
  const std::string page =
      "<html><a href=x.html>x</a><visit href=A spend=10secs><visit href=B><visit repeat=2></html>";
  ASSERT_TRUE(Write(page));
  navigation_.active = true;
  std::string title;
  ASSERT_EQ(RewriteStoredPage("http://h1/i.html", "http://h1/i.html#r", kPagePath, &title, nullptr),
            0);
  EXPECT_EQ(keywords_.pages, std::vector<std::string>{page});
  ASSERT_EQ(navigation_.loaded.size(), 1u);
  EXPECT_EQ(navigation_.loaded[0].reportedUrl, "http://h1/i.html#r");
  EXPECT_EQ(navigation_.loaded[0].links, std::vector<std::string>{"x.html"});
  EXPECT_EQ(navigation_.loaded[0].tokenCount, 8u);
  ASSERT_EQ(replay_.takenOver.size(), 1u);
  const VisitTagList& visits = replay_.takenOver[0];
  ASSERT_EQ(visits.items.size(), 2u);
  EXPECT_EQ(visits.items[0].href, "A");
  EXPECT_EQ(visits.items[0].spend, 10);
  EXPECT_EQ(visits.items[1].href, "B");
  EXPECT_EQ(visits.items[1].spend, kDefaultVisitSpend);
  EXPECT_EQ(visits.repeat, 2);

  preferences_.miscellaneous = 0;
  navigation_.active = false;
  ASSERT_TRUE(Write(page));
  RewriteOutcome outcome;
  ASSERT_EQ(Rewrite("http://h1/i.html", nullptr, &outcome), 0);
  EXPECT_EQ(replay_.takenOver.size(), 1u);
  EXPECT_FALSE(outcome.hasVisitTags);
  EXPECT_EQ(navigation_.loaded.size(), 1u);
}

TEST_F(PageRewriteTest, AFileThatCannotBeOpenedIsReportedUnlessItIsAQueryCopy) {
  std::string title = "stale";
  EXPECT_EQ(RewriteStoredPage("http://h1/q?a", "http://h1/q?a", "h1\\q^a", &title, nullptr), -1);
  EXPECT_TRUE(reporter_.ids().empty());
  EXPECT_EQ(
      RewriteStoredPage("http://h1/m.html", "http://h1/m.html", "h1\\m.html", &title, nullptr), -1);
  EXPECT_EQ(reporter_.ids(), std::vector<int>{message::kCantOpenHtmlForRewrite});
  ASSERT_EQ(reporter_.reports()[0].arguments.size(), 1u);
  EXPECT_EQ(reporter_.reports()[0].arguments[0].text, "h1\\m.html");
  EXPECT_EQ(reporter_.reports()[0].selfCloseSeconds, kReportClosesAfter5s);
  EXPECT_EQ(title, "");
}

}  // namespace
}  // namespace corvisant
