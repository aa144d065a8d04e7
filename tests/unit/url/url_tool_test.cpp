// The url and store commands of corvisant-tool answer as scripts expect: one item per line. The
// URL model itself is tested directly; these cases guard each command's output form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_process.h"
#include "tests/support/tool_capture.h"
#include "url/url.h"

namespace corvisant {
namespace {

TEST(UrlToolTest, EachCommandPrintsItsAnswerFormInTheStoreRoot) {
  testing::TestProcess process;
  auto run = [&process](const std::vector<std::string>& arguments) {
    return testing::RunToolCaptured(process.process(),
                                    tool::Arguments(arguments.begin(), arguments.end()));
  };
  const std::string root = "file://" + MakeStoreRootUrlPath(process.root());
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string out;
  };
  const Case cases[] = {
      {{"url", "parse", "http://h1:81/q?a=b#f"},
       0,
       "scheme=http\nhost=h1\nport=81\npath=q?a=b\nfragment=f\n"},
      {{"url", "resolve", "#top", "http://h1/a/b.html"}, 0, "http://h1/a/b.html#top\ntrue\n"},
      {{"url", "relative", "mailto:x@y", "http://h1/a/b.html"}, 0, "mailto:x@y\nfalse\n"},
      {{"url", "normalise", "http://h1/d/#top"}, 0, "http://h1/d/index.html#top\n4\n"},
      {{"url", "normalise", "http://h1/d/#top", "--keep-bare-fragment"},
       0,
       "http://h1/d/#top\n4\n"},
      {{"url", "store-path", "http://h1:81/cgi-bin/q?a=b"}, 0, "h1$81\\cgi-bin\\q^a=b\n"},
      {{"url", "store-path", "file:///Q|/elsewhere/a.html"}, 1, ""},
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
      {{"url", "store-file-url", "http://h1/a/b.html"}, 0, root + "/h1/a/b.html\n"},
      {{"url", "web-url", root + "/h1$81/docs/a^b.html"}, 0, "http://h1:81/docs/a?b.html\n"},
      {{"url", "store-path", root + "/h1/a/b.html"}, 0, "h1\\a\\b.html\n"},
      {{"store", "local-copy", "http://h1/a/b.html", "--create"}, 0, "h1\\a\\b.html\n"},
      {{"store", "local-copy", "http://h1:81"}, 0, "h1$81\\index.html\n"},
      // A file directly in the store root never gives way to a site's directory.
      {{"store", "local-copy", "http://L.urli/x", "--create"}, 1, "L.urli\\x\n"}};
  ASSERT_TRUE(process.Write("L.urli", "a list"));
  for (const Case& c : cases) {
    testing::ToolRun done = run(c.arguments);
    const std::string words = c.arguments[0] + " " + c.arguments[1];
    EXPECT_EQ(done.status, c.status) << words << " " << done.err;
    EXPECT_EQ(done.out, c.out) << words;
    // A usage error prints the command's usage line.
    EXPECT_EQ(done.err.rfind("usage: corvisant-tool " + words, 0) == 0, c.status == 2) << done.err;
  }
  EXPECT_EQ(process.files().Kind("h1\\a\\b.html"), PathKind::kFile);
  EXPECT_EQ(process.files().Kind("h1$81"), PathKind::kMissing) << "nothing made without --create";
  EXPECT_EQ(process.Read("L.urli"), "a list");
  EXPECT_EQ(process.reporter.Lines(), "40011 1 0 \"L.urli\" \"" + process.root() + "\" 183\n");

  testing::ToolRun temp = run({"store", "temp-name"});
  EXPECT_TRUE(temp.status == 0 && temp.out.size() == 29 &&
              temp.out.rfind("CorvisantDatabase\\temp\\", 0) == 0)
      << temp.out;  // five digits and a line end
  EXPECT_EQ(process.files().Kind(temp.out.substr(0, 28)), PathKind::kMissing);

  ASSERT_EQ(process.files().MakeDirectory("store"), 0);
  std::string store = process.root() + "\\store";
  testing::ToolRun rooted = run({"--root", store, "url", "store-file-url", "http://h1"});
  EXPECT_EQ(rooted.out, "file://" + MakeStoreRootUrlPath(store) + "/h1/index.html\n");
  ASSERT_TRUE(process.files().ChangeDirectory(process.root()));
}

}  // namespace
}  // namespace corvisant
