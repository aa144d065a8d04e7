#include <gtest/gtest.h>

#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/tool_capture.h"

namespace corvisant::tool {
namespace {

using corvisant::testing::RunToolCaptured;
using corvisant::testing::ToolRun;

class HtmlCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = InstallPorts(SystemPorts()); }
  void TearDown() override { InstallPorts(previous_); }
  Ports previous_;
};

TEST_F(HtmlCommandsTest, TokensListsEveryTokenEscaped) {
  Files& files = *Current<Files>();
  corvisant::testing::ScratchDirectory scratch(files);
  const std::string page =
      "<TITLE>Hello</title>\r\n<!DOCTYPE html><p>AT&amp;T \"q\" \\ \x01\xA9"
      "<!-- c --><a href=x.html>";
  corvisant::testing::WriteBytes(files, "page.html", page);
  ToolRun run = RunToolCaptured({"html", "tokens", "page.html"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out,
            "start 1 \"TITLE\"\n"
            "text \"Hello\"\n"
            "end 1 \"/title\"\n"
            "text \"\\r\\n\"\n"
            "start -1 \"!DOCTYPE html\"\n"
            "start -2 -\n"
            "text \"AT&T \\\"q\\\" \\\\ \\x01\\xa9\"\n"
            "comment\n"
            "start 8 \"a href=x.html\"\n"
            "looks-like-html=1\n");
}

TEST_F(HtmlCommandsTest, TokensOfAnUnterminatedTagStopBeforeIt) {
  Files& files = *Current<Files>();
  corvisant::testing::ScratchDirectory scratch(files);
  corvisant::testing::WriteBytes(files, "page.html", "a < b</b><a href=");
  ToolRun run = RunToolCaptured({"html", "tokens", "page.html"});
  EXPECT_EQ(run.out, "text \"a < b\"\nend -2 -\nlooks-like-html=0\n");
}

TEST_F(HtmlCommandsTest, AttributePrintsValueAndOffset) {
  struct Case {
    Arguments arguments;
    int status;
    const char* out;
  };
  const Case cases[] = {
      {{"html", "attribute", "A HREF=x.html", "href"}, kExitDone, "x.html\n7\n"},
      {{"html", "attribute", "A HREF=x.html", "href", "--skip", "A"}, kExitDone, "x.html\n6\n"},
      {{"html", "attribute", "img alt=\"a\tb\" src=x", "alt"}, kExitDone, "a\\tb\n9\n"},
      {{"html", "attribute", "img src=x", "alt"}, kExitNothing, ""},
      {{"html", "attribute", "a", "href"}, kExitNothing, ""},
      {{"html", "attribute", "a"}, kExitUsage, ""},
      {{"html", "attribute", "a", "href", "--other", "x"}, kExitUsage, ""},
  };
  for (const Case& c : cases) {
    ToolRun run = RunToolCaptured(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments[2];
    EXPECT_EQ(run.out, c.out) << c.arguments[2];
  }
}

TEST_F(HtmlCommandsTest, DecodePrintsTheDecodedText) {
  ToolRun run = RunToolCaptured({"html", "decode", "AT&amp;T &lt &#65; &copy x &unknown;"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out, "AT&T < A \\xa9 x &unknown;\n");
}

TEST_F(HtmlCommandsTest, MissingFileAndWrongArgumentsFail) {
  Files& files = *Current<Files>();
  corvisant::testing::ScratchDirectory scratch(files);
  EXPECT_EQ(RunToolCaptured({"html", "tokens", "missing.html"}).status, kExitNothing);
  EXPECT_EQ(RunToolCaptured({"html", "tokens"}).status, kExitUsage);
  EXPECT_EQ(RunToolCaptured({"html", "decode"}).status, kExitUsage);
}

}  // namespace
}  // namespace corvisant::tool
