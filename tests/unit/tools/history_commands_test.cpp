#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/tool_capture.h"
#include "tests/unit/history/history_fixture.h"

namespace corvisant::tool {
namespace {

using corvisant::testing::RunToolCaptured;
using corvisant::testing::ToolRun;

class HistoryCommandsTest : public ::testing::Test {
 protected:
  HistoryCommandsTest() : previous_(InstallPorts(SystemPorts())) {}
  ~HistoryCommandsTest() override { InstallPorts(previous_); }

  std::string Out(const Arguments& arguments) {
    ToolRun run = RunToolCaptured(arguments);
    EXPECT_EQ(run.status, kExitDone) << arguments[0] << " " << arguments[1] << ": " << run.err;
    return run.out;
  }
  std::string Bytes(const std::string& path) { return corvisant::testing::ReadBytes(files_, path); }
  std::string Root() { return "file:///" + UrlRoot() + "/"; }
  std::string UrlRoot() {
    std::string root = scratch_.path();
    root[root.find(':')] = '|';
    for (char& c : root) c = c == '\\' ? '/' : c;
    return root;
  }

  Ports previous_;
  Files& files_ = *Current<Files>();
  corvisant::testing::ScratchDirectory scratch_{files_};
  const UnixTime t_ = corvisant::testing::LocalTime(1997, 12, 5, 10, 3, 4);
  const std::string at_ = std::to_string(t_);
};

// The recording rules themselves are tested on the history directly; here the answers' forms.
TEST_F(HistoryCommandsTest, VisitsAnswerRecordedOrSkippedAndListEscapedTexts) {
  auto later = [this](int seconds) { return std::to_string(t_ + seconds); };
  EXPECT_EQ(Out({"history", "count"}), "0\n");
  EXPECT_EQ(Out({"history", "add", "http://h1/", "--title", "Home", "--now", later(0)}),
            "recorded\n");
  EXPECT_EQ(Out({"history", "add", "http://h1/", "--title", "Home", "--now", later(20)}),
            "skipped\n");
  EXPECT_EQ(
      Out({"history", "add", "http://h2/t", "--title", "two\r\nlines\x80", "--now", later(80)}),
      "recorded\n");
  EXPECT_EQ(Out({"history", "count"}), "2\n");
  const std::string newest = later(80) + "\thttp://h2/t\ttwo \\x0alines\\x80\n";
  EXPECT_EQ(Out({"history", "list", "--count", "2"}),
            "0\t" + newest + "1\t" + later(0) + "\thttp://h1/\tHome\n");
  EXPECT_EQ(Out({"history", "list", "--oldest-first", "--first", "1", "--count", "1"}),
            "1\t" + newest);
  EXPECT_EQ(Out({"history", "line", "1"}), "1997/12/05 10:03:04 Home\n");
  EXPECT_EQ(Out({"history", "line", "0"}), "1997/12/05 10:04:24 two \\x0alines\\x80\n");
  EXPECT_EQ(RunToolCaptured({"history", "line", "2"}).status, kExitNothing);
}

TEST_F(HistoryCommandsTest, ListPairsAreMadeShownSortedAndReversed) {
  Out({"list", "append", "trip", "http://b/", "B", "200"});
  Out({"list", "append", "trip", "http://a/", "A", "100"});
  Out({"list", "append", "trip", "http://c/", "C", "300"});
  EXPECT_EQ(Bytes("trip.urld"), "http://b/\rB\rhttp://a/\rA\rhttp://c/\rC\r");
  EXPECT_EQ(Bytes("trip.urli").size(), 36u);
  EXPECT_EQ(Out({"list", "show", "trip"}),
            "0\t300\thttp://c/\tC\n1\t100\thttp://a/\tA\n2\t200\thttp://b/\tB\n");
  Out({"list", "sort", "trip"});
  EXPECT_EQ(Out({"list", "show", "trip", "--oldest-first"}),
            "0\t100\thttp://a/\tA\n1\t200\thttp://b/\tB\n2\t300\thttp://c/\tC\n");
  Out({"list", "reverse", "trip"});
  EXPECT_EQ(Out({"list", "show", "trip", "--oldest-first"}),
            "0\t300\thttp://c/\tC\n1\t200\thttp://b/\tB\n2\t100\thttp://a/\tA\n");
  EXPECT_EQ(RunToolCaptured({"list", "show", "missing"}).status, kExitNothing);
  EXPECT_EQ(files_.Kind("missing.urli"), PathKind::kMissing);
}

TEST_F(HistoryCommandsTest, ExportsWriteTheirFormats) {
  Out({"history", "add", "http://h1/", "--title", "Home", "--now", at_});
  Out({"export", "hotlist", "history", "h.html"});
  EXPECT_EQ(Bytes("h.html"), "<HTML>\r\n<base href=\"" + Root() +
                                 "\">\r\n<li><A HREF=\"http://h1/\">Home</A>  1997/12/05 "
                                 "10:03:04\r\n</html>\r\n");
  Out({"export", "visit", "history", "v.html"});
  EXPECT_EQ(
      Bytes("v.html"),
      "<html>\r\n<visit repeat=1>\r\n<visit href=\"http://h1/\" spend=20secs>\r\n</html>\r\n");
  Out({"export", "visit", "history", "l.html", "--local", "--spend", "45"});
  EXPECT_EQ(Bytes("l.html"), "<html>\r\n<visit repeat=1>\r\n<visit href=\"" + Root() +
                                 "h1/index.html\" spend=45secs>\r\n</html>\r\n");
  Out({"export", "urllist", "history", "saved"});
  EXPECT_EQ(Bytes("saved.urli"), Bytes("CorvisantDatabase\\history\\HistoryIndex"));
  EXPECT_EQ(Bytes("saved.urld"), "http://h1/\rHome\r");
  Out({"export", "urllist", "saved", "copy"});
  EXPECT_EQ(Bytes("copy.urli"), Bytes("saved.urli"));
}

TEST_F(HistoryCommandsTest, NamedHotlists) {
  EXPECT_EQ(RunToolCaptured({"hotlist", "add", "news"}).status, kExitNothing);
  EXPECT_EQ(Out({"hotlist", "create", "news"}), "created\n");
  EXPECT_EQ(Out({"hotlist", "create", "news"}), "exists\n");
  EXPECT_EQ(RunToolCaptured({"hotlist", "add", "news"}).status, kExitNothing);  // empty history
  Out({"history", "add", "http://h1/", "--title", "Home", "--now", at_});
  Out({"hotlist", "add", "news"});
  EXPECT_EQ(Bytes("CorvisantDatabase\\hotlist\\news"),
            "<HTML>\r\n<base href=\"" + Root() +
                "\">\r\n<li><A HREF=\"http://h1/\">Home</A>  1997/12/05 10:03:04\r\n");
  EXPECT_EQ(Out({"hotlist", "format", "http://h1/", "Home\r", at_}),
            "<li><A HREF=\"http://h1/\">Home\\x0d</A>  1997/12/05 10:03:04\n");
  EXPECT_EQ(RunToolCaptured({"hotlist", "create", "..\\escape"}).status, kExitNothing);
}

TEST_F(HistoryCommandsTest, WrongCommandLinesAreUsageErrors) {
  for (const Arguments& arguments :
       {Arguments{"history", "add"}, Arguments{"history", "add", "u", "--now", "soon"},
        Arguments{"history", "list", "--first"}, Arguments{"history", "line", "x"},
        Arguments{"list", "append", "b", "u", "t"}, Arguments{"export", "visit", "history"},
        Arguments{"export", "visit", "history", "p", "--spend", "x"},
        Arguments{"hotlist", "format", "u", "t"}}) {
    EXPECT_EQ(RunToolCaptured(arguments).status, kExitUsage) << arguments[0] << arguments[1];
  }
}

}  // namespace
}  // namespace corvisant::tool
