#include "html/html_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace corvisant {
namespace {

TEST(EqualsNoCase, FoldsOnlyAToZ) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  for (Case c : {Case{"HREF", "href", true}, Case{"", "", true}, Case{"a", "", false},
                 Case{"ab", "abc", false}, Case{"\xC9", "\xE9", false}, Case{"[", "{", false},
                 Case{"a1", "A1", true}, Case{nullptr, "", false}, Case{"", nullptr, false},
                 Case{nullptr, nullptr, false}}) {
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal)
        << (c.a ? c.a : "(null)") << " / " << (c.b ? c.b : "(null)");
  }
}

TEST(CollapseWhitespace, TrimsAndJoinsRuns) {
  struct Case {
    const char* text;
    const char* collapsed;
  };
  for (Case c :
       {Case{"  Hello \r\n  World\t", "Hello World"}, Case{"a\vb\fc", "a b c"}, Case{" \t\n ", ""},
        Case{"", ""}, Case{"one", "one"}, Case{"\xA0x\xA0", "\xA0x\xA0"}}) {
    std::string text = c.text;
    CollapseWhitespace(text);
    EXPECT_EQ(text, c.collapsed) << c.text;
    char buffer[32];
    std::strcpy(buffer, c.text);
    EXPECT_STREQ(CollapseWhitespace(buffer), c.collapsed) << c.text;
  }
  EXPECT_EQ(CollapseWhitespace(nullptr), nullptr);
}

}  // namespace
}  // namespace corvisant
