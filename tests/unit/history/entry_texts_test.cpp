#include "history/entry_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/history/history_fixture.h"

namespace corvisant {
namespace {

TEST(EntryTextsTest, CarriageReturnsNeverReachTheDataFile) {
  struct Case {
    std::string given;
    std::string url;
    std::string title;
  };
  for (const Case& c :
       {Case{"plain", "plain", "plain"}, Case{"Two\r\nLines", "Two%0D\nLines", "Two \nLines"},
        Case{"\r", "%0D", " "}, Case{"", "", ""}, Case{"a\r\rb\r", "a%0D%0Db%0D", "a  b "}}) {
    EXPECT_EQ(UrlForDataFile(c.given), c.url);
    EXPECT_EQ(TitleForDataFile(c.given), c.title);
  }
}

class EntryTextsFileTest : public testing::StoreTest {};

TEST_F(EntryTextsFileTest, AppendsBothTextsAtTheEndAndGivesTheirOffset) {
  ASSERT_TRUE(Put("data", "old\rtexts\r"));
  StreamPtr stream = files_.Open("data", "ab+");
  ASSERT_TRUE(stream);
  EXPECT_EQ(AppendEntryTexts(*stream, "http://h1/", "Home"), 10);
  EXPECT_EQ(AppendEntryTexts(*stream, "", ""), 26);
  stream->Close();
  EXPECT_EQ(Bytes("data"), "old\rtexts\rhttp://h1/\rHome\r\r\r");
}

TEST_F(EntryTextsFileTest, ReadsWholeTextsOnlyAndPassesOverTheRestOfLongOnes) {
  std::string longUrl = "http://h1/" + std::string(2000, 'u');
  struct Case {
    const char* what;
    std::string bytes;
    std::uint32_t offset;
    bool read;
    std::string url;
    std::string title;
  };
  const Case cases[] = {
      {"an entry", "x\ry\rhttp://h1/\rHome\r", 4, true, "http://h1/", "Home"},
      {"empty texts", "\r\r", 0, true, "", ""},
      {"a title holding a line feed", "u\rtwo\nlines\r", 0, true, "u", "two\nlines"},
      {"offset at the end", "u\rt\r", 4, false, "", ""},
      {"offset past the end", "u\rt\r", 4000, false, "", ""},
      {"file cut inside the url", "http://h", 0, false, "", ""},
      {"file cut inside the title", "http://h1/\rHo", 0, false, "", ""},
      {"a long url is cut and the title still found", longUrl + "\rTitle\r", 0, true,
       longUrl.substr(0, kTextReadMax), "Title"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Put("data", c.bytes));
    StreamPtr stream = files_.Open("data", "ab+");
    ASSERT_TRUE(stream);
    std::string url, title;
    ASSERT_EQ(ReadEntryTexts(*stream, c.offset, &url, &title), c.read) << c.what;
    if (!c.read) continue;
    EXPECT_EQ(url, c.url) << c.what;
    EXPECT_EQ(title, c.title) << c.what;
  }
}

}  // namespace
}  // namespace corvisant
