// The small text rules of the URL layer: the classifiers and the text helpers.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_process.h"
#include "url/classify.h"
#include "url/text_helpers.h"

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
      {"javascript:go()", "000000110"}};
  for (const Case& c : cases) EXPECT_EQ(Classes(c.url), c.classes) << c.url;
  // The scheme tests are exact and case-sensitive.
  EXPECT_TRUE(IsWebScheme("http") && IsWebScheme("shttp") && IsFtpScheme("ftp") &&
              IsFileScheme("file"));
  EXPECT_FALSE(IsWebScheme("https") || IsWebScheme("HTTP") || IsFtpScheme("ftps") ||
               IsFileScheme("File"));
}

TEST(HtmlFileTest, SniffsTheFirst256Bytes) {
  testing::TestProcess process;
  struct Case {
    const char* name;
    std::string bytes;
    bool html;
  };
  const Case cases[] = {{"page.html", "<HTML><p>", true},
                        {"noext", "  <Title>x", true},
                        {"late.html", std::string(251, ' ') + "<body>", false},
                        {"edge.html", std::string(250, ' ') + "<head>", true},
                        {"plain.html", "just text", false},
                        {"image.gif", "<html>", false},
                        {"empty.htm", "", false}};
  for (const Case& c : cases) {
    ASSERT_TRUE(process.Write(c.name, c.bytes));
    EXPECT_EQ(IsHtmlFile(c.name), c.html) << c.name;
  }
  EXPECT_FALSE(IsHtmlFile("missing.html"));
  EXPECT_TRUE(IsHtmlFileIn(process.root(), "page.html"));
}

TEST(PercentDecodeTest, DecodesADigitAndOneMoreCharacter) {
  struct Case {
    std::string text;
    std::string decoded;
  };
  const Case cases[] = {{"a%20b", "a b"}, {"%2c%2C", ",,"}, {"%7e", "~"},
                        {"%41%4a", "AJ"}, {"%1G", " "},  // 16 + ('G' - 55)
                        {"%zz", "%zz"},   {"%", "%"},       {"%4", "%4"},
                        {"a%", "a%"},     {"%%41", "%A"},   {"%00x", std::string("\0x", 2)}};
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(PercentDecode(text), c.decoded.size()) << c.text;
    EXPECT_EQ(text, c.decoded) << c.text;
  }
}

TEST(TextHelpersTest, EscapeStripAndFold) {
  EXPECT_EQ(EscapeCommaSpace("a,b c"), "a%2cb%20c");
  EXPECT_EQ(EscapeCommaSpace("plain"), "plain");
  std::string text = "a\1b\17c\20d\200e\377f";  // 0x01, 0x0F, 0x10, 0x80 and 0xFF
  StripControlBytes(text);
  EXPECT_EQ(text, "abc\20def");
  std::string mixed = "AbZ\xC4[";
  LowerCaseInPlace(mixed);
  EXPECT_EQ(mixed, "abz\xC4[") << "only A-Z fold";
}

TEST(TextHelpersTest, LongSegments) {
  std::string at = std::string(255, 'a');
  std::string over = std::string(256, 'b');
  EXPECT_FALSE(HasLongSegment(at + "/" + at));
  EXPECT_TRUE(HasLongSegment("x/" + over + "/y"));
  EXPECT_EQ(TruncateLongSegments("x/" + over + "/" + over),
            "x/" + std::string(255, 'b') + "/" + std::string(255, 'b'));
  EXPECT_EQ(TruncateLongSegments(at), at);
}

}  // namespace
}  // namespace corvisant
