#include "html/attributes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace corvisant {
namespace {

// Every attribute NextAttribute reads from text, as "name=value@valueStart" or "name" for one
// written without "=" (whose value must then be "1").
std::vector<std::string> ReadAll(std::string_view text) {
  std::vector<std::string> read;
  std::size_t cursor = 0;
  std::size_t nameStart = 0;
  std::size_t nameEnd = 0;
  std::size_t valueStart = 0;
  while (auto value = NextAttribute(text, &cursor, &nameStart, &nameEnd, &valueStart)) {
    std::string name(text.substr(nameStart, nameEnd - nameStart));
    if (valueStart == kNoValue) {
      EXPECT_EQ(*value, "1");
      read.push_back(name);
    } else {
      read.push_back(name + "=" + *value + "@" + std::to_string(valueStart));
    }
  }
  EXPECT_EQ(cursor, text.size());
  return read;
}

TEST(NextAttribute, ReadsNamesAndValuesAsWritten) {
  struct Case {
    const char* text;
    std::vector<std::string> attributes;
  };
  const Case cases[] = {
      {"a href=x.html", {"a", "href=x.html@7"}},
      {"img src=\"a b.gif\" ismap", {"img", "src=a b.gif@9", "ismap"}},
      {"a href = \"x\"", {"a", "href=x@10"}},
      {"a href==x", {"a", "href=x@8"}},
      {"a href='x y'", {"a", "href='x@7", "y'"}},
      {"a href=\"open", {"a", "href=open@8"}},
      {"a href=\"\"", {"a", "href=@8"}},
      {"a href=", {"a", "href=@7"}},
      {"a =x", {"a=x@3"}},
      {"=x y", {"=x@1", "y"}},
      {"a b=\"1\"c=2", {"a", "b=1@5", "c=2@9"}},
      {"  \t\n", {}},
      {"", {}},
      {"5; URL=next.html", {"5;", "URL=next.html@7"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadAll(c.text), c.attributes) << c.text;
}

TEST(FindAttribute, FindsTheFirstValueByNameInAnyCase) {
  struct Case {
    const char* tagText;
    const char* skip;
    const char* name;
    bool found;
    const char* value;
    std::size_t offset;
  };
  const Case cases[] = {
      {"A HREF=x.html", "", "href", true, "x.html", 7},
      {"A HREF=x.html", "A", "href", true, "x.html", 6},
      {"a href=\"x.html\" name=top", "a", "NAME", true, "top", 20},
      {"a href=one href=two", "a", "href", true, "one", 6},
      {"meta content=\"5; URL=next.html\"", "meta", "content", true, "5; URL=next.html", 10},
      {"5; URL=next.html", "", "url", true, "next.html", 7},
      {"img src=a.gif", "img", "lowsrc", false, "", 0},
      {"a", "a", "href", false, "", 0},
      {"a", "abc", "href", false, "", 0},
      {"", "", "href", false, "", 0},
      {"img ismap src=x", "img", "ismap", false, "", 0},
      {"input checked", "", "checked", false, "", 0},
      {"a name=x href", "a", "href", false, "", 0},
      {"a hrefx=1 href=2", "a", "href", true, "2", 14},
  };
  for (const Case& c : cases) {
    std::size_t offset = 99;
    auto value = FindAttribute(c.tagText, c.skip, c.name, &offset);
    ASSERT_EQ(value.has_value(), c.found) << c.tagText << " / " << c.name;
    if (!c.found) continue;
    EXPECT_EQ(*value, c.value) << c.tagText;
    EXPECT_EQ(offset, c.offset) << c.tagText;
    // The offset points at the value as it stands in the text after the skipped part.
    std::string_view rest = std::string_view(c.tagText).substr(std::strlen(c.skip));
    EXPECT_EQ(rest.substr(offset, value->size()), *value) << c.tagText;
  }
}

}  // namespace
}  // namespace corvisant
