#include "html/tag_table.h"

#include <gtest/gtest.h>

#include <string>

namespace corvisant {
namespace {

struct TagCase {
  const char* name;
  int id;
  bool marksHtml;
};

// The whole table as the consumers rely on it: every name with its id and mark.
constexpr TagCase kTable[] = {
    {"a", 8, false},         {"html", -2, true},        {"title", 1, true},
    {"tt", -2, false},       {"b", -2, false},          {"i", -2, false},
    {"em", -2, false},       {"code", -2, false},       {"samp", -2, false},
    {"kbd", -2, false},      {"var", -2, false},        {"cite", -2, false},
    {"strike", -2, false},   {"h1", -2, false},         {"h2", -2, false},
    {"h3", -2, false},       {"h4", -2, false},         {"h5", -2, false},
    {"h6", -2, false},       {"address", -2, false},    {"xmp", -2, false},
    {"listing", -2, false},  {"plaintext", -2, false},  {"p", -2, false},
    {"ol", -2, false},       {"menu", -2, false},       {"dir", -2, false},
    {"li", -2, false},       {"dl", -2, false},         {"dd", -2, false},
    {"pre", -2, false},      {"blockquote", -2, false}, {"isindex", -2, false},
    {"br", -2, false},       {"select", -2, false},     {"option", -2, false},
    {"form", -2, false},     {"sup", -2, false},        {"sub", -2, false},
    {"textarea", -2, false}, {"head", -2, true},        {"u", -2, false},
    {"caption", -2, false},  {"strong", 29, false},     {"dt", 16, false},
    {"ul", 12, false},       {"hr", 39, false},         {"input", 37, false},
    {"base", 41, false},     {"img", 24, false},        {"fig", 52, false},
    {"body", 56, true},      {"table", 45, false},      {"tr", 48, false},
    {"th", 47, false},       {"td", 49, false},         {"area", 57, false},
    {"frameset", 58, false}, {"frame", 59, false},      {"noframes", 60, false},
    {"noframe", 60, false},  {"meta", 61, false},       {"visit", 62, false},
    {"embed", 63, false},
};

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

TEST(TagTable, EveryNameGivesItsIdInAnyCase) {
  ASSERT_EQ(kHtmlTags.size(), std::size(kTable));
  for (const TagCase& c : kTable) {
    for (const std::string& spelling : {std::string(c.name), UpperCase(c.name)}) {
      int looks = 0;
      EXPECT_EQ(TagIdOf(spelling.c_str(), &looks), c.id) << spelling;
      EXPECT_EQ(looks, c.marksHtml ? 1 : 0) << spelling;
    }
  }
}

TEST(TagTable, TheNameEndsAtWhiteSpace) {
  struct Case {
    const char* text;
    int id;
  };
  for (Case c :
       {Case{"A HREF=x.html", 8}, Case{"img\tsrc=a.gif", 24}, Case{"TiTlE\n", 1},
        Case{"frame\rsrc=f", 59}, Case{"br/", -1}, Case{"a-b", -1}, Case{" a", -1}, Case{"", -1},
        Case{"!DOCTYPE html", -1}, Case{"abbr", -1}, Case{"noframesx", -1}, Case{"\xC1", -1}}) {
    EXPECT_EQ(TagIdOf(c.text), c.id) << c.text;
  }
}

TEST(TagTable, NullNameIsNotATag) {
  int looks = 0;
  EXPECT_EQ(TagIdOf(static_cast<const char*>(nullptr), &looks), 0);
  EXPECT_EQ(looks, 0);
}

TEST(TagTable, TheHtmlMarkIsNeverCleared) {
  int looks = 0;
  TagIdOf("body", &looks);
  TagIdOf("p", &looks);
  TagIdOf("nonsense", &looks);
  EXPECT_EQ(looks, 1);
}

}  // namespace
}  // namespace corvisant
