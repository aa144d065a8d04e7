// Hostile links in a stored page (the rewrite property's input hostile_anchors.html: each href,
// and in its title the URL a browser reads it as on the web): however an href is written, its
// rewrite leads from the page's copy to the copy of that URL, never out of the store root; or it
// is that URL itself. A "file:" URL is read as a path of the page's own site, a scheme written
// in other letters as no scheme of a local copy.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "html/attributes.h"
#include "html/html_scanner.h"
#include "html/local_references.h"
#include "html/page_text_rewrite.h"
#include "tests/unit/html/followed_reference.h"
#include "url/url.h"

namespace corvisant {
namespace {

std::string HostileAnchors() {
  std::string here = __FILE__;
  std::ifstream file(here.substr(0, here.rfind("unit")) + "fuzz/corpus/rewrite_page/" +
                     "hostile_anchors.html");
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str().substr(1);  // after the byte that chooses the property's page
}

TEST(HostileLinks, EveryRewrittenLinkLeadsToTheCopyOfItsTarget) {
  std::string page = HostileAnchors();
  HtmlTokenPtr tokens = ScanHtml(page.c_str(), nullptr);
  PageRewriteSettings settings;
  settings.pageUrl = "http://h1:81/a/b/c.html";
  settings.pageDepth = StoredPageDepth(settings.pageUrl);
  std::string title;
  RewriteOutcome outcome;
  std::string rewritten =
      RewritePageText(page.c_str(), page.size(), tokens.get(), settings, &title, &outcome);
  int references = 0, anchors = 0;
  for (std::size_t at = 0; (at = rewritten.find("<a ", at)) != std::string::npos; ++anchors) {
    std::string tag = rewritten.substr(at + 1, rewritten.find('>', at) - at - 1);
    std::size_t offset = ++at;
    std::string href = FindAttribute(tag, "", "href", &offset).value_or("");
    std::string target = FindAttribute(tag, "", "title", &offset).value_or("");
    if (SchemeOf(href).empty()) {
      ++references;
      EXPECT_EQ(testing::FollowedReference(href, {"h1$81", "a", "b"}).value_or("(out)"),
                UrlToStorePath(target))
          << href;
    } else {
      EXPECT_EQ(href, target);
    }
  }
  EXPECT_EQ(anchors, 75);
  EXPECT_GE(references, 65);
}

}  // namespace
}  // namespace corvisant
