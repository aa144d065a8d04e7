#include "html/local_references.h"

#include <gtest/gtest.h>

#include <string>

namespace corvisant {
namespace {

// A reference names the file that the page store keeps for its target: every name below a site
// in its safe form, the name right below the store root as a site directory, steps and
// fragments as they are.
TEST(SafeLocalReference, GivesEachNameTheFormItIsStoredUnder) {
  struct Case {
    const char* reference;
    int depth;
    const char* safe;
  };
  const Case cases[] = {
      {"x.html", 1, "x.html"},
      {"../h2/a/b.html#top", 2, "../h2/a/b.html#top"},
      {"con.html", 1, "con_.html"},
      {"dir./x.html", 1, "dir_/x.html"},
      {"../../CorvisantDocument/x.html", 2, "../../CorvisantDocument_/x.html"},
      {"../CorvisantDocument/x.html", 2, "../CorvisantDocument/x.html"},
      {"./a//lpt1#con", 1, "./a/_/lpt1_#con"},
      {"#frag", 1, "#frag"},
      {"mailto:con", 1, "mailto:con"},
      {"", 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SafeLocalReference(c.reference, c.depth), c.safe) << c.reference;
  }
}

TEST(MakeLocalReference, ResolvesAgainstTheBaseBeforeMakingItRelative) {
  struct Case {
    const char* value;
    const char* base;
    const char* page;
    const char* reference;
    const char* resolved;
  };
  const Case cases[] = {
      {"x.gif", nullptr, "http://h1/a/b.html", "x.gif", "x.gif"},
      {"x.gif", "http://h2/d/e.html", "http://h1/a/b.html", "../../h2/d/x.gif",
       "http://h2/d/x.gif"},
      {"\x01http://h2:81/p\x0f.gif", nullptr, "http://h1/b.html", "../h2$81/p.gif",
       "http://h2:81/p.gif"},
      {"a\\b.gif", nullptr, "http://h1/b.html", "a/b.gif", "a\\b.gif"},
  };
  for (const Case& c : cases) {
    std::string base = c.base ? c.base : "";
    std::string resolved;
    EXPECT_EQ(MakeLocalReference(c.value, c.base ? &base : nullptr, c.page, StoredPageDepth(c.page),
                                 &resolved),
              c.reference)
        << c.value;
    EXPECT_EQ(resolved, c.resolved) << c.value;
  }
}

TEST(SchemeOf, ReadsTheSchemeAsTheUrlParserDoes) {
  EXPECT_EQ(SchemeOf("https://h/x"), "https");
  EXPECT_EQ(SchemeOf("  javascript:go()"), "javascript");
  EXPECT_EQ(SchemeOf("a/b:c"), "");
  EXPECT_EQ(SchemeOf("//h/x"), "");
  EXPECT_EQ(SchemeOf(":x"), "");
  EXPECT_EQ(SchemeOf("x.html"), "");
}

TEST(StoredPageDepth, CountsTheSiteAndEveryDirectory) {
  EXPECT_EQ(StoredPageDepth("http://h1/index.html"), 1);
  EXPECT_EQ(StoredPageDepth("http://h1:81/a/b/c.html"), 3);
}

}  // namespace
}  // namespace corvisant
