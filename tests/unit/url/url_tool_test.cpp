// The url and store commands of corvisant-tool answer as scripts expect: one item per line. The
// URL model itself is tested directly; these cases guard each command's output form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/tool_capture.h"
#include "url/url.h"

namespace corvisant {
namespace {

using testing::RunToolCaptured;
using testing::ToolRun;

struct Case {
  std::vector<std::string> arguments;
  int status;
  std::string out;
};

void Check(const Case& c) {
  ToolRun run = RunToolCaptured(tool::Arguments(c.arguments.begin(), c.arguments.end()));
  std::string words = c.arguments[0] + " " + c.arguments[1];
  EXPECT_EQ(run.status, c.status) << words << " " << run.err;
  EXPECT_EQ(run.out, c.out) << words;
}

class UrlToolTest : public ::testing::Test {
 protected:
  UrlToolTest() : previous_(InstallPorts(SystemPorts())) {}
  ~UrlToolTest() override { InstallPorts(previous_); }
  Ports previous_;
  Files& files_ = *Current<Files>();
  testing::ScratchDirectory scratch_{files_};
};

TEST_F(UrlToolTest, EachCommandPrintsItsAnswerForm) {
  const std::string tooLong = "http://h1/" + std::string(1014, 'a');
  const Case cases[] = {
      {{"url", "parse", "http://h1:81/q?a=b#f"},
       0,
       "scheme=http\nhost=h1\nport=81\npath=q?a=b\nfragment=f\n"},
      {{"url", "parse", "mailto:x@y"}, 0, "scheme=mailto\nhost=\nport=\npath=x@y\nfragment=\n"},
      {{"url", "resolve", "#top", "http://h1/a/b.html"}, 0, "http://h1/a/b.html#top\ntrue\n"},
      {{"url", "resolve", "//h2/x", "http://h1/a"}, 0, "//h2/x\nfalse\n"},
      {{"url", "relative", "http://h2/x.html", "http://h1/a/b.html"}, 0, "../../h2/x.html\ntrue\n"},
      {{"url", "relative", "mailto:x@y", "http://h1/a/b.html"}, 0, "mailto:x@y\nfalse\n"},
      {{"url", "normalise", "http://h1/d/#top"}, 0, "http://h1/d/index.html#top\n4\n"},
      {{"url", "normalise", "http://h1/d/#top", "--keep-bare-fragment"},
       0,
       "http://h1/d/#top\n4\n"},
      {{"url", "normalise", tooLong}, 0, "\n0\n"},
      {{"url", "store-path", "http://h1:81/cgi-bin/q?a=b"}, 0, "h1$81\\cgi-bin\\q^a=b\n"},
      {{"url", "store-path", "file:///Q|/elsewhere/a.html"}, 1, ""},
      {{"url", "store-path", tooLong}, 1, ""},
      {{"url", "web-url", "http://h1/index.html"}, 0, "http://h1/\n"},
      {{"url", "map", "a:b?c|d*e\"f<g>h.."}, 0, "a$b^c!d}e{f[g]h__\n"},
      {{"url", "unmap", "a$b^c!d}e{f[g]h__"}, 0, "a:b?c|d*e\"f<g>h__\n"},
      {{"url", "percent-decode", "a%20b%zz%"}, 0, "a b%zz%\n"},
      {{"url", "escape-comma-space", "a,b c"}, 0, "a%2cb%20c\n"},
      {{"url", "strip-control", "a\x01z\x80z"}, 0, "azz\n"},
      {{"url", "classify", "http://h1/map.GIF?40,12"},
       0,
       "IsNavigableUrl=1\nHasWebPrefix=1\nHasFilePrefix=0\nIsNewsOrMailto=0\nIsImageMapQuery=1\n"
       "IsForeignImageMapQuery=1\nMayBeHtml=1\nIsPageUrl=0\nIsImageUrl=0\nLocalFileExists=1\n"},
      {{"url", "normalise", "a", "b"}, 2, ""},
      {{"url", "parse"}, 2, ""},
  };
  for (const Case& c : cases) Check(c);
}

TEST_F(UrlToolTest, WorksInTheStoreRoot) {
  std::string root = "file://" + MakeStoreRootUrlPath(scratch_.path());
  Check({{"store", "prepare"}, 0, ""});
  EXPECT_EQ(files_.Kind("CorvisantDatabase\\temp"), PathKind::kDirectory);
  Check({{"store", "local-copy", "http://h1/a/b.html", "--create"}, 0, "h1\\a\\b.html\n"});
  EXPECT_EQ(files_.Kind(scratch_.path() + "\\h1\\a\\b.html"), PathKind::kFile);
  Check({{"store", "local-copy", "http://h1:81"}, 0, "h1$81\\index.html\n"});
  EXPECT_EQ(files_.Kind("h1$81"), PathKind::kMissing) << "nothing made without --create";
  Check({{"url", "store-file-url", "http://h1/a/b.html"}, 0, root + "/h1/a/b.html\n"});
  Check({{"url", "web-url", root + "/h1$81/docs/a^b.html"}, 0, "http://h1:81/docs/a?b.html\n"});
  Check({{"url", "store-path", root + "/h1/a/b.html"}, 0, "h1\\a\\b.html\n"});
  for (const char* file : {"b.html", "none.html"}) {
    ToolRun run = RunToolCaptured({"url", "classify", root + "/h1/a/" + file});
    bool exists = std::string(file) == "b.html";
    EXPECT_NE(run.out.find(exists ? "LocalFileExists=1" : "LocalFileExists=0"), std::string::npos);
  }

  ToolRun run = RunToolCaptured({"store", "temp-name"});
  EXPECT_EQ(run.status, 0);
  const std::string temp = "CorvisantDatabase\\temp\\";
  ASSERT_EQ(run.out.size(), temp.size() + 6) << run.out;  // five digits and a line end
  EXPECT_EQ(run.out.substr(0, temp.size()), temp);
  EXPECT_EQ(files_.Kind(run.out.substr(0, run.out.size() - 1)), PathKind::kMissing);
}

TEST_F(UrlToolTest, TheRootOptionChoosesTheStore) {
  ASSERT_EQ(files_.MakeDirectory("store"), 0);
  std::string store = scratch_.path() + "\\store";
  ToolRun run = RunToolCaptured({"--root", store, "url", "store-file-url", "http://h1"});
  EXPECT_EQ(run.out, "file://" + MakeStoreRootUrlPath(store) + "/h1/index.html\n");
  ASSERT_TRUE(files_.ChangeDirectory(scratch_.path()));
}

}  // namespace
}  // namespace corvisant
