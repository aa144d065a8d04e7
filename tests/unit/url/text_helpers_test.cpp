#include "url/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace corvisant {
namespace {

TEST(PercentDecodeTest, DecodesADigitAndOneMoreCharacter) {
  struct Case {
    std::string text;
    std::string decoded;
  };
  const Case cases[] = {
      {"a%20b", "a b"}, {"%2c%2C", ",,"}, {"%7e", "~"},
      {"%41%4a", "AJ"}, {"%1G", " "},  // 16 + ('G' - 55)
      {"%zz", "%zz"},   {"%", "%"},       {"%4", "%4"},
      {"a%", "a%"},     {"%%41", "%A"},   {"%00x", std::string("\0x", 2)},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(PercentDecode(text), c.decoded.size()) << c.text;
    EXPECT_EQ(text, c.decoded) << c.text;
  }
}

TEST(TextHelpersTest, EscapeStripAndFold) {
  EXPECT_EQ(EscapeCommaSpace("a,b c"), "a%2cb%20c");
  EXPECT_EQ(EscapeCommaSpace("plain"), "plain");
  std::string text =
      "a\x01"
      "b\x0f"
      "c\x10"
      "d\x80"
      "e\xff"
      "f";
  StripControlBytes(text);
  EXPECT_EQ(text,
            "ab"
            "c\x10"
            "def");
  std::string mixed = "AbZ\xC4[";
  LowerCaseInPlace(mixed);
  EXPECT_EQ(mixed, "abz\xC4[") << "only A-Z fold";
}

TEST(TextHelpersTest, ContainsBytesSearchesTheCountedBuffer) {
  const char buffer[] = "abc\0def";
  EXPECT_TRUE(ContainsBytes(buffer, 7, "def")) << "past an embedded NUL";
  EXPECT_FALSE(ContainsBytes(buffer, 6, "def")) << "not beyond the count";
  EXPECT_TRUE(ContainsBytes(buffer, 0, ""));
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
