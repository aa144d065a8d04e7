#include "url/classify.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

// The classifiers' answers as one text, in the order: navigable, web prefix, file prefix,
// news/mailto, image-map query, foreign image-map query, may be HTML, page, image.
std::string Classes(std::string_view url) {
  std::string answers;
  for (bool answer : {IsNavigableUrl(url), HasWebPrefix(url), HasFilePrefix(url),
                      IsNewsOrMailto(url), IsImageMapQuery(url), IsForeignImageMapQuery(url),
                      MayBeHtml(url), IsPageUrl(url), IsImageUrl(url)}) {
    answers += answer ? '1' : '0';
  }
  return answers;
}

TEST(ClassifyTest, AnswersByTheTables) {
  struct Case {
    const char* url;
    const char* classes;
  };
  const Case cases[] = {
      {"http://h1/a/b.html", "110000110"},
      {"http://h1.example/dir", "110000100"},  // the host's "." counts: extension example/dir
      {"https://h1/a.html", "010000110"},
      {"shttp://h1/a.htm", "110000110"},
      {"ftp://h1/pub/a.tar.gz", "000000000"},
      {"ftp://h1/pub/a.Z", "000000000"},
      {"ftp://h1/pub/a.z", "100000000"},
      {"file:///C|/a.txt", "101000110"},
      {"mailto:x@y", "000100110"},
      {"news:comp.lang", "000100100"},
      {"http://h1/map.gif?11,9", "110010100"},
      {"http://h1/map.GIF?40,12", "110011100"},
      {"http://h1/map.gif^11,9", "110010100"},
      {"http://h1/a.GIF", "110000001"},
      {"http://h1/a.png", "110000101"},
      {"http://h1/a.gif#x", "110000000"},
      {"http://h1/a.html#x.gif", "110000001"},
      {"http://h1/page.shtml3", "110000110"},
      {"http://h1/a.cgi", "110000100"},
      {".profile", "000000100"},
      {"nodots", "000000110"},
      {"javascript:go()", "000000110"},
  };
  for (const Case& c : cases) EXPECT_EQ(Classes(c.url), c.classes) << c.url;
}

TEST(ClassifyTest, SchemeTestsAreExactAndCaseSensitive) {
  for (const char* web : {"http", "shttp"}) EXPECT_TRUE(IsWebScheme(web)) << web;
  for (const char* other : {"https", "HTTP"}) EXPECT_FALSE(IsWebScheme(other)) << other;
  EXPECT_TRUE(IsFtpScheme("ftp") && IsFileScheme("file"));
  EXPECT_FALSE(IsFtpScheme("ftps") || IsFileScheme("File"));
}

TEST(ClassifyTest, LongUrlsAreClassifiedWhole) {
  for (std::size_t length : {1023u, 1024u, 1536u, 10000u}) {
    std::string url = "http://h1/" + std::string(length - 10 - 9, 'a') + "/map.GIF";
    url += "?1,2";
    EXPECT_TRUE(IsForeignImageMapQuery(url)) << length;
  }
}

TEST(HtmlFileTest, SniffsTheFirst256Bytes) {
  Ports previous = InstallPorts(SystemPorts());
  Files& files = *Current<Files>();
  testing::ScratchDirectory scratch(files);
  struct Case {
    const char* name;
    std::string bytes;
    bool html;
  };
  const Case cases[] = {
      {"page.html", "<HTML><p>", true},
      {"noext", "  <Title>x", true},
      {"late.html", std::string(251, ' ') + "<body>", false},
      {"edge.html", std::string(250, ' ') + "<head>", true},
      {"plain.html", "just text", false},
      {"image.gif", "<html>", false},
      {"empty.htm", "", false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(testing::WriteBytes(files, c.name, c.bytes));
    EXPECT_EQ(IsHtmlFile(c.name), c.html) << c.name;
  }
  EXPECT_FALSE(IsHtmlFile("missing.html"));
  ASSERT_EQ(files.MakeDirectory("dir"), 0);
  ASSERT_TRUE(testing::WriteBytes(files, "dir\\in.html", "<html>"));
  EXPECT_TRUE(IsHtmlFileIn("dir", "in.html"));
  InstallPorts(previous);
}

}  // namespace
}  // namespace corvisant
