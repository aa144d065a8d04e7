#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/item_texts.h"
#include "browser/reply_readers.h"
#include "browser/url_echo.h"

namespace corvisant {
namespace {

using namespace std::string_literals;

TEST(ItemTextsTest, OpenAndSaveItemsAsTheBrowserReadsThem) {
  const std::pair<std::string, std::string> cases[] = {
      {OpenUrlItem("http://a/b c,d", false), R"("http://a/b c,d",,-1,0,,,)"},
      {OpenUrlItem("http://a/", true), R"("http://a/",,-1,3,,,)"},
      {NewWindowItem("http://a/"), R"("http://a/",,0,0,,,)"},
      {SaveUrlItem("http://a/b c,d", "Z:\\tmp\\x", "a\\i.html", 0x1234),
       R"("http://a/b%20c%2cd","Z:\tmp\x\a\i.html",4660,4,,,"CORVISANT")"},
      {SaveUrlItem("u", "C:\\", "f", kLastActiveWindow), R"("u","C:\f",-1,4,,,"CORVISANT")"},
  };
  for (const auto& [item, expected] : cases) EXPECT_EQ(item, expected);
}

TEST(ReplyReadersTest, TitleByBrowserVersion) {
  struct Case {
    int version;
    std::string reply;
    std::string title;
  };
  const std::string longTitle = "\"u\",\"" + std::string(600, 't') + "\"";
  const Case cases[] = {
      {3, "Netscape - [Page [one]] x]", "Page [one"},
      {3, "Netscape - ]no[ brackets", "Netscape - ]no[ brackets"},
      {0, "a[b]", "b"},
      {4, R"("http://a/\"q\"","The Title","x")", "The Title"},
      {4, R"("http://a/","","x")", ""},
      {4, R"("http://a/","open)", R"("http://a/","open)"},
      {4, R"("only\"url)", R"("only\"url)"},
      {4, "\"", "\""},
      {4, "", ""},
      {4, "\"u\",\"T\0\"x\"\""s, "\"u\",\"T"},
      {4, longTitle, longTitle.substr(0, kBrowserTitleMax)},
      {3, "[" + std::string(600, 'b') + "]", "[" + std::string(kBrowserTitleMax - 1, 'b')},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadTitleReply(c.reply, c.version), c.title) << c.reply;
}

TEST(ReplyReadersTest, UrlFromTheSecondCharacterToAQuote) {
  const std::pair<std::string, std::string> cases[] = {
      {R"("http://a/b","T")", "http://a/b"},
      {R"("a\"b\\c\d")", R"(a"b\cd)"},
      {R"("ends\)", "ends"},
      {"\"a\0b\""s, "a"},
      {"", ""},
      {"\"" + std::string(3000, 'u'), std::string(kUrlReplyMax - 1, 'u')},
  };
  for (const auto& [reply, url] : cases) EXPECT_EQ(ReadUrlReply(reply), url) << reply;
}

TEST(ReplyReadersTest, WindowListAndSaveReply) {
  std::vector<std::uint32_t> ids = {7};
  ReadWindowList("\x01\x00\x00\x00\xff\xff\xff\xff\x02\x01\x00"s, ids);
  EXPECT_EQ(ids, (std::vector<std::uint32_t>{7, 1, 0xFFFFFFFF})) << "a partial id is ignored";
  ids.clear();
  ReadWindowList("\x03\x00\x00\x00\x00\x00\x00\x00\x04\x00\x00\x00"s, ids);
  EXPECT_EQ(ids, std::vector<std::uint32_t>{3}) << "a 0 id ends the list";

  const std::pair<DdeReply, std::uint32_t> saves[] = {
      {"\x05\x01\x00\x00junk"s, 0x105},
      {"\xff\xff\xff\xff"s, 0xFFFFFFFF},
      {"\x05\x01\x00"s, 0},
      {std::nullopt, 0},
  };
  for (const auto& [reply, window] : saves) EXPECT_EQ(ReadSaveReply(reply), window);
  EXPECT_EQ(SaveResult(0x105), 0);
  EXPECT_EQ(SaveResult(0), -1);
  EXPECT_EQ(SaveResult(0xFFFFFFFF), -1);
}

TEST(UrlEchoTest, QuotedUrlThenMimeField) {
  struct Case {
    std::string item;
    std::string url;
    std::optional<std::string> mime;
  };
  const std::string longUrl = "\"" + std::string(2000, 'a') + "\",\"text/html\"";
  const Case cases[] = {
      {R"("http://a/","text/html","x")", "http://a/", "text/html"},
      {R"("a\"b\c\\d","image/gif")", R"(a"b/c//d)", "image/gif"},
      {R"("http://a/")", "http://a/", std::nullopt},
      {R"("http://a/",)", "http://a/", std::nullopt},
      {R"("open\)", "open/", std::nullopt},
      {R"("http://a/","text/ht)", "http://a/", "text/ht"},
      {"\"a\"\0,\"text/html\""s, "a", std::nullopt},
      {longUrl, std::string(kEchoUrlMax, 'a'), "text/html"},
  };
  for (const Case& c : cases) {
    std::optional<UrlEcho> echo = ReadUrlEcho(c.item);
    ASSERT_TRUE(echo) << c.item;
    EXPECT_EQ(echo->url, c.url) << c.item;
    EXPECT_EQ(echo->mime, c.mime) << c.item;
  }
  EXPECT_FALSE(ReadUrlEcho(""));
  EXPECT_FALSE(ReadUrlEcho("\0\"a\""s));
}

}  // namespace
}  // namespace corvisant
