#include "html/title_extraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scratch_directory.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

TEST(TitleFromText, CutsTrimsAndKeepsTheTitleOnOneLine) {
  const std::string longText = " " + std::string(1100, 'y');
  struct Case {
    std::string text;
    std::string title;
  };
  const Case cases[] = {
      {"A", "A"},
      {" \t\r\n A  b", "A  b"},
      {"a\rb\nc\r\nd", "a b c  d"},
      {longText, std::string(1023, 'y')},
      {"   ", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleFromText(c.text), c.title) << c.text.substr(0, 20);
}

class ExtractTitleTest : public ::testing::Test {
 protected:
  bool Store(const std::string& name, const std::string& bytes) {
    return testing::WriteBytes(files_, EnsureDirectoriesFor(name), bytes);
  }
  Files& files_ = *SystemPorts().files;
  Ports previous_ = InstallPorts(SystemPorts());
  testing::ScratchDirectory scratch_{files_};
  testing::RecordingReporter reporter_;
  ~ExtractTitleTest() override { InstallPorts(previous_); }
};

TEST_F(ExtractTitleTest, ReadsTheTitleFromTheHeadOfTheStoredFile) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string title;
  };
  const Case cases[] = {
      {"h1/a/t.html", "<html><title>\n Tea\r\nTime</title>", "Tea  Time"},
      {"h1/late.html", std::string(512, ' ') + "<title>late</title>", ""},
      {"h1/edge.html", std::string(497, ' ') + "<title>early</title>", "early"},
      {"h1/none.html", "<html><body>no title", ""},
      {"h1/con.html", "<title>device</title>", "device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Store(c.name, c.bytes));
    std::string title = "stale";
    EXPECT_EQ(ExtractTitle(c.name, &title), 0);
    EXPECT_EQ(title, c.title);
  }
  EXPECT_TRUE(reporter_.ids().empty());
}

TEST_F(ExtractTitleTest, AMissingFileIsReportedWithItsPath) {
  std::string title = "stale";
  EXPECT_EQ(ExtractTitle("h1/missing.html", &title), 0);
  EXPECT_EQ(title, "");
  EXPECT_EQ(reporter_.ids(), std::vector<int>{message::kCantOpenHtmlForTitle});
  EXPECT_EQ(reporter_.reports()[0].arguments[0].text, "h1\\missing.html");
  EXPECT_EQ(files_.Kind("h1"), PathKind::kMissing);
}

}  // namespace
}  // namespace corvisant
