#include "standin/core/dde_text.h"

#include <gtest/gtest.h>

namespace standin {
namespace {

std::string Joined(const std::vector<std::string>& places) {
  std::string out;
  for (const std::string& place : places) out += "[" + place + "]";
  return out;
}

TEST(DdeTextTest, SplitsPlacesOfAnItem) {
  const std::pair<const char*, const char*> cases[] = {
      {R"("http://a/",,-1,0,,,)", "[http://a/][][-1][0][][][]"},
      {R"("a,b","c\"d\\e",5)", R"([a,b][c"d\\e][5])"},
      {"", "[]"},
      {"CORVISANT", "[CORVISANT]"},
      {R"("unterminated,x)", "[unterminated,x]"},
  };
  for (const auto& [item, places] : cases) EXPECT_EQ(Joined(SplitPlaces(item)), places) << item;
}

std::string Parsed(const char* item) {
  std::optional<OpenUrlRequest> r = ParseOpenUrl(item);
  if (!r) return "none";
  return r->url + "|" + r->file + "|" + std::to_string(r->window) + "|" + std::to_string(r->flags) +
         "|" + r->form_data + "|" + r->mime + "|" + r->progress_server +
         (r->is_save() ? "|save" : "");
}

TEST(DdeTextTest, ReadsOpenUrlItems) {
  const std::pair<const char*, const char*> cases[] = {
      {R"("http://a/",,-1,0,,,)", "http://a/||4294967295|0|||"},
      {R"("http://a/",,0,0,,,)", "http://a/||0|0|||"},
      {R"("http://a/",,-1,3,,,)", "http://a/||4294967295|3|||"},
      {R"("http://a/b%2cc","Z:\tmp\s\1.html",2,4,,,"CORVISANT")",
       R"(http://a/b%2cc|Z:\tmp\s\1.html|2|4|||CORVISANT|save)"},
      {R"("http://a/")", "http://a/||4294967295|0|||"},
      {R"("http://a/",,-2,0)", "http://a/||4294967294|0|||"},
      {R"(,,-1,0,,,)", "none"},
      {R"("http://a/",,x,0,,,)", "none"},
      {R"("http://a/",,1,z,,,)", "none"},
  };
  for (const auto& [item, parsed] : cases) EXPECT_EQ(Parsed(item), parsed) << item;
}

TEST(DdeTextTest, DecodesOnlyCommasAndSpacesOfSaveUrls) {
  EXPECT_EQ(DecodeCommaSpace("http://a/x%2cy%2Cz%20w%41%2"), "http://a/x,y,z w%41%2");
}

TEST(DdeTextTest, RepliesInTheBrowsersLayouts) {
  using namespace std::string_literals;
  EXPECT_EQ(Uint32Bytes(0x04030201), "\x01\x02\x03\x04"s);
  EXPECT_EQ(WindowListReply({1, 0x102}), "\x01\0\0\0\x02\x01\0\0\0\0\0\0"s);
  EXPECT_EQ(WindowListReply({}), "\0\0\0\0"s);
  const struct {
    int version;
    const char* url;
    const char* title;
    std::string reply;
  } infos[] = {
      {4, "http://a/", "Home", "\"http://a/\",\"Home\"\0"s},
      {4, "http://a/?q=\"x\"", "A \\ B", "\"http://a/?q=\\\"x\\\"\",\"A \\\\ B\"\0"s},
      {3, "http://a/", "Home", "\"http://a/\",\"Netscape - [Home]\"\0"s},
      {3, "http://a/", "", "\"http://a/\",\"Netscape - []\"\0"s},
  };
  for (const auto& c : infos) EXPECT_EQ(WindowInfoReply(c.version, c.url, c.title), c.reply);
}

TEST(DdeTextTest, EchoItemsAndCaptions) {
  EXPECT_EQ(EchoItem("http://a/\"q\"", "text/html", 12), R"("http://a/\"q\"","text/html",12)");
  EXPECT_EQ(EchoItem(R"(file:///C|\x)", "image/gif", 1), R"("file:///C|\x","image/gif",1)");
  EXPECT_EQ(WindowCaption(4, "Home"), "Home - Netscape");
  EXPECT_EQ(WindowCaption(3, "Home"), "Netscape - [Home]");
  EXPECT_EQ(WindowCaption(3, ""), "Netscape");
}

}  // namespace
}  // namespace standin
