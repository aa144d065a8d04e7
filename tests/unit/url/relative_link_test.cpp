#include <gtest/gtest.h>

#include <string>

#include "tests/unit/url/link_cases.h"
#include "url/url.h"

namespace corvisant {
namespace {

TEST(MakeStoreRelativeLinkTest, PointsFromOneCopyToAnother) {
  const testing::LinkCase cases[] = {
      {"http://h2/x.html", "http://h1/a/b.html", "../../h2/x.html", true},
      {"/x.html", "http://h1/a/b.html", "../x.html", true},
      {"/x.html#f", "http://h1/b.html", "x.html", true},
      {"http://h2:8080/q?a#f", "http://h1/b.html", "../h2$8080/q^a#f", true},
      {"ftp://f1/pub/a", "http://h1/", "../f1/pub/a", true},
      {"mailto:x@y", "http://h1/a/b.html", "mailto:x@y", false},
      {"javascript:go()", "http://h1/a/b.html", "javascript:go()", false},
      {"c.html?x", "http://h1/a/b.html", "c.html^x", false},
      {"#top", "http://h1/a/b.html", "#top", false},
      {"http:c.html", "http://h1/a/b.html", "c.html", true},
      {"file:///C|/d/a.html", "http://h1/b.html", "C!/d/a.html", true},
  };
  testing::ExpectLinks(MakeStoreRelativeLink, cases);
}

TEST(MakeStoreRelativeLinkTest, CutsLongSegments) {
  std::string out;
  std::string segment(300, 's');
  EXPECT_TRUE(MakeStoreRelativeLink("d/" + segment + "/x", "http://h1/p.html", &out));
  EXPECT_EQ(out, "d/" + std::string(255, 's') + "/x");
}

TEST(MakeStoreRelativeLinkTest, RefusesReferencesBeyondTheBuffer) {
  std::string deep = "http://h1/";
  for (int i = 0; i < 200; ++i) deep += "a/";
  deep += "p.html";
  std::string link = "http://h2/";
  for (int i = 0; i < 7; ++i) link += std::string(99, 'x') + "/";
  std::string out;
  EXPECT_FALSE(MakeStoreRelativeLink(link, deep, &out));
  EXPECT_TRUE(out == link) << "the link is left as it was";
}

}  // namespace
}  // namespace corvisant
