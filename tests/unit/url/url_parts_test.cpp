#include "url/url_parts.h"

#include <gtest/gtest.h>

#include <string>

#include "url/url.h"

namespace corvisant {
namespace {

// The five parts as one comparable text; "-" stands for an absent part.
std::string Show(const UrlPart& part) { return part.absent() ? "-" : "[" + part.str() + "]"; }

std::string Shown(const UrlParts& parts) {
  return Show(parts.scheme) + Show(parts.host) + Show(parts.port) + Show(parts.path) +
         Show(parts.fragment);
}

TEST(ParseUrlTest, SplitsIntoFivePartsAndFreesThem) {
  struct Case {
    const char* text;
    const char* parts;
  };
  const Case cases[] = {{"//h1/a", "[http][h1]-[a]-"},
                        {"http:a.html", "---[a.html]-"},
                        {"mailto:x@y.org", "[mailto]--[x@y.org]-"},
                        {"http://h1/", "[http][h1]---"},
                        {"http://h1:/#", "[http][h1][][][]"},
                        {"  http://h1/x", "[http][h1]-[x]-"},
                        {"file:/C|/a", "[file]--[/C|/a]-"},
                        {"#top", "---[][top]"},
                        {"./a.html", "---[a.html]-"},
                        {"a/b.html#x#y", "---[a/b.html][x#y]"},
                        {"http://h1//x", "[http][h1]-[/x]-"},
                        {"/x.html", "---[/x.html]-"},
                        {"dir/a:b", "---[dir/a:b]-"},
                        {":x", "---[:x]-"},
                        {"://h1/x", "[http][h1]-[x]-"},
                        {"http:///x", "-[]-[x]-"},
                        {"", "-----"}};
  for (const Case& c : cases) {
    UrlParts parts;
    EXPECT_TRUE(ParseUrl(c.text, &parts));
    EXPECT_EQ(Shown(parts), c.parts) << c.text;
    FreeUrlParts(&parts);
    EXPECT_EQ(Shown(parts), "-----") << c.text << ": freed parts are absent again";
  }
}

TEST(ComposeUrlTest, BuildsTheTextAgain) {
  struct Case {
    const char* text;
    bool mapPath;
    const char* composed;
  };
  const Case cases[] = {{"http://h1:81/cgi-bin/q?a=b#f", true, "http://h1:81/cgi-bin/q^a=b#f"},
                        {"file:///C|/d/a?b", true, "file:///C|/d/a?b"},
                        {"mailto:x@y", false, "mailto://x@y"},
                        {"http://h1:/#", false, "http://h1:/#"},
                        {"http://h1//x", false, "http://h1/x"},
                        {"a/b.html", true, "a/b.html"},
                        {"a/b..", true, "a/b__"}};
  for (const Case& c : cases) {
    UrlParts parts;
    ParseUrl(c.text, &parts);
    EXPECT_EQ(ComposeUrl(parts, c.mapPath), c.composed) << c.text;
    EXPECT_EQ(ComposeUrl(parts, false), c.composed) << c.text << ": the record keeps the mapping";
  }
}

TEST(SameUrlTest, ComparesAllButTheFragment) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"http://h1/a#x", "http://h1/a#y", true}, {"HTTP://h1/a", "http://h1/a", false},
      {"http://h1/a", "http://H1/a", false},    {"http://h1:80/a", "http://h1/a", false},
      {"http://h1/a", "http://h1/a/", false},   {"//h1/a", "http://h1/a", true}};
  for (const Case& c : cases) EXPECT_EQ(SameUrl(c.a, c.b), c.same) << c.a << " " << c.b;
  const char *text = "x", *none = nullptr;
  EXPECT_TRUE(SameUrl(text, text) && !SameUrl(text, none) && !SameUrl(none, text)) << "null texts";
}

// A link found in a page, resolved against the page's URL or made relative to its local copy:
// the text and whether it was made, the text checked either way. Results beyond the 1,023-byte
// buffer are refused, never cut.
TEST(LinkTest, ResolvedOrMadeRelativeToTheCopy) {
  const std::string longBase = "http://h1/" + std::string(1000, 'd') + "/p.html";
  std::string deepBase = "http://h1/";
  for (int i = 0; i < 200; ++i) deepBase += "a/";
  std::string longLink = "http://h2/";
  for (int i = 0; i < 7; ++i) longLink += std::string(99, 'x') + "/";
  struct Case {
    bool relative;  // MakeStoreRelativeLink, else ResolveUrl
    std::string link;
    std::string base;
    std::string out;
    bool made;
  };
  const Case cases[] = {
      {false, "#top", "http://h1/a/b.html", "http://h1/a/b.html#top", true},
      {false, "../c.html", "http://h1/a/b/x.html", "http://h1/a/c.html", true},
      {false, "c.html", "http://h1/x.html", "http://h1/c.html", true},
      {false, "c.html", "http://h1/a/b/", "http://h1/a/b/c.html", true},
      {false, "/x.html#f", "http://h1:81/a/b.html#g", "http://h1:81/x.html#f", true},
      {false, "q.cgi?a=b", "http://h1/d/p.html", "http://h1/d/q.cgi^a=b", true},
      {false, "./y.html", "http://h1/d/p.html", "http://h1/d/y.html", true},
      {false, "../../../z.html", "http://h1/a/b.html", "http://h1/z.html", true},
      {false, "http:c.html", "http://h1/d/p.html", "http://h1/d/c.html", true},
      {false, std::string(12, 'x'), longBase, longBase.substr(0, 1011) + std::string(12, 'x'),
       true},
      {false, std::string(13, 'x'), longBase, "", false},
      {true, "http://h2/x.html", "http://h1/a/b.html", "../../h2/x.html", true},
      {true, "/x.html", "http://h1/a/b.html", "../x.html", true},
      {true, "/x.html#f", "http://h1/b.html", "x.html", true},
      {true, "http://h2:8080/q?a#f", "http://h1/b.html", "../h2$8080/q^a#f", true},
      {true, "ftp://f1/pub/a", "http://h1/", "../f1/pub/a", true},
      {true, "mailto:x@y", "http://h1/a/b.html", "mailto:x@y", false},
      {true, "javascript:go()", "http://h1/a/b.html", "javascript:go()", false},
      {true, "c.html?x", "http://h1/a/b.html", "c.html^x", false},
      {true, "#top", "http://h1/a/b.html", "#top", false},
      {true, "http:c.html", "http://h1/a/b.html", "c.html", true},
      {true, "file:///C|/d/a.html", "http://h1/b.html", "C!/d/a.html", true},
      {true, "d/" + std::string(300, 's') + "/x", "http://h1/p.html",
       "d/" + std::string(255, 's') + "/x", true},
      {true, longLink, deepBase + "p.html", longLink, false}};
  for (const Case& c : cases) {
    std::string out = "unset";
    bool made =
        c.relative ? MakeStoreRelativeLink(c.link, c.base, &out) : ResolveUrl(c.link, c.base, &out);
    EXPECT_EQ(made, c.made) << c.link << " in " << c.base;
    EXPECT_EQ(out, c.out) << c.link << " in " << c.base;
  }
}

TEST(NormaliseUrlForStoreTest, AddsTheDefaultDocumentAndMaps) {
  const std::string directory = "http://h1/" + std::string(1002, 'a') + "/";  // 1,013 bytes
  struct Case {
    std::string url;
    bool keepBareFragment;
    std::string out;
    int fragmentLength;
  };
  const Case cases[] = {{"http://h1/", false, "http://h1/index.html", 0},
                        {"http://h1/d/", false, "http://h1/d/index.html", 0},
                        {"http://h1/d/#top", false, "http://h1/d/index.html#top", 4},
                        {"http://h1/d/#top", true, "http://h1/d/#top", 4},
                        {"http://h1/d/", true, "http://h1/d/index.html", 0},
                        {"http://h1/q?a=b", false, "http://h1/q^a=b", 0},
                        {"http://h1/a.html#", false, "http://h1/a.html#", 1},
                        {"file:///C|/d/", false, "file:///C|/d/index.html", 0},
                        {directory, false, directory + "index.html", 0},
                        {"http://h1/a" + directory.substr(10) + "#f", false, "", 0}};
  for (const Case& c : cases) {
    int length = -1;
    EXPECT_EQ(NormaliseUrlForStore(c.url, &length, c.keepBareFragment), c.out) << c.url;
    EXPECT_EQ(length, c.fragmentLength) << c.url;
  }
}

}  // namespace
}  // namespace corvisant
