// The rewrite of a stored page, and the title read from the head of a stored file. The fuzz
// property rewrite_page checks on any bytes that only the page is written, that a page left
// unrewritten keeps its bytes and that deferred images get safe names; these tests check what the
// rewrite makes of each kind of page, byte for byte.
#include "html/stored_page_rewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/title_extraction.h"
#include "tests/support/faulty_files.h"
#include "tests/support/recording_handoffs.h"
#include "tests/support/test_process.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

using testing::kTestTime;
constexpr const char* kPage = "page.html";

testing::TestProcessOptions Over(Files* files) {
  testing::TestProcessOptions options;
  options.files = files;
  return options;
}

// A test process with the default preferences (local copies of every type kept, Visit tags
// followed) and the hand-off doubles installed: no navigator active, the browser names no URL.
class RewriteTest : public ::testing::Test {
 protected:
  // Writes page at kPage and rewrites it as the copy of pageUrl, reported by the browser as
  // reportedUrl (when given) or as pageUrl.
  int Rewrite(const std::string& page, const std::string& pageUrl,
              RewriteOutcome* outcome = nullptr, std::string* title = nullptr,
              const std::string& reportedUrl = "") {
    EXPECT_TRUE(process.Write(kPage, page));
    std::string ignored;
    return RewriteStoredPage(pageUrl, reportedUrl.empty() ? pageUrl : reportedUrl, kPage,
                             title ? title : &ignored, outcome);
  }

  testing::FaultyFiles files{*SystemPorts().files};
  testing::TestProcess process{Over(&files)};
  testing::RecordingHandoffs handoffs;
};

struct PageCase {
  const char* name;
  const char* pageUrl;
  std::string page;
  std::string expected;  // empty: the page as it stands
  std::vector<std::string> links;
};

// Each page is written, rewritten as the copy of its URL, and read back whole: the expected bytes
// were written by hand from the rules, so a longer or shorter result shows as well.
TEST_F(RewriteTest, RewritesPagesByteForByte) {
  const std::string longTarget = "http://h1/a/b/c/d.html";
  const PageCase cases[] = {
      {"other sites, site-absolute and directory links",
       "http://h1/a/b.html",
       "<html><a href=\"http://h2/x.html\">x</a><a href=/c/d.html>y</a><a href=\"http://h2/\">h2"
       "</a><a href=\"#top\">t</a></html>",
       "<html><a href=\"../../h2/x.html\">x</a><a href=../c/d.html>y</a><a href=\"../../h2/"
       "index.html\">h2</a><a href=\"#top\">t</a></html>",
       {"http://h2/x.html", "/c/d.html", "http://h2/", "#top"}},
      {"other schemes and empty values stay; mailto and news are not collected",
       "http://h1/i.html",
       "<html><a href=\"mailto:me@h1\">m</a><a href=news:comp.lang>n</a><a href=\"https://h2/\">s"
       "</a><a href=\"\">e</a><a href=\"javascript:go('x')\">j</a><img src=\"data:image/gif;"
       "base64,R0l\"></html>",
       "",
       {"https://h2/", "", "javascript:go('x')"}},
      {"an anchor around an ismap image gets the click",
       "http://h1/a/b.html",
       "<html><a href=\"map.html\"><img src=\"m.gif\" ISMAP></a></html>",
       "<html><a href=\"map.html^11,9\"><img src=\"m.gif\" ISMAP></a></html>",
       {"map.html?11,9"}},
      {"an ismap image after the next anchor does not count",
       "http://h1/a/b.html",
       "<html><a href=a.html>a</a><a href=b.html><img src=m.gif ismap></a></html>",
       "<html><a href=a.html>a</a><a href=b.html^11,9><img src=m.gif ismap></a></html>",
       {"a.html", "b.html?11,9"}},
      {"a stored entity is replaced with the whole value, quoted when it gains a space",
       "http://h1/a/b.html",
       "<html><a href=\"http://h2/q?a=1&amp;b=2\">q</a><a href=http://h2/a&#32;b.html>s</a></html>",
       "<html><a href=\"../../h2/q^a=1&amp;b=2\">q</a><a href=\"../../h2/a b.html\">s</a></html>",
       {"http://h2/q?a=1&b=2", "http://h2/a b.html"}},
      {"a base tag is commented out and followed",
       "http://h1/a/b.html",
       "<html><base href=\"http://h3/d/x.html\"><a href=\"y.html\">y</a></html>",
       "<html><!-- == <base href=\"http://h3/d/x.html\"> == --><a href=\"../../h3/d/y.html\">y"
       "</a></html>",
       {"http://h3/d/y.html"}},
      {"a shorter page is cut to its new length",
       "http://h1/x.html",
       "<html><a href=\"" + longTarget + "\">d</a></html>",
       "<html><a href=\"../h1/a/b/c/d.html\">d</a></html>",
       {longTarget}},
      {"a longer page grows",
       "http://h1/a/b/c.html",
       "<html><a href=/c.html>c</a></html>",
       "<html><a href=../../c.html>c</a></html>",
       {"/c.html"}},
      {"refresh, background, frame, input and embed targets; a refresh keeps its delay",
       "http://h1/i.html",
       "<html><meta http-equiv=refresh content=\"5; URL=http://h2/n.html\"><body background=\""
       "http://h2/bg.gif\"><frame src=\"http://h2/f.html\"><input type=image src=/b.gif><embed "
       "src=http://h2/s.mid lowsrc=http://h2/l.gif></html>",
       "<html><meta http-equiv=refresh content=\"5; URL=../h2/n.html\"><body background=\"../h2/"
       "bg.gif\"><frame src=\"../h2/f.html\"><input type=image src=b.gif><embed src=../h2/s.mid "
       "lowsrc=../h2/l.gif></html>",
       {}},
      {"names a file system would misread get their stored form",
       "http://h1/i.html",
       "<html><a href=\"http://h1/con.html\">c</a><a href=\"http://h1/dir./x.html\">d</a>"
       "<a href=\"aux\">a</a><a href=\"http://corvisantdatabase/x.html\">r</a></html>",
       "<html><a href=\"../h1/con_.html\">c</a><a href=\"../h1/dir_/x.html\">d</a>"
       "<a href=\"aux_\">a</a><a href=\"../corvisantdatabase_/x.html\">r</a></html>",
       {"http://h1/con.html", "http://h1/dir./x.html", "aux", "http://corvisantdatabase/x.html"}},
      {"a port is stored as \"$\", a backslash as \"/\"",
       "http://h1/b.html",
       "<html><a href=\"http://h2:81/p.html\">p</a><a href=a\\b.html>b</a></html>",
       "<html><a href=\"../h2$81/p.html\">p</a><a href=a/b.html>b</a></html>",
       {"http://h2:81/p.html", "a\\b.html"}},
      {"a tag right after a title tag is no title's text, and is handled",
       "http://h1/i.html",
       "<html><title><a href=\"http://h2/a.html\"><a href=\"http://h2/b.html\"></a></html>",
       "<html><title><a href=\"../h2/a.html\"><a href=\"../h2/b.html\"></a></html>",
       {"http://h2/a.html", "http://h2/b.html"}},
      {"a quote cannot end a rewritten value early",
       "http://h1/i.html",
       "<html><base href=\"javascript:q\"><a href=\"x#&quot;\">j</a></html>",
       "<html><!-- == <base href=\"javascript:q\"> == --><a href=\"javascript://x#&quot;\">j</a>"
       "</html>",
       {"javascript://x#\""}},
      {"bytes after a NUL byte are kept",
       "http://h1/i.html",
       std::string("<html><a href=/x.html>x</a>\0tail", 32),
       std::string("<html><a href=x.html>x</a>\0tail", 31),
       {"/x.html"}},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.name);
    RewriteOutcome outcome;
    EXPECT_EQ(Rewrite(c.page, c.pageUrl, &outcome), 0);
    EXPECT_EQ(process.Read(kPage), c.expected.empty() ? c.page : c.expected);
    EXPECT_EQ(outcome.links, c.links);
  }
  EXPECT_EQ(process.reporter.Lines(), "");
}

// The text after the last title tag that has one, made a title as TitleFromText makes it; the
// fuzz property checks the length limit and that no line break is kept, on any page.
TEST_F(RewriteTest, TakesTheTitleOfTheLastTitleTagWithText) {
  const std::pair<std::string, std::string> cases[] = {
      {"<title>  one\r\ntwo</title>", "one  two"},
      {"<title></title><p>body", ""},
      {"<title>first</title><title>2</title>", "2"},
      {"<html><title>", ""}};
  for (const auto& [page, expected] : cases) {
    std::string title = "stale";
    EXPECT_EQ(Rewrite(page, "http://h1/i.html", nullptr, &title), 0);
    EXPECT_EQ(title, expected) << page;
  }
}

// The images of the page, with their stored names, go to the request queue when no navigator runs
// or the browser shows the page (its reported URL), and local copies of every type are kept.
TEST_F(RewriteTest, ImagesAreDeferredWhenTheDecisionAndSettingsAllowIt) {
  const std::vector<std::string> images = {
      "http://h1/a/l.gif h1\\a\\l.gif", "http://h2/p%20q.jpg h2\\p q.jpg",
      "http://h1/b.gif h1\\b.gif",
      "http://h1/x.gif h1\\x.gif",  // "%2e%2e" read as ".." by browsers
  };
  struct QueueCase {
    const char* name;
    bool navigatorActive;
    const char* browserUrl;  // null: the browser names none
    int keepLocalCopies;
    int recordLevel;
    bool deferred;
  };
  const QueueCase cases[] = {
      {"no navigator", false, nullptr, 1, record_level::kEveryType, true},
      {"the browser shows the page", true, "http://h1/a/i.html?r", 1, record_level::kEveryType,
       true},
      {"the browser shows another page", true, "http://h1/a/i.html", 1, record_level::kEveryType,
       false},
      {"the browser names none", true, nullptr, 1, record_level::kEveryType, false},
      {"no local copies kept", false, nullptr, 0, record_level::kEveryType, false},
      {"HTML documents only", false, nullptr, 1, record_level::kHtmlOnly, false},
  };
  for (const QueueCase& c : cases) {
    handoffs.images.deferred.clear();
    handoffs.navigation.active = c.navigatorActive;
    handoffs.browser.known = c.browserUrl != nullptr;
    handoffs.browser.current = c.browserUrl ? c.browserUrl : "";
    process.preferences().keepLocalCopies = c.keepLocalCopies;
    process.preferences().recordLevel = c.recordLevel | record_level::kRefreshNever;
    RewriteOutcome outcome;
    ASSERT_EQ(Rewrite("<html><img lowsrc=\"l.gif\" src=\"http://h2/p%20q.jpg\"><input src=/b.gif>"
                      "<embed src=e.gif><img src=\"file:///x.gif\"><noframes><img src=n.gif>"
                      "</noframes><img src=\"c/%2e%2e/%2e%2e/x.gif\"></html>",
                      "http://h1/a/i.html", &outcome, nullptr, "http://h1/a/i.html?r"),
              0);
    std::vector<std::string> deferred;
    for (const auto& image : handoffs.images.deferred) {
      EXPECT_EQ(image.reportedUrl, "http://h1/a/i.html?r");
      deferred.push_back(image.imageUrl + " " + image.localName);
    }
    EXPECT_EQ(deferred, c.deferred ? images : std::vector<std::string>{}) << c.name;
    EXPECT_EQ(outcome.images.size(), deferred.size()) << c.name;
  }
}

// The frame pages the browser fetches after a frameset queue their images although it shows the
// frameset; one is awaited for each frame tag.
TEST_F(RewriteTest, FrameTagsLetTheFramePagesQueueTheirImages) {
  handoffs.navigation.active = true;
  handoffs.browser.known = true;
  handoffs.browser.current = "http://h1/frames.html";
  process.clock.Advance(7);
  RewriteOutcome outcome;
  ASSERT_EQ(Rewrite("<html><frameset><frame src=l.html><frame src=r.html></frameset></html>",
                    "http://h1/frames.html", &outcome),
            0);
  FrameTracker& frames = *Current<FrameTracker>();
  EXPECT_EQ(outcome.frameTags, 2);
  EXPECT_EQ(frames.pending(), 2);
  EXPECT_EQ(frames.lastFrameTagTime(), kTestTime + 7);
  for (const char* page : {"http://h1/l.html", "http://h1/r.html", "http://h1/x.html"}) {
    handoffs.images.deferred.clear();
    ASSERT_EQ(Rewrite("<html><img src=a.gif></html>", page), 0);
    EXPECT_EQ(handoffs.images.deferred.size(), page[10] == 'x' ? 0u : 1u) << page;
  }
  EXPECT_EQ(frames.pending(), 0);
}

TEST_F(RewriteTest, HandsTheTextLinksAndVisitTagsOn) {
  const std::string page =
      "<html><a href=x.html>x</a><visit href=A spend=10secs><visit href=B><visit repeat=2></html>";
  handoffs.navigation.active = true;
  ASSERT_EQ(Rewrite(page, "http://h1/i.html", nullptr, nullptr, "http://h1/i.html#r"), 0);
  EXPECT_EQ(handoffs.keywords.pages, std::vector<std::string>{page});
  ASSERT_EQ(handoffs.navigation.loaded.size(), 1u);
  EXPECT_EQ(handoffs.navigation.loaded[0].reportedUrl, "http://h1/i.html#r");
  EXPECT_EQ(handoffs.navigation.loaded[0].links, std::vector<std::string>{"x.html"});
  EXPECT_EQ(handoffs.navigation.loaded[0].tokenCount, 8u);
  ASSERT_EQ(handoffs.replay.takenOver.size(), 1u);
  std::string visits;
  for (const VisitItem& item : handoffs.replay.takenOver[0].items) {
    visits += item.href + ":" + std::to_string(item.spend) + " ";
  }
  EXPECT_EQ(visits + std::to_string(handoffs.replay.takenOver[0].repeat), "A:10 B:5 2");

  // Without "read and follow Visit Tags" and without a navigator, neither takes anything.
  process.preferences().miscellaneous = 0;
  handoffs.navigation.active = false;
  RewriteOutcome outcome;
  ASSERT_EQ(Rewrite(page, "http://h1/i.html", &outcome), 0);
  EXPECT_FALSE(outcome.hasVisitTags);
  EXPECT_EQ(handoffs.replay.takenOver.size(), 1u);
  EXPECT_EQ(handoffs.navigation.loaded.size(), 1u);
}

// A page that is not rewritten keeps its bytes, gives -1, hands no image on and leaves no fresh
// file beside it; a query copy that is not there is passed over silently. fault: the page's new
// form cannot be written ("write") or cannot take the page's place ("replace").
TEST_F(RewriteTest, FailuresLeaveThePageAsItWasAndAreReported) {
  struct FailureCase {
    const char* name;
    const char* pageUrl;
    const char* path;
    std::string page;  // empty: no file
    std::string fault;
    int result;
    std::string reports;
  };
  const FailureCase cases[] = {
      {"a page that is not HTML", "http://h1/a/b.html", kPage, "just words, no tags\n", "write", -1,
       ""},
      {"a query copy that is not there", "http://h1/q?a", "h1\\q^a", "", "", -1, ""},
      {"a file that is not there", "http://h1/m.html", "h1\\m.html", "", "", -1,
       "40006 1 5 \"h1\\m.html\"\n"},
      {"a new form that cannot be written", "http://h1/a/b/c.html", kPage,
       "<html><a href=/c.html>c</a><img src=a.gif></html>", "write", -1,
       "40008 1 5 \"page.html\"\n"},
      {"a new form that cannot take the page's place", "http://h1/x.html", kPage,
       "<html><a href=http://h1/a/b/c/d.html>d</a><img src=a.gif></html>", "replace", -1,
       "40008 1 5 \"page.html\"\n"},
      {"a page that needs no change is not written", "http://h1/i.html", kPage,
       "<html><a href=x.html>x</a></html>", "write", 0, ""},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    process.reporter.Clear();
    handoffs.images.deferred.clear();
    if (!c.page.empty()) {
      ASSERT_TRUE(process.Write(c.path, c.page));
    }
    files.FailWrites(kPage, c.fault == "write" ? 1 : 0);
    files.FailReplace(c.fault == "replace" ? kPage : "");
    std::string title = "stale";
    EXPECT_EQ(RewriteStoredPage(c.pageUrl, c.pageUrl, c.path, &title), c.result);
    EXPECT_EQ(process.Read(c.path), c.page);
    EXPECT_EQ(title, "");
    EXPECT_TRUE(handoffs.images.deferred.empty());
    EXPECT_EQ(process.reporter.Lines(), c.reports);
    EXPECT_EQ(process.files().List(".", "page.html.*").size(), 0u) << "a fresh file was left";
  }
}

TEST(TitleFromText, CutsTrimsAndKeepsTheTitleOnOneLine) {
  const std::string longText = " " + std::string(1100, 'y');
  const std::pair<std::string, std::string> cases[] = {{"A", "A"},
                                                       {" \t\r\n A  b", "A  b"},
                                                       {"a\rb\nc\r\nd", "a b c  d"},
                                                       {longText, std::string(1023, 'y')},
                                                       {"   ", ""}};
  for (const auto& [text, title] : cases) EXPECT_EQ(TitleFromText(text), title) << text;
}

// Only the file's first 512 bytes are read; the name is the one the page store keeps.
TEST(ExtractTitle, ReadsTheTitleFromTheHeadOfTheStoredFile) {
  testing::TestProcess process;
  struct Case {
    const char* name;
    std::string bytes;
    std::string title;
  };
  const Case cases[] = {
      {"h1/a/t.html", "<html><title>\n Tea\r\nTime</title>", "Tea  Time"},
      {"h1/late.html", std::string(512, ' ') + "<title>late</title>", ""},
      {"h1/edge.html", std::string(497, ' ') + "<title>early</title>", "early"},
      {"h1/con.html", "<title>device</title>", "device"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(process.Write(EnsureDirectoriesFor(c.name), c.bytes));
    std::string title = "stale";
    EXPECT_EQ(ExtractTitle(c.name, &title), 0);
    EXPECT_EQ(title, c.title) << c.name;
  }
  // A file that is not there is reported with its path, and no directory is made for it.
  std::string title = "stale";
  EXPECT_EQ(ExtractTitle("h2/missing.html", &title), 0);
  EXPECT_EQ(title, "");
  EXPECT_EQ(process.reporter.Lines(), "40009 1 5 \"h2\\missing.html\"\n");
  EXPECT_EQ(process.files().Kind("h2"), PathKind::kMissing);
}

}  // namespace
}  // namespace corvisant
