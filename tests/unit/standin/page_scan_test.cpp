#include "standin/core/page_scan.h"

#include <gtest/gtest.h>

#include "standin/core/url_text.h"

namespace standin {
namespace {

TEST(UrlTextTest, ResolvesLinksAgainstThePage) {
  const char* base = "http://h1/d/e/page.html?q#f";
  const std::pair<const char*, const char*> cases[] = {
      {"x.html", "http://h1/d/e/x.html"},
      {"../x.html", "http://h1/d/x.html"},
      {"../../../x", "http://h1/x"},
      {"./", "http://h1/d/e/"},
      {"..", "http://h1/d/"},
      {"/top?a=b", "http://h1/top?a=b"},
      {"//h2/y", "http://h2/y"},
      {"?r", "http://h1/d/e/page.html?r"},
      {"#g", "http://h1/d/e/page.html?q#g"},
      {"", "http://h1/d/e/page.html?q"},
      {"  sp.html ", "http://h1/d/e/sp.html"},
      {"mailto:a@b", "mailto:a@b"},
      {"HTTP://H3/", "HTTP://H3/"},
  };
  for (const auto& [ref, url] : cases) EXPECT_EQ(ResolveUrl(base, ref), url) << ref;
  EXPECT_EQ(ResolveUrl("http://h1", "a.html"), "http://h1/a.html");
  EXPECT_EQ(ResolveUrl("file:///C|/x/y.html", "z.html"), "file:///C|/x/z.html");
}

TEST(UrlTextTest, PercentDecodesWholeEscapesOnly) {
  EXPECT_EQ(PercentDecode("a%20b%2fc%zz%4"), "a b/c%zz%4");
}

std::string Shown(const PageFacts& facts) {
  std::string out = facts.title;
  for (const Link& link : facts.links) out += " | " + link.text + " -> " + link.url;
  return out;
}

TEST(PageScanTest, FindsTitleAndLinks) {
  const std::pair<const char*, const char*> cases[] = {
      {"<html><HEAD><Title> My\n  Page </TITLE></head><body>", "My Page"},
      {"<title>A &amp; B &lt;&#67;&gt; &bogus;</title>", "A & B <C> &bogus;"},
      {"<title>one</title><title>two</title>", "one"},
      {"<a href=\"b.html\">Bee</a> <A HREF='/c'>C <b>bold</b></a> <a href=d>D</a>",
       " | Bee -> http://h1/d/b.html | C bold -> http://h1/c | D -> http://h1/d/d"},
      {"<a name=x>no link</a><a title=\"t\" href=\"e?x=1&amp;y=2\"></a>",
       " | http://h1/d/e?x=1&y=2 -> http://h1/d/e?x=1&y=2"},
      {"<!-- <a href=hidden>x</a> --><a href=shown>y</a>", " | y -> http://h1/d/shown"},
      {"<a href=\"unclosed", ""},
      {"no markup at all", ""},
  };
  for (const auto& [html, shown] : cases) {
    EXPECT_EQ(Shown(ScanPage(html, "http://h1/d/index.html")), shown) << html;
  }
}

}  // namespace
}  // namespace standin
