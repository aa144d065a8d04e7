// The url and store commands of corvisant-tool answer as scripts expect: one item per line.
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

class UrlToolTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = InstallPorts(SystemPorts()); }
  void TearDown() override { InstallPorts(previous_); }
  Ports previous_;
};

struct Case {
  std::vector<std::string> arguments;
  int status;
  std::string out;
};

void Check(const Case& c) {
  tool::Arguments arguments(c.arguments.begin(), c.arguments.end());
  ToolRun run = RunToolCaptured(arguments);
  std::string words = c.arguments[0] + " " + c.arguments[1];
  EXPECT_EQ(run.status, c.status) << words << " " << run.err;
  EXPECT_EQ(run.out, c.out) << words;
}

TEST_F(UrlToolTest, AnswersTheUrlModel) {
  const Case cases[] = {
      {{"url", "parse", "//h1/a"}, 0, "scheme=http\nhost=h1\nport=\npath=a\nfragment=\n"},
      {{"url", "parse", "http:a.html"}, 0, "scheme=\nhost=\nport=\npath=a.html\nfragment=\n"},
      {{"url", "parse", "mailto:x@y"}, 0, "scheme=mailto\nhost=\nport=\npath=x@y\nfragment=\n"},
      {{"url", "parse", "http://h1:81/q?a=b#f"},
       0,
       "scheme=http\nhost=h1\nport=81\npath=q?a=b\nfragment=f\n"},
      {{"url", "parse", "http://h1"}, 0, "scheme=http\nhost=h1\nport=\npath=\nfragment=\n"},
      {{"url", "resolve", "#top", "http://h1/a/b.html"}, 0, "http://h1/a/b.html#top\ntrue\n"},
      {{"url", "resolve", "../c.html", "http://h1/a/b/x.html"}, 0, "http://h1/a/c.html\ntrue\n"},
      {{"url", "resolve", "c.html", "http://h1/x.html"}, 0, "http://h1/c.html\ntrue\n"},
      {{"url", "resolve", "//h2/x", "http://h1/a"}, 0, "//h2/x\nfalse\n"},
      {{"url", "relative", "http://h2/x.html", "http://h1/a/b.html"}, 0, "../../h2/x.html\ntrue\n"},
      {{"url", "relative", "/x.html", "http://h1/a/b.html"}, 0, "../x.html\ntrue\n"},
      {{"url", "relative", "mailto:x@y", "http://h1/a/b.html"}, 0, "mailto:x@y\nfalse\n"},
      {{"url", "normalise", "http://h1"}, 0, "http://h1/index.html\n0\n"},
      {{"url", "normalise", "http://h1/d/#top"}, 0, "http://h1/d/index.html#top\n4\n"},
      {{"url", "normalise", "http://h1/d/#top", "--keep-bare-fragment"},
       0,
       "http://h1/d/#top\n4\n"},
      {{"url", "store-path", "http://h1"}, 0, "h1\\index.html\n"},
      {{"url", "store-path", "http://h1:81/cgi-bin/q?a=b"}, 0, "h1$81\\cgi-bin\\q^a=b\n"},
      {{"url", "store-path", "file:///Q|/elsewhere/a.html"}, 1, ""},
      {{"url", "web-url", "http://h1/index.html"}, 0, "http://h1/\n"},
      {{"url", "map", "a:b?c|d*e\"f<g>h.."}, 0, "a$b^c!d}e{f[g]h__\n"},
      {{"url", "unmap", "a$b^c!d}e{f[g]h__"}, 0, "a:b?c|d*e\"f<g>h__\n"},
      {{"url", "percent-decode", "a%20b%zz%"}, 0, "a b%zz%\n"},
      {{"url", "escape-comma-space", "a,b c"}, 0, "a%2cb%20c\n"},
      {{"url", "strip-control",
        "a\x01"
        "b\x80"
        "c"},
       0,
       "abc\n"},
      {{"url", "classify", "http://h1/map.GIF?40,12"},
       0,
       "IsNavigableUrl=1\nHasWebPrefix=1\nHasFilePrefix=0\nIsNewsOrMailto=0\nIsImageMapQuery=1\n"
       "IsForeignImageMapQuery=1\nMayBeHtml=1\nIsPageUrl=0\nIsImageUrl=0\nLocalFileExists=1\n"},
      {{"url", "classify", "mailto:x@y"},
       0,
       "IsNavigableUrl=0\nHasWebPrefix=0\nHasFilePrefix=0\nIsNewsOrMailto=1\nIsImageMapQuery=0\n"
       "IsForeignImageMapQuery=0\nMayBeHtml=1\nIsPageUrl=1\nIsImageUrl=0\nLocalFileExists=1\n"},
      {{"url", "normalise", "a", "b"}, 2, ""},
      {{"url", "parse"}, 2, ""},
  };
  for (const Case& c : cases) Check(c);
}

TEST_F(UrlToolTest, LongUrlsAreRefusedWhole) {
  for (std::size_t length : {1023u, 1024u, 1536u, 10000u}) {
    std::string url = "http://h1/" + std::string(length - 10, 'a');
    bool fits = length <= kMaxUrlLength;
    Check({{"url", "normalise", url}, 0, (fits ? url : "") + "\n0\n"});
    std::string resolved = fits ? "http://h1/" + std::string(length - 10, 'a') : "";
    Check({{"url", "resolve", std::string(length - 10, 'a'), "http://h1/p.html"},
           0,
           resolved + "\n" + (fits ? "true" : "false") + "\n"});
    if (!fits) Check({{"url", "store-path", url}, 1, ""});
  }
}

TEST_F(UrlToolTest, WorksInTheStoreRoot) {
  Files& files = *CurrentPorts().files;
  testing::ScratchDirectory scratch(files);
  std::string root = MakeStoreRootUrlPath(scratch.path());
  Check({{"store", "prepare"}, 0, ""});
  EXPECT_EQ(files.Kind("CorvisantDatabase\\temp"), PathKind::kDirectory);
  Check({{"store", "local-copy", "http://h1/a/b.html", "--create"}, 0, "h1\\a\\b.html\n"});
  EXPECT_EQ(files.Kind(scratch.path() + "\\h1\\a\\b.html"), PathKind::kFile);
  Check({{"store", "local-copy", "http://h1:81"}, 0, "h1$81\\index.html\n"});
  EXPECT_EQ(files.Kind("h1$81"), PathKind::kMissing) << "nothing made without --create";
  Check({{"store", "local-copy", "http://h1/../../x", "--create"}, 0, "h1\\__\\__\\x\n"});
  Check({{"url", "store-file-url", "http://h1/a/b.html"}, 0, "file://" + root + "/h1/a/b.html\n"});
  Check({{"url", "web-url", "file://" + root + "/h1$81/docs/a^b.html"},
         0,
         "http://h1:81/docs/a?b.html\n"});
  Check({{"url", "store-path", "file://" + root + "/h1/a/b.html"}, 0, "h1\\a\\b.html\n"});
  std::string local = "file://" + root + "/h1/a/b.html";
  ToolRun run = RunToolCaptured({"url", "classify", local});
  EXPECT_NE(run.out.find("LocalFileExists=1"), std::string::npos);
  run = RunToolCaptured({"url", "classify", "file://" + root + "/h1/none.html"});
  EXPECT_NE(run.out.find("LocalFileExists=0"), std::string::npos);

  run = RunToolCaptured({"store", "temp-name"});
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.out.size(), std::string("CorvisantDatabase\\temp\\00000\n").size()) << run.out;
  EXPECT_EQ(run.out.substr(0, 23), "CorvisantDatabase\\temp\\");
  EXPECT_EQ(files.Kind(run.out.substr(0, run.out.size() - 1)), PathKind::kMissing);
}

TEST_F(UrlToolTest, TheRootOptionChoosesTheStore) {
  Files& files = *CurrentPorts().files;
  testing::ScratchDirectory scratch(files);
  ASSERT_EQ(files.MakeDirectory("store"), 0);
  std::string store = scratch.path() + "\\store";
  ToolRun run = RunToolCaptured({"--root", store, "url", "store-file-url", "http://h1"});
  EXPECT_EQ(run.out, "file://" + MakeStoreRootUrlPath(store) + "/h1/index.html\n");
  ASSERT_TRUE(files.ChangeDirectory(scratch.path()));
}

}  // namespace
}  // namespace corvisant
