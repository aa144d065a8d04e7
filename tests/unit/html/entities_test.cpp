#include "html/entities.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace corvisant {
namespace {

TEST(EntityTable, HoldsTheMarkupNamesThenLatin1InCodeOrder) {
  const char* const markup[] = {"lt", "LT", "gt", "GT", "amp", "AMP", "quot", "QUOT"};
  const unsigned markupCodes[] = {60, 60, 62, 62, 38, 38, 34, 34};
  for (std::size_t i = 0; i < std::size(markup); ++i) {
    EXPECT_STREQ(kHtmlEntities[i].name, markup[i]);
    EXPECT_EQ(kHtmlEntities[i].code, markupCodes[i]);
  }
  const std::size_t latin1 = std::size(markup);
  for (std::size_t i = latin1; i < kHtmlEntityCount; ++i) {
    EXPECT_EQ(kHtmlEntities[i].code, 160 + (i - latin1)) << kHtmlEntities[i].name;
    EXPECT_EQ(EntityCode(kHtmlEntities[i].name), kHtmlEntities[i].code) << kHtmlEntities[i].name;
  }
  EXPECT_STREQ(kHtmlEntities[latin1].name, "nbsp");
  EXPECT_STREQ(kHtmlEntities[latin1 + 175 - 160].name, "hibar");
  EXPECT_STREQ(kHtmlEntities[kHtmlEntityCount - 1].name, "yuml");
}

TEST(EntityTable, NamesAreExactAndCaseSensitive) {
  struct Case {
    const char* name;
    unsigned code;
  };
  for (Case c :
       {Case{"Auml", 196}, Case{"auml", 228}, Case{"AUML", 0}, Case{"Lt", 0}, Case{"macr", 0},
        Case{"copyx", 0}, Case{"cop", 0}, Case{"", 0}, Case{"frac12", 189}, Case{"plusmnx", 0}}) {
    EXPECT_EQ(EntityCode(c.name), c.code) << c.name;
  }
}

struct DecodeCase {
  const char* text;
  const char* decoded;
};

// Each case runs through both forms of the decoder: counted and NUL-terminated.
TEST(DecodeEntities, DecodesWhatItCanReadAndKeepsTheRest) {
  const DecodeCase cases[] = {
      {"AT&amp;T", "AT&T"},
      {"&lt", "<"},
      {"a &lt", "a <"},
      {"&#65;", "A"},
      {"&copy done", "\xA9 done"},
      {"&unknown;", "&unknown;"},
      {"&quot;x&QUOT;", "\"x\""},
      {"&lt;&gt;&amp;", "<>&"},
      {"&amp;lt;", "&lt;"},
      {"&#65 x", "A x"},
      {"&#65x;", "A"},
      {"&#321;", "A"},
      {"&#-191;", "A"},
      {"&#8217;", "\x19"},
      {"&#99999999999999999999;", "\xFF"},
      {"&#65abc", "Aabc"},
      {"&#65", "A"},
      {"&#0;", "&#0;"},
      {"&#256;", "&#256;"},
      {"&#;", "&#;"},
      {"&#", "&#"},
      {"&#x41;", "&#x41;"},
      {"&", "&"},
      {"a & b", "a & b"},
      {"&&lt;", "&<"},
      {"&1;", "&1;"},
      {"&lt<b>", "&lt<b>"},
      {"&ltx", "&ltx"},
      {"&amp", "&"},
      {"&nbsp;\t&yuml;", "\xA0\t\xFF"},
      {"&hibar;&macr;", "\xAF&macr;"},
      {"&lt\n", "<\n"},
      {"", ""},
      {"plain text", "plain text"},
  };
  for (const DecodeCase& c : cases) {
    std::string text = c.text;
    DecodeEntities(text);
    EXPECT_EQ(text, c.decoded) << c.text;

    char buffer[64];
    std::strcpy(buffer, c.text);
    EXPECT_STREQ(DecodeEntities(buffer), c.decoded) << c.text;
  }
}

TEST(DecodeEntities, NullIsLeftAlone) { EXPECT_EQ(DecodeEntities(nullptr), nullptr); }

TEST(DecodeEntities, LongRunsOfOpenReferencesStayLinear) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "&#1&a";
  std::string expected;
  for (int i = 0; i < 200000; ++i) expected += "\x01&a";
  // Every reference runs to the end of the text, so only the digits after "&#" count.
  DecodeEntities(text);
  EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace corvisant
