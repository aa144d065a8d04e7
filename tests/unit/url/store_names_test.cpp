#include "url/store_names.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_process.h"
#include "url/url.h"

namespace corvisant {
namespace {

class StoreNamesTest : public ::testing::Test {
 protected:
  void SetUp() override { SetStoreRoot("C:\\My Store"); }
  testing::TestProcess process_;
};

TEST_F(StoreNamesTest, CharacterMappingAndPathForms) {
  struct Case {
    const char* text;
    const char* mapped;
    const char* unmapped;  // of the mapped text: the parent guard "__" is not undone
  };
  const Case cases[] = {{"a:b?c|d*e\"f<g>h", "a$b^c!d}e{f[g]h", "a:b?c|d*e\"f<g>h"},
                        {"a/..", "a/__", "a/__"},
                        {"..", "__", "__"},
                        {".", ".", "."},
                        {"a../b", "a../b", "a../b"},
                        {"...", ".__", ".__"},
                        {"", "", ""}};
  for (const Case& c : cases) {
    std::string text = c.text;
    MapToStoreChars(text);
    EXPECT_EQ(text, c.mapped) << c.text;
    UnmapStoreChars(text);
    EXPECT_EQ(text, c.unmapped) << c.text;
  }
  std::string path = "C|/dir/a|b/c";
  UrlPathToDosPath(path);
  EXPECT_EQ(path, "C:\\dir\\a|b\\c") << "only the first bar";
  DosPathToUrlPath(path);
  EXPECT_EQ(path, "C|/dir/a|b/c");
  EXPECT_EQ(StoreRootUrlPath(), "/C|/My Store");
  SetStoreRoot("D:\\");
  EXPECT_EQ(StoreRoot() + " " + StoreRootUrlPath(), "D: /D|") << "without the final backslash";
}

// The store path of a URL's copy (with the default document), and the name from its split parts
// (without it); "" for none.
TEST_F(StoreNamesTest, UrlToStorePathAndPartsToStoreName) {
  struct Case {
    const char* url;
    const char* path;
    const char* name;
  };
  const Case cases[] = {
      {"http://h1", "h1\\index.html", "h1\\"},
      {"http://h1/", "h1\\index.html", "h1\\"},
      {"http://h1/a/b.html#x", "h1\\a\\b.html", "h1\\a\\b.html"},
      {"http://h1:81/cgi-bin/q?a=b", "h1$81\\cgi-bin\\q^a=b", "h1$81\\cgi-bin\\q^a=b"},
      {"ftp://f1/pub/", "f1\\pub\\index.html", "f1\\pub\\"},
      {"file:///C|/My Store/h1/a.html", "h1\\a.html", "C!\\My Store\\h1\\a.html"},
      {"file:///C|/My Store/", "index.html", "C!\\My Store\\"},
      {"file:///C|/elsewhere/a.html", "", "C!\\elsewhere\\a.html"},
      {"file:///C|/My Storex/a.html", "", "C!\\My Storex\\a.html"},
      {"file:///C|/My Store/CorvisantDatabase/etc/version", "CorvisantDatabase_\\etc\\version",
       "C!\\My Store\\CorvisantDatabase\\etc\\version"}};
  for (const Case& c : cases) {
    EXPECT_EQ(UrlToStorePath(c.url), c.path) << c.url;
    UrlParts parts;
    ParseUrl(c.url, &parts);
    EXPECT_EQ(PartsToStoreName(parts), c.name) << c.url;
  }
}

// Up to 1,023 bytes a URL is composed, stored (segments cut to 255) and classified whole; beyond,
// it is refused, never cut.
TEST_F(StoreNamesTest, LongUrls) {
  for (std::size_t length : {1023u, 1024u, 1536u, 10000u}) {
    const std::string tail = "/map.GIF?1,2";
    std::string url = "http://h1/" + std::string(length - 10 - tail.size(), 'a') + tail;
    UrlParts parts;
    ParseUrl(url, &parts);
    EXPECT_EQ(parts.path.size(), length - 10) << "parsing takes any length";
    bool fits = length <= kMaxUrlLength;
    EXPECT_EQ(ComposeUrl(parts, false), fits ? url : "") << length;
    EXPECT_EQ(UrlToStorePath(url), fits ? "h1\\" + std::string(255, 'a') + "\\map.GIF^1,2" : "");
    EXPECT_TRUE(IsForeignImageMapQuery(url)) << length;

    // A URL whose "file:" URL is exactly length bytes long, in segments of up to 100.
    std::size_t rest = length - std::string("file:///C|/My Store/h1/").size();
    for (url = "http://h1/"; rest > 100; rest -= 100) url += std::string(99, 'b') + "/";
    url += std::string(rest, 'c');
    std::string fileUrl = url;
    EXPECT_EQ(UrlToStoreFileUrl(fileUrl), fits) << length;
    EXPECT_EQ(fileUrl.size(), fits ? length : url.size()) << "refused: left as given";
  }
}

TEST_F(StoreNamesTest, StoreFileUrlsAndBack) {
  struct Case {
    const char* url;
    const char* web;
  };
  const Case cases[] = {
      {"file:///C|/My Store/h1$81/docs/a^b.html", "http://h1:81/docs/a?b.html"},
      {"file:///C|/My Store/www.h1.org/d/index.html", "http://www.h1.org/d/"},
      {"file:///C|/My Store/www.h1.org/a.html#top", "http://www.h1.org/a.html#top"},
      {"file:///C|/My Store/CorvisantDocument/a.html",
       "file:///C|/My Store/CorvisantDocument/a.html"},
      {"file:///C|/My Store/www.h1.org", "file:///C|/My Store/www.h1.org"},
      {"file:///C|/other/www.h1.org/a.html", "file:///C|/other/www.h1.org/a.html"},
      {"http://h1/index.html", "http://h1/"},
      {"/index.html", "/index.html"},
      {"x/index.html", "x/"}};
  for (const Case& c : cases) EXPECT_EQ(StoreFileUrlToUrl(c.url), c.web) << c.url;

  // Web URLs become the "file:" URL of their copy; a "file:" URL only when its copy (below the
  // store root, its drive as "C!") exists.
  std::string url = "http://h1:81/q?a#f";
  EXPECT_TRUE(UrlToStoreFileUrl(url));
  EXPECT_EQ(url, "file:///C|/My Store/h1$81/q^a#f");
  url = "file:///C|/elsewhere/a.html";
  EXPECT_FALSE(UrlToStoreFileUrl(url)) << "no such local copy";
  EXPECT_EQ(url, "file:///C|/elsewhere/a.html");
  SetStoreRoot(process_.root());
  ASSERT_EQ(process_.files().MakeDirectory("h1"), 0);
  ASSERT_TRUE(process_.Write("h1\\a.html", "<p>"));
  const std::string copy = "file://" + StoreRootUrlPath() + "/h1/a.html";
  EXPECT_TRUE(LocalFileExists(copy));
  EXPECT_FALSE(LocalFileExists("file://" + StoreRootUrlPath() + "/h1/b.html"));
  EXPECT_TRUE(LocalFileExists("http://h1/b.html")) << "only file: URLs are looked up";
  url = copy;
  EXPECT_FALSE(UrlToStoreFileUrl(url)) << "no copy of the copy";
  EXPECT_EQ(url, copy);
}

// Ordinary names pass unchanged; names a file system would read as something else get a safe
// form of their own.
TEST_F(StoreNamesTest, SafeStoreNames) {
  struct Case {
    const char* name;
    const char* safe;
  };
  const Case cases[] = {

      {"www.h1.org/.profile/x", "www.h1.org\\.profile\\x"},
      {"h1/../../x", "h1\\__\\__\\x"},
      {"h1/./x", "h1\\_\\x"},
      {"h1/.. /x", "h1\\___\\x"},
      {"h1/a. . /x", "h1\\a____\\x"},
      {"\\\\server\\share", "_\\_\\server\\share"},
      {"C|/Windows/x", "C!\\Windows\\x"},
      {"h1//x", "h1\\_\\x"},
      {"h1/d/", "h1\\d\\"},
      {"h1/con", "h1\\con_"},
      {"h1/CON.html", "h1\\CON_.html"},
      {"h1/nul.tar.gz", "h1\\nul_.tar.gz"},
      {"h1/com1", "h1\\com1_"},
      {"h1/LPT9.txt", "h1\\LPT9_.txt"},
      {"h1/aux .txt", "h1\\aux_ .txt"},
      {"h1/conin$", "h1\\conin$_"},
      {"h1/com10", "h1\\com10"},
      {"h1/console", "h1\\console"},
      {"h1/lpt", "h1\\lpt"},
      {"prn/x", "prn_\\x"},
      {"corvisantdocument/a.html", "corvisantdocument_\\a.html"},
      {"h1/CorvisantDatabase/x", "h1\\CorvisantDatabase\\x"},
      {"CORVIS~1/etc", "CORVIS_1\\etc"},
      {"h1/a~1.htm", "h1\\a~1.htm"},
      {"h1/p.html.01234~new", "h1\\p.html.01234~ne_"},
      {"h1/p.html.0123~new", "h1\\p.html.0123~new"}};
  for (const Case& c : cases) EXPECT_EQ(SafeStoreName(c.name), c.safe) << c.name;
}

}  // namespace
}  // namespace corvisant
