#include "url/url_parts.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/url/link_cases.h"

namespace corvisant {
namespace {

// The five parts as one comparable text; "-" stands for an absent part.
std::string Show(const UrlPart& part) { return part.absent() ? "-" : "[" + part.str() + "]"; }

std::string Parsed(std::string_view text) {
  UrlParts parts;
  EXPECT_TRUE(ParseUrl(text, &parts));
  return Show(parts.scheme) + Show(parts.host) + Show(parts.port) + Show(parts.path) +
         Show(parts.fragment);
}

TEST(ParseUrlTest, SplitsIntoFiveParts) {
  struct Case {
    const char* text;
    const char* parts;
  };
  const Case cases[] = {
      {"http://h1/a/b.html", "[http][h1]-[a/b.html]-"},
      {"//h1/a", "[http][h1]-[a]-"},
      {"http:a.html", "---[a.html]-"},
      {"mailto:x@y.org", "[mailto]--[x@y.org]-"},
      {"http://h1", "[http][h1]---"},
      {"http://h1/", "[http][h1]---"},
      {"http://h1:81/cgi-bin/q?a=b#f", "[http][h1][81][cgi-bin/q?a=b][f]"},
      {"http://h1:/#", "[http][h1][][][]"},
      {"  http://h1/x", "[http][h1]-[x]-"},
      {"file:///C|/dir/a.html", "[file]--[/C|/dir/a.html]-"},
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
      {"", "-----"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.parts) << c.text;
}

TEST(ParseUrlTest, AbsentPartsAreTheSharedEmptyString) {
  UrlParts parts;
  ParseUrl("http://h1:/a", &parts);
  EXPECT_EQ(&parts.fragment.str(), &SharedEmptyString());
  EXPECT_NE(&parts.port.str(), &SharedEmptyString()) << "an empty port is still present";
  FreeUrlParts(&parts);
  EXPECT_EQ(&parts.scheme.str(), &SharedEmptyString());
  EXPECT_EQ(&parts.path.str(), &SharedEmptyString());
}

TEST(ComposeUrlTest, BuildsTheTextAgain) {
  struct Case {
    const char* text;
    bool mapPath;
    const char* composed;
  };
  const Case cases[] = {
      {"http://h1:81/cgi-bin/q?a=b#f", false, "http://h1:81/cgi-bin/q?a=b#f"},
      {"http://h1:81/cgi-bin/q?a=b#f", true, "http://h1:81/cgi-bin/q^a=b#f"},
      {"file:///C|/d/a?b", true, "file:///C|/d/a?b"},
      {"mailto:x@y", false, "mailto://x@y"},
      {"http://h1:/#", false, "http://h1:/#"},
      {"http://h1//x", false, "http://h1/x"},
      {"a/b.html", true, "a/b.html"},
      {"a/b..", true, "a/b__"},
  };
  for (const Case& c : cases) {
    UrlParts parts;
    ParseUrl(c.text, &parts);
    EXPECT_EQ(ComposeUrl(parts, c.mapPath), c.composed) << c.text;
    EXPECT_EQ(ComposeUrl(parts, false), c.composed) << c.text << ": the record keeps the mapping";
  }
}

// The work buffer holds 1,023 characters: longer URLs are refused, never cut.
TEST(ComposeUrlTest, RefusesUrlsBeyondTheBuffer) {
  const std::string prefix = "http://h1/";
  for (std::size_t length : {1023u, 1024u, 1536u, 10000u}) {
    std::string url = prefix + std::string(length - prefix.size(), 'a');
    UrlParts parts;
    ParseUrl(url, &parts);
    EXPECT_EQ(parts.path.size(), length - prefix.size()) << "parsing takes any length";
    std::string composed = ComposeUrl(parts, true);
    if (length <= kMaxUrlLength) {
      EXPECT_EQ(composed, url);
    } else {
      EXPECT_EQ(composed, "") << length;
    }
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
      {"http://h1/a", "http://h1/a/", false},   {"//h1/a", "http://h1/a", true},
  };
  for (const Case& c : cases) EXPECT_EQ(SameUrl(c.a, c.b), c.same) << c.a << " " << c.b;
  const char* text = "x";
  EXPECT_TRUE(SameUrl(text, text));
  EXPECT_FALSE(SameUrl(text, static_cast<const char*>(nullptr)));
  EXPECT_FALSE(SameUrl(static_cast<const char*>(nullptr), text));
}

TEST(ParentDirectoryTest, StepsUpFromTheEnd) {
  struct Case {
    const char* path;
    int n;
    const char* parent;
  };
  const Case cases[] = {
      {"a/b/x.html", 0, "a/b/"}, {"a/b/x.html", 1, "a/"}, {"a/b/x.html", 2, ""},
      {"x.html", 0, ""},         {"/x.html", 0, ""},      {"a/b/", 0, "a/b/"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParentDirectory(c.path, c.n), c.parent) << c.path;
}

TEST(ResolveUrlTest, ResolvesLinksAgainstTheirPage) {
  const testing::LinkCase cases[] = {
      {"#top", "http://h1/a/b.html", "http://h1/a/b.html#top", true},
      {"../c.html", "http://h1/a/b/x.html", "http://h1/a/c.html", true},
      {"c.html", "http://h1/x.html", "http://h1/c.html", true},
      {"//h2/x.html", "http://h1/a", "//h2/x.html", false},
      {"http://h2/x", "http://h1/a", "http://h2/x", false},
      {"/x.html#f", "http://h1:81/a/b.html#g", "http://h1:81/x.html#f", true},
      {"q.cgi?a=b", "http://h1/d/p.html", "http://h1/d/q.cgi^a=b", true},
      {"./y.html", "http://h1/d/p.html", "http://h1/d/y.html", true},
      {"../../../z.html", "http://h1/a/b.html", "http://h1/z.html", true},
      {"http:c.html", "http://h1/d/p.html", "http://h1/d/c.html", true},
  };
  testing::ExpectLinks(ResolveUrl, cases);
}

TEST(ResolveUrlTest, RefusesResultsBeyondTheBuffer) {
  std::string base = "http://h1/" + std::string(1000, 'd') + "/p.html";
  std::string out = "stale";
  EXPECT_TRUE(ResolveUrl(std::string(12, 'x'), base, &out));
  EXPECT_EQ(out.size(), kMaxUrlLength);
  EXPECT_FALSE(ResolveUrl(std::string(13, 'x'), base, &out));
  EXPECT_EQ(out, "");
}

TEST(NormaliseUrlForStoreTest, AddsTheDefaultDocumentAndMaps) {
  struct Case {
    const char* url;
    bool keepBareFragment;
    const char* out;
    int fragmentLength;
  };
  const Case cases[] = {
      {"http://h1", false, "http://h1/index.html", 0},
      {"http://h1/", false, "http://h1/index.html", 0},
      {"http://h1/d/", false, "http://h1/d/index.html", 0},
      {"http://h1/d/#top", false, "http://h1/d/index.html#top", 4},
      {"http://h1/d/#top", true, "http://h1/d/#top", 4},
      {"http://h1/d/", true, "http://h1/d/index.html", 0},
      {"http://h1/q?a=b", false, "http://h1/q^a=b", 0},
      {"http://h1/a.html#", false, "http://h1/a.html#", 1},
      {"file:///C|/d/", false, "file:///C|/d/index.html", 0},
  };
  for (const Case& c : cases) {
    int length = -1;
    EXPECT_EQ(NormaliseUrlForStore(c.url, &length, c.keepBareFragment), c.out) << c.url;
    EXPECT_EQ(length, c.fragmentLength) << c.url;
  }
}

TEST(NormaliseUrlForStoreTest, NormalisingTwiceChangesNothing) {
  for (const char* url : {"http://h1", "http://h1:81/cgi-bin/q?a=b#f", "//h2/a/", "a/b?c",
                          "file:///C|/x/", "http://h1/a..", "ftp://h/p/#x"}) {
    std::string once = NormaliseUrlForStore(url, nullptr, false);
    EXPECT_EQ(NormaliseUrlForStore(once, nullptr, false), once) << url;
  }
}

TEST(NormaliseUrlForStoreTest, RefusesUrlsThatOutgrowTheBuffer) {
  std::string directory = "http://h1/" + std::string(1002, 'a') + "/";
  ASSERT_EQ(directory.size() + 10, 1023u);
  EXPECT_EQ(NormaliseUrlForStore(directory, nullptr, false), directory + "index.html");
  std::string longer = "http://h1/" + std::string(1003, 'a') + "/";
  int length = -1;
  EXPECT_EQ(NormaliseUrlForStore(longer + "#f", &length, false), "");
  EXPECT_EQ(length, 0);
}

}  // namespace
}  // namespace corvisant
