#include "url/store_names.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

constexpr const char* kRoot = "C:\\Program Files\\Corvisant";

class StoreNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = InstallPorts(SystemPorts());
    SetStoreRoot(kRoot);
  }
  void TearDown() override { InstallPorts(previous_); }
  Ports previous_;
};

TEST_F(StoreNamesTest, CharacterMapping) {
  std::string text = "a:b?c|d*e\"f<g>h";
  MapToStoreChars(text);
  EXPECT_EQ(text, "a$b^c!d}e{f[g]h");
  UnmapStoreChars(text);
  EXPECT_EQ(text, "a:b?c|d*e\"f<g>h");
  struct Case {
    const char* text;
    const char* mapped;
  };
  const Case cases[] = {{"a/..", "a/__"},   {"..", "__"},   {".", "."},
                        {"a../b", "a../b"}, {"...", ".__"}, {"", ""}};
  for (const Case& c : cases) {
    std::string mapped = c.text;
    MapToStoreChars(mapped);
    EXPECT_EQ(mapped, c.mapped) << c.text;
  }
  std::string unmapped = "__";
  UnmapStoreChars(unmapped);
  EXPECT_EQ(unmapped, "__") << "the parent guard is not undone";
}

TEST_F(StoreNamesTest, DosAndUrlPaths) {
  std::string path = "C|/dir/a|b/c";
  UrlPathToDosPath(path);
  EXPECT_EQ(path, "C:\\dir\\a|b\\c") << "only the first bar";
  DosPathToUrlPath(path);
  EXPECT_EQ(path, "C|/dir/a|b/c");
  EXPECT_EQ(MakeStoreRootUrlPath("C:\\Program Files\\Corvisant"), "/C|/Program Files/Corvisant");
  EXPECT_EQ(StoreRootUrlPath(), "/C|/Program Files/Corvisant");
  SetStoreRoot("D:\\");
  EXPECT_EQ(StoreRoot(), "D:");
  EXPECT_EQ(StoreRootUrlPath(), "/D|");
}

TEST_F(StoreNamesTest, UrlToStorePathStaysInTheStore) {
  struct Case {
    const char* url;
    const char* path;  // "" for none
  };
  const Case cases[] = {
      {"http://h1", "h1\\index.html"},
      {"http://h1/a/b.html#x", "h1\\a\\b.html"},
      {"http://h1:81/cgi-bin/q?a=b", "h1$81\\cgi-bin\\q^a=b"},
      {"ftp://f1/pub/", "f1\\pub\\index.html"},
      {"file:///C|/Program Files/Corvisant/h1/a.html", "h1\\a.html"},
      {"file:///C|/Program Files/Corvisant/", "index.html"},
      {"file:///C|/elsewhere/a.html", ""},
      {"file:///C|/Program Files/Corvisantx/a.html", ""},
      // Hostile URLs stay plain names inside the store.
      {"http://h1/../../../etc/x", "h1\\__\\__\\__\\etc\\x"},
      {"http://h1\\..\\..\\x/y", "h1\\__\\__\\x\\y"},
      {"http://../x", "__\\x"},
      {"http://C:\\Windows/x", "C$\\Windows\\x"},
      {"ftp:///etc/passwd", "_\\etc\\passwd"},
      {"http://h1/a./b ", "h1\\a_\\b_"},
      {"relative/x.html", "_\\relative\\x.html"},
      {"file:///C|/Program Files/Corvisant/../x", "__\\x"},
      {"file:///C|/Program Files/Corvisant/CorvisantDatabase/etc/version",
       "CorvisantDatabase_\\etc\\version"},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlToStorePath(c.url), c.path) << c.url;
}

TEST_F(StoreNamesTest, LongUrlsHaveNoStorePath) {
  for (std::size_t length : {1023u, 1024u, 1536u, 10000u}) {
    std::string url = "http://h1/" + std::string(length - 10, 'a');
    std::string path = UrlToStorePath(url);
    if (length <= kMaxUrlLength) {
      EXPECT_EQ(path, "h1\\" + std::string(255, 'a')) << "segments are cut to 255";
    } else {
      EXPECT_EQ(path, "") << length;
    }
  }
}

TEST_F(StoreNamesTest, PartsToStoreName) {
  struct Case {
    const char* url;
    const char* name;
  };
  const Case cases[] = {
      {"http://h1:81/q?a", "h1$81\\q^a"},
      {"http://h1/", "h1\\"},
      {"http://h1/d/", "h1\\d\\"},
      {"file:///C|/d/a.html", "C!\\d\\a.html"},
  };
  for (const Case& c : cases) {
    UrlParts parts;
    ParseUrl(c.url, &parts);
    EXPECT_EQ(PartsToStoreName(parts), c.name) << c.url;
  }
}

TEST_F(StoreNamesTest, StoreFileUrlToUrl) {
  struct Case {
    const char* url;
    const char* web;
  };
  const Case cases[] = {
      {"file:///C|/Program Files/Corvisant/h1$81/docs/a^b.html", "http://h1:81/docs/a?b.html"},
      {"file:///C|/Program Files/Corvisant/www.h1.org/d/index.html", "http://www.h1.org/d/"},
      {"file:///C|/Program Files/Corvisant/www.h1.org/a.html#top", "http://www.h1.org/a.html#top"},
      {"file:///C|/Program Files/Corvisant/CorvisantDocument/a.html",
       "file:///C|/Program Files/Corvisant/CorvisantDocument/a.html"},
      {"file:///C|/Program Files/Corvisant/www.h1.org",
       "file:///C|/Program Files/Corvisant/www.h1.org"},
      {"file:///C|/other/www.h1.org/a.html", "file:///C|/other/www.h1.org/a.html"},
      {"http://h1/index.html", "http://h1/"},
      {"/index.html", "/index.html"},
      {"x/index.html", "x/"},
  };
  for (const Case& c : cases) EXPECT_EQ(StoreFileUrlToUrl(c.url), c.web) << c.url;
}

TEST_F(StoreNamesTest, UrlToStoreFileUrlForWebUrls) {
  struct Case {
    const char* url;
    const char* fileUrl;
  };
  const Case cases[] = {
      {"http://h1", "file:///C|/Program Files/Corvisant/h1/index.html"},
      {"http://h1:81/q?a#f", "file:///C|/Program Files/Corvisant/h1$81/q^a#f"},
  };
  for (const Case& c : cases) {
    std::string url = c.url;
    EXPECT_TRUE(UrlToStoreFileUrl(url));
    EXPECT_EQ(url, c.fileUrl);
  }
  std::string local = "file:///C|/elsewhere/a.html";
  EXPECT_FALSE(UrlToStoreFileUrl(local)) << "no such local copy";
  EXPECT_EQ(local, "file:///C|/elsewhere/a.html");
}

TEST_F(StoreNamesTest, UrlToStoreFileUrlRefusesWhatTheBufferCannotHold) {
  const std::string root = "file://" + StoreRootUrlPath() + "/h1/";
  for (std::size_t length : {1023u, 1024u, 1536u, 10000u}) {
    // A URL whose store form is exactly length characters long, in segments of 100.
    std::size_t pathLength = length - root.size();
    std::string url = "http://h1/";
    for (std::size_t i = 0; i < pathLength / 100; ++i) url += std::string(99, 'b') + "/";
    url += std::string(pathLength % 100, 'c');
    std::string given = url;
    bool rewritten = UrlToStoreFileUrl(url);
    EXPECT_EQ(rewritten, length <= kMaxUrlLength) << length;
    if (rewritten) {
      EXPECT_EQ(url.size(), length);
    } else {
      EXPECT_EQ(url, given) << "left as given";
    }
  }
}

TEST_F(StoreNamesTest, LocalFilesOfTheStore) {
  Files& files = *Current<Files>();
  testing::ScratchDirectory scratch(files);
  SetStoreRoot(files.CurrentDirectory());
  ASSERT_EQ(files.MakeDirectory("h1"), 0);
  ASSERT_TRUE(testing::WriteBytes(files, "h1\\a.html", "<p>"));
  std::string copy = "file://" + StoreRootUrlPath() + "/h1/a.html";
  EXPECT_TRUE(LocalFileExists(copy));
  EXPECT_FALSE(LocalFileExists("file://" + StoreRootUrlPath() + "/h1/b.html"));
  EXPECT_TRUE(LocalFileExists("http://h1/b.html")) << "only file: URLs are looked up";

  std::string url = "file://" + StoreRootUrlPath() + "/h1/a.html";
  // A local file's URL names its copy below the store root, with its drive as "C!".
  EXPECT_FALSE(UrlToStoreFileUrl(url));
  EXPECT_EQ(url, copy);
}

// Ordinary names pass unchanged; names a file system would read as something else get a safe
// form of their own.
TEST_F(StoreNamesTest, SafeStoreNames) {
  struct Case {
    std::string name;
    std::string safe;
  };
  const Case cases[] = {
      {"h1/a/b.html", "h1\\a\\b.html"},
      {"h1$81/cgi-bin/q^a=b", "h1$81\\cgi-bin\\q^a=b"},
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
      {std::string("h1/..\0/x", 8), "h1\\.._\\x"},
      {"h1/" + std::string(300, 's'), "h1\\" + std::string(255, 's')},
      {"h1/" + std::string(254, 's') + "..", "h1\\" + std::string(254, 's') + "_"},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeStoreName(c.name), c.safe) << c.name;
}

TEST_F(StoreNamesTest, SafeNamesAreStable) {
  for (std::string name : {"h1/../x", "CON/aux.txt", "CorvisantDatabase/a", "/x/./y. ",
                           "C|/d/com3.txt", "CORVIS~1/x"}) {
    std::string once = SafeStoreName(name);
    EXPECT_EQ(SafeStoreName(once), once) << name;
  }
}

}  // namespace
}  // namespace corvisant
