// Hostile links in a stored page: however an href is written, its rewrite leads, as a browser
// walks it from the page's copy and the file system then reads each name, to the copy of the URL
// the link leads to on the web, never out of the store root; or it is that URL itself.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "html/attributes.h"
#include "html/html_scanner.h"
#include "html/local_references.h"
#include "html/page_text_rewrite.h"
#include "url/url.h"

namespace corvisant {
namespace {

int Hex(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// The bytes a browser hands the file system for a name, "%" and two hex digits decoded.
std::string Decode(const std::string& name) {
  std::string bytes;
  for (std::size_t i = 0; i < name.size(); ++i) {
    bool escape = name[i] == '%' && i + 2 < name.size() &&
                  std::isxdigit(static_cast<unsigned char>(name[i + 1])) &&
                  std::isxdigit(static_cast<unsigned char>(name[i + 2]));
    bytes += escape ? static_cast<char>(Hex(name[i + 1]) * 16 + Hex(name[i + 2])) : name[i];
    if (escape) i += 2;
  }
  return bytes;
}

// The store path reference leads to from the directory path: "/" and "\" separate, "." and ".."
// (a dot also "%2e") are steps, every other name is decoded once; "" when it leaves the root or a
// name decodes to a separator or to dots and blanks alone (a step to the file system).
std::string Follow(const std::string& reference, std::vector<std::string> path) {
  std::string rest = reference.substr(0, reference.find('#')) + "/";
  for (std::size_t end; (end = rest.find_first_of("/\\")) != std::string::npos;) {
    std::string segment = rest.substr(0, end), dots = Decode(segment);
    rest.erase(0, end + 1);
    bool last = rest.empty();
    if (dots == "..") {
      if (path.empty()) return "";
      path.pop_back();
    } else if (dots != "." && !(segment.empty() && last)) {
      std::string name = Decode(segment);
      if (name.find_first_of("/\\") != std::string::npos) return "";
      if (!name.empty() && name.find_first_not_of(". ") == std::string::npos) return "";
      path.push_back(name);
    }
  }
  std::string joined;
  for (const std::string& name : path) joined += (joined.empty() ? "" : "\\") + name;
  return joined;
}

// The page stored for http://h1/a/b/p.html lies in h1\a\b. Each form: the href as it stands in
// the page, and the URL a browser reads it as (a "file:" URL is read as a path of the page's own
// site, a scheme in other letters as no scheme of a local copy at all).
TEST(HostileLinks, EveryRewrittenLinkLeadsToTheCopyOfItsTarget) {
  const std::pair<const char*, const char*> forms[] = {
      {"http://ex.com/a/../../../../../../../../etc/passwd", "http://ex.com/etc/passwd"},
      {"http://ex.com/../etc/passwd", "http://ex.com/etc/passwd"},
      {"http://ex.com/a/./b/../c.html", "http://ex.com/a/c.html"},
      {"http://ex.com/..", "http://ex.com/"},
      {"http://ex.com/a/..", "http://ex.com/"},
      {"http://ex.com/a/%2e%2e/%2e%2e/%2e%2e/etc/passwd", "http://ex.com/etc/passwd"},
      {"http://ex.com/%2E%2E/%2e./.%2E/x", "http://ex.com/x"},
      {"http://ex.com/a/..%2f..%2f..%2fetc/p", "http://ex.com/a/..%2f..%2f..%2fetc/p"},
      {"http://ex.com\\..\\..\\..\\etc\\passwd", "http://ex.com/etc/passwd"},
      {"http:\\\\ex.com\\..\\x", "http://ex.com/x"},
      {"http://ex.com/a\\..\\..\\..\\x", "http://ex.com/x"},
      {"http://ex.com:8080/../../x", "http://ex.com:8080/x"},
      {"http://ex.com:../../../x", "http://ex.com:../x"},
      {"http://../../../etc/passwd", "http://../etc/passwd"},
      {"//ex.com/../../etc", "http://ex.com/etc"},
      {"\\\\ex.com\\..\\etc", "http://ex.com/etc"},
      {"/\\ex.com/../etc", "http://ex.com/etc"},
      {"http://ex.com/a/..;/..;/x", "http://ex.com/a/..;/..;/x"},
      {"http://ex.com/a/.. /.. /x", "http://ex.com/a/.. /.. /x"},
      {"http://ex.com/a/%2e%2e%20/%2e%2e%20/x", "http://ex.com/a/%2e%2e%20/%2e%2e%20/x"},
      {"http://ex.com/a/...//..../x", "http://ex.com/a/...//..../x"},
      {"http://ex.com/x?../../../../etc/passwd", "http://ex.com/x?../../../../etc/passwd"},
      {"http://ex.com/x?a=..\\..\\..\\etc", "http://ex.com/x?a=..\\..\\..\\etc"},
      {"http://ex.com/x#/../../../../etc", "http://ex.com/x"},
      {"http://ex.com/../../x.html#f", "http://ex.com/x.html"},
      {"HTTP://ex.com/../../x", "HTTP://ex.com/../../x"},
      {"https://ex.com/../../x", "https://ex.com/../../x"},
      {"ftp://ex.com/pub/../../../../etc", "ftp://ex.com/etc"},
      {"shttp://ex.com/../../x", "shttp://ex.com/x"},
      {"http://ex.com:80/../../x", "http://ex.com:80/x"},
      {"http://h1/../../../x", "http://h1/x"},
      {"http://CorvisantDatabase/etc/preferences", "http://CorvisantDatabase/etc/preferences"},
      {"http://%2e%2e/etc", "http://%2e%2e/etc"},
      {"http://ex.com%2f..%2f..%2f/x", "http://ex.com%2f..%2f..%2f/x"},
      {"/../../../../../../etc/passwd", "http://h1/etc/passwd"},
      {"/a/../../../../etc", "http://h1/etc"},
      {"/%2e%2e/%2e%2e/etc", "http://h1/etc"},
      {"\\..\\..\\..\\etc", "http://h1/etc"},
      {"/./././../x", "http://h1/x"},
      {"/x/..", "http://h1/"},
      {"/..", "http://h1/"},
      {"/CorvisantDatabase/etc/preferences", "http://h1/CorvisantDatabase/etc/preferences"},
      {"../../../../../../../../etc/passwd", "http://h1/etc/passwd"},
      {"../../../x", "http://h1/x"},
      {"../../x", "http://h1/x"},
      {"../x", "http://h1/a/x"},
      {"a/../../../../../etc", "http://h1/etc"},
      {"%2e%2e/%2e%2e/%2e%2e/%2e%2e/etc/passwd", "http://h1/etc/passwd"},
      {".%2e/.%2e/.%2e/.%2e/etc", "http://h1/etc"},
      {"%2e./%2E./%2e./%2e./x", "http://h1/x"},
      {"..\\..\\..\\..\\etc\\passwd", "http://h1/etc/passwd"},
      {"..\\/..\\/..\\/..\\/x", "http://h1/a//x"},
      {"./../../../../etc", "http://h1/etc"},
      {"x/../../../../../../etc/passwd#f", "http://h1/etc/passwd"},
      {"../../../../etc/passwd?q=1", "http://h1/etc/passwd?q=1"},
      {"?../../../../etc", "http://h1/a/b/p.html?../../../../etc"},
      {"http:../../../../../etc", "http://h1/etc"},
      {"http:..\\..\\..\\..\\etc", "http://h1/etc"},
      {" ../../../../../etc ", "http://h1/etc"},
      {"&#9;../&#10;../../../../etc", "http://h1/etc"},
      {".&#9;./.&#9;./.&#9;./.&#9;./etc", "http://h1/etc"},
      {"&#46;&#46;/&#46;&#46;/&#46;&#46;/&#46;&#46;/etc", "http://h1/etc"},
      {"%2e%2e%5c%2e%2e%5c%2e%2e%5cetc", "http://h1/a/b/%2e%2e%5c%2e%2e%5c%2e%2e%5cetc"},
      {"..%2f..%2f..%2f..%2fetc", "http://h1/a/b/..%2f..%2f..%2f..%2fetc"},
      {"file:///etc/passwd", "http://h1/etc/passwd"},
      {"file:///../../../../etc/passwd", "http://h1/etc/passwd"},
      {"file:\\\\\\..\\..\\..\\etc", "http://h1/etc"},
      {"FILE:///etc/passwd", "http://h1/etc/passwd"},
      {" file:///etc/passwd", "http://h1/etc/passwd"},
      {"&#31;file:///etc/passwd", "http://h1/etc/passwd"},
      {"/a/b/../../%2e%2e\\..\\.%2e/./x?y=../..#../..", "http://h1/x?y=../.."},
  };
  int references = 0;
  for (const auto& [href, target] : forms) {
    std::string page = std::string("<a href=\"") + href + "\">x</a>";
    int looksLikeHtml = 0;
    HtmlTokenPtr tokens = ScanHtml(page.c_str(), &looksLikeHtml);
    PageRewriteSettings settings;
    settings.pageUrl = "http://h1/a/b/p.html";
    settings.pageDepth = StoredPageDepth(settings.pageUrl);
    std::string title;
    RewriteOutcome outcome;
    std::string rewritten =
        RewritePageText(page.c_str(), page.size(), tokens.get(), settings, &title, &outcome);
    std::size_t offset = 0;
    std::string value = FindAttribute(rewritten.substr(1), "", "href", &offset).value_or("");
    if (!SchemeOf(value).empty()) {
      EXPECT_EQ(value, target) << href;
      continue;
    }
    ++references;
    EXPECT_EQ(Follow(value, {"h1", "a", "b"}), UrlToStorePath(target)) << href << " as " << value;
  }
  EXPECT_GE(references, 60);
}

}  // namespace
}  // namespace corvisant
