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

TEST(MakeLocalReference, StripsControlBytesBeforeResolving) {
  std::string resolved;
  EXPECT_EQ(
      MakeLocalReference("\x01http://h2:81/p\x0f.gif", nullptr, "http://h1/b.html", 1, &resolved),
      "../h2$81/p.gif");
  EXPECT_EQ(resolved, "http://h2:81/p.gif");
}

TEST(SchemeOf, ReadsTheSchemeAsTheUrlParserDoes) {
  const std::pair<const char*, const char*> cases[] = {{"https://h/x", "https"},
                                                       {"  javascript:go()", "javascript"},
                                                       {"a/b:c", ""},
                                                       {"//h/x", ""},
                                                       {":x", ""},
                                                       {"x.html", ""}};
  for (const auto& [link, scheme] : cases) EXPECT_EQ(SchemeOf(link), scheme) << link;
}

TEST(StoredPageDepth, CountsTheSiteAndEveryDirectory) {
  EXPECT_EQ(StoredPageDepth("http://h1/index.html"), 1);
  EXPECT_EQ(StoredPageDepth("http://h1:81/a/b/c.html"), 3);
}

}  // namespace
}  // namespace corvisant
