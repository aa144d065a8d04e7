// Case folding, white space, entities, tag names, attributes and Visit tags. The fuzz properties
// decode_entities and find_attribute check that the decoder's forms agree and that positions
// point at their values; these tests check the values.
#include "html/html_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "html/attributes.h"
#include "html/entities.h"
#include "html/tag_table.h"
#include "html/visit_tags.h"

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

TEST(CollapseWhitespace, TrimsAndJoinsRunsInBothForms) {
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

// The inputs are also in the decode_entities corpus (unit_cases), where both forms must agree.
TEST(DecodeEntities, DecodesWhatItCanReadAndKeepsTheRest) {
  struct Case {
    const char* text;
    const char* decoded;
  };
  const Case cases[] = {
      {"AT&amp;T &lt;&gt;&amp; &amp;lt;", "AT&T <>& &lt;"},
      {"a &lt", "a <"},
      {"&lt\n", "<\n"},
      {"&copy done &unknown; &quot;x&QUOT;", "\xA9 done &unknown; \"x\""},
      {"&#65; &#65 x &#321; &#-191;", "A A x A A"},
      {"&#8217; &#99999999999999999999;", "\x19 \xFF"},
      {"&#65x;", "A"},
      {"&#65abc", "Aabc"},
      {"&#0;&#256;&#;&#x41;", "&#0;&#256;&#;&#x41;"},
      {"&#", "&#"},
      {"a & b&", "a & b&"},
      {"&&lt;&1;", "&<&1;"},
      {"&lt<b>&ltx", "&lt<b>&ltx"},
      {"&amp", "&"},
      {"&nbsp;\t&yuml; &hibar;&macr;", "\xA0\t\xFF \xAF&macr;"},
      // Names are exact and case-sensitive.
      {"&Auml;&auml;&AUML;&Lt;&copyx;&cop;&frac12;&plusmnx;",
       "\xC4\xE4&AUML;&Lt;&copyx;&cop;\xBD&plusmnx;"},
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    DecodeEntities(text);
    EXPECT_EQ(text, c.decoded) << c.text;
  }
  EXPECT_EQ(DecodeEntities(nullptr), nullptr);
}

TEST(DecodeEntities, LongRunsOfOpenReferencesStayLinear) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 200000; ++i) {
    text += "&#1&a";
    expected += "\x01&a";
  }
  DecodeEntities(text);
  EXPECT_EQ(text, expected);
}

TEST(TagIdOf, ReadsTheNameUpToWhiteSpaceInAnyCase) {
  const std::pair<const char*, int> cases[] = {
      {"img\tsrc=a.gif", tag_id::kImage}, {"TiTlE\n", tag_id::kTitle},
      {"frame\rsrc=f", tag_id::kFrame},   {"NOFRAME", tag_id::kNoFrames},
      {"Strong", tag_id::kStrong},        {"a-b", tag_id::kUnknown},
      {" a", tag_id::kUnknown},           {"", tag_id::kUnknown},
      {"noframesx", tag_id::kUnknown},    {"\xC1", tag_id::kUnknown}};
  for (const auto& [text, id] : cases) EXPECT_EQ(TagIdOf(text), id) << text;
  EXPECT_EQ(TagIdOf(static_cast<const char*>(nullptr)), 0);
}

// html, head, title and body tell that the page is HTML; the mark is never cleared.
TEST(TagIdOf, TheHtmlTagsMarkThePage) {
  const std::pair<const char*, int> cases[] = {{"html", 1}, {"HEAD", 1}, {"title", 1},
                                               {"Body", 1}, {"a", 0},    {"meta", 0}};
  for (const auto& [name, marks] : cases) {
    int looks = 0;
    TagIdOf(name, &looks);
    EXPECT_EQ(looks, marks) << name;
    TagIdOf("p", &looks);
    EXPECT_EQ(looks, marks) << name;
  }
}

// Every attribute as "name=value", or "name" for one written without "=" (whose value is "1").
std::vector<std::string> ReadAll(std::string_view text) {
  std::vector<std::string> read;
  std::size_t cursor = 0, nameStart = 0, nameEnd = 0, valueStart = 0;
  while (auto value = NextAttribute(text, &cursor, &nameStart, &nameEnd, &valueStart)) {
    std::string name(text.substr(nameStart, nameEnd - nameStart));
    read.push_back(valueStart == kNoValue ? name : name + "=" + *value);
  }
  return read;
}

TEST(NextAttribute, ReadsNamesAndValuesAsWritten) {
  struct Case {
    const char* text;
    std::vector<std::string> attributes;
  };
  const Case cases[] = {
      {"img src=\"a b.gif\" ismap", {"img", "src=a b.gif", "ismap"}},
      {"a href = \"x\"", {"a", "href=x"}},
      {"a href==x", {"a", "href=x"}},
      {"a href='x y'", {"a", "href='x", "y'"}},
      {"a href=\"open", {"a", "href=open"}},
      {"a href=\"\"", {"a", "href="}},
      {"a href=", {"a", "href="}},
      {"a =x", {"a=x"}},
      {"=x y", {"=x", "y"}},
      {"a b=\"1\"c=2", {"a", "b=1", "c=2"}},
      {"  \t\n", {}},
      {"5; URL=next.html", {"5;", "URL=next.html"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadAll(c.text), c.attributes) << c.text;
}

TEST(FindAttribute, FindsTheFirstValueByNameInAnyCase) {
  struct Case {
    const char* tagText;
    const char* skip;
    const char* name;
    const char* value;  // null: not found
  };
  const Case cases[] = {
      {"A HREF=x.html", "", "href", "x.html"},
      {"a href=\"x.html\" name=top", "a", "NAME", "top"},
      {"a href=one href=two", "a", "href", "one"},
      {"meta content=\"5; URL=next.html\"", "meta", "content", "5; URL=next.html"},
      {"5; URL=next.html", "", "url", "next.html"},
      {"a hrefx=1 href=2", "a", "href", "2"},
      {"img src=a.gif", "img", "lowsrc", nullptr},
      {"a", "abc", "href", nullptr},
      {"", "", "href", nullptr},
      {"img ismap src=x", "img", "ismap", nullptr},
      {"a name=x href", "a", "href", nullptr},
  };
  for (const Case& c : cases) {
    std::size_t offset = 0;
    auto value = FindAttribute(c.tagText, c.skip, c.name, &offset);
    EXPECT_EQ(value.value_or("(none)"), c.value ? c.value : "(none)") << c.tagText;
  }
}

// Tags are added in order to one list, shown as "href:spend" items and the repeat count.
TEST(AddVisitTag, ReadsItemsInPageOrderAndTheLastRepeat) {
  struct Case {
    std::vector<std::string> tags;
    std::string list;
  };
  const Case cases[] = {
      {{"visit repeat=1", "visit href=\"http://h1/a.html\" spend=20secs", "VISIT HREF=B Spend=7",
        "visit href=C"},
       "http://h1/a.html:20 B:7 C:5 x1"},
      {{"visit repeat=3", "visit spend=9", "visit href=A repeat=2"}, "A:5 x2"},
      {{"visit href=A spend=x", "visit repeat=-2times"}, "A:0 x-2"},
      // Read as the C library reads numbers, within the int range.
      {{"visit href=A spend=+99999999999999999999 repeat=-99999999999999999999"},
       "A:2147483647 x-2147483648"},
  };
  for (const Case& c : cases) {
    VisitTagList visits;
    for (const std::string& tag : c.tags) AddVisitTag(&visits, tag);
    std::string list;
    for (const VisitItem& item : visits.items) {
      list += item.href + ":" + std::to_string(item.spend) + " ";
    }
    EXPECT_EQ(list + "x" + std::to_string(visits.repeat), c.list) << c.tags[0];
  }
}

}  // namespace
}  // namespace corvisant
