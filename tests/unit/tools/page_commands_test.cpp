#include <gtest/gtest.h>

#include <string>

#include "platform/ports.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/tool_capture.h"

namespace corvisant::tool {
namespace {

using corvisant::testing::ReadBytes;
using corvisant::testing::RunToolCaptured;
using corvisant::testing::ToolRun;
using corvisant::testing::WriteBytes;

class PageCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = InstallPorts(SystemPorts()); }
  void TearDown() override { InstallPorts(previous_); }
  Files& files() { return *Current<Files>(); }
  Ports previous_;
};

TEST_F(PageCommandsTest, RewritePrintsResultTitleLinksImagesAndVisits) {
  corvisant::testing::ScratchDirectory scratch(files());
  const std::string page =
      "<html><title>Caf\xe9\r\nnews</title><a href=\"http://h2/x.html\">x</a>"
      "<img src=\"p%20q.gif\"><visit href=http://h3/ spend=12secs><visit repeat=4></html>";
  ASSERT_TRUE(WriteBytes(files(), "b.html", page));
  ToolRun run = RunToolCaptured({"page", "rewrite", "http://h1/a/b.html", "b.html", "--reported",
                                 "http://h1/a/b.html?x", "--visit-tags"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out,
            "result=0\n"
            "title=Caf\\xe9  news\n"
            "link=http://h2/x.html\n"
            "image=http://h1/a/p%20q.gif\th1\\a\\p q.gif\n"
            "visit=http://h3/\t12\n"
            "repeat=4\n");
  EXPECT_EQ(ReadBytes(files(), "b.html"),
            "<html><title>Caf\xe9\r\nnews</title><a href=\"../../h2/x.html\">x</a>"
            "<img src=\"p%20q.gif\"><visit href=http://h3/ spend=12secs><visit repeat=4></html>");
}

TEST_F(PageCommandsTest, RewriteWithoutVisitTagsOrHtml) {
  corvisant::testing::ScratchDirectory scratch(files());
  ASSERT_TRUE(WriteBytes(files(), "v.html", "<html><visit href=a></html>"));
  ASSERT_TRUE(WriteBytes(files(), "t.txt", "plain text"));
  ToolRun visits = RunToolCaptured({"page", "rewrite", "http://h1/v.html", "v.html"});
  EXPECT_EQ(visits.out, "result=0\ntitle=\n");
  ToolRun plain = RunToolCaptured({"page", "rewrite", "http://h1/t.txt", "t.txt"});
  EXPECT_EQ(plain.status, kExitNothing);
  EXPECT_EQ(plain.out, "result=-1\ntitle=\n");
}

TEST_F(PageCommandsTest, TitlePrintsTheStoredTitleOrAnEmptyLine) {
  corvisant::testing::ScratchDirectory scratch(files());
  corvisant::testing::RecordingReporter reporter;
  ASSERT_EQ(files().MakeDirectory("h1"), 0);
  ASSERT_TRUE(WriteBytes(files(), "h1\\t.html", "<title> Tab\there</title>"));
  ToolRun found = RunToolCaptured({"page", "title", "h1/t.html"});
  EXPECT_EQ(found.status, kExitDone);
  EXPECT_EQ(found.out, "Tab\\x09here\n");
  ToolRun missing = RunToolCaptured({"page", "title", "h1/none.html"});
  EXPECT_EQ(missing.out, "\n");
  EXPECT_EQ(reporter.ids().size(), 1u);
}

TEST_F(PageCommandsTest, WrongArgumentsAreUsageErrors) {
  const Arguments cases[] = {
      {"page", "rewrite", "http://h1/"},
      {"page", "rewrite", "http://h1/", "f", "g"},
      {"page", "rewrite", "http://h1/", "f", "--reported"},
      {"page", "title"},
  };
  for (const Arguments& arguments : cases) {
    EXPECT_EQ(RunToolCaptured(arguments).status, kExitUsage) << arguments.size();
  }
}

}  // namespace
}  // namespace corvisant::tool
