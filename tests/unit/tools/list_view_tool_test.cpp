// list lines and list jump as scripts meet them: the history's rows as its window paints them and
// the row a jump selects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/times.h"
#include "tests/support/test_process.h"
#include "tests/support/tool_capture.h"

namespace corvisant {
namespace {

TEST(ListViewTool, LinesAndJumpAnswerInTheirForm) {
  testing::TestProcess process;
  const UnixTime t = testing::kTestTime;
  for (int i = 0; i < 3; ++i) {
    std::vector<std::string> add = {"history",
                                    "add",
                                    "http://h/p" + std::to_string(i) + ".html",
                                    "--title",
                                    "P" + std::to_string(i),
                                    "--now",
                                    std::to_string(t + 100 * i)};
    ASSERT_EQ(testing::RunToolCaptured(process.process(), {add.begin(), add.end()}).status, 0);
  }
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string out;
  } rows[] = {
      {{"list", "lines", "history", "--first", "1", "--count", "5"},
       0,
       FormatLocalDisplayLine(t + 100, "P1") + "\n" + FormatLocalDisplayLine(t, "P0") + "\n"},
      {{"list", "jump", "history", std::to_string(t + 100), "http://h/p1.html"}, 0, "1\n"},
      {{"list", "jump", "history", std::to_string(t + 150), "http://h/x.html"}, 0, "1\n"},
      {{"list", "jump", "history", std::to_string(t + 100), "http://h/p1.html", "--current", "1"},
       0,
       "none\n"},
      {{"list", "jump", "history", "soon", "http://h/p1.html"}, 2, ""},
      {{"list", "lines", "missing"}, 1, ""},
  };
  for (const Row& row : rows) {
    testing::ToolRun run = testing::RunToolCaptured(
        process.process(), tool::Arguments(row.args.begin(), row.args.end()));
    EXPECT_EQ(run.status, row.status) << row.args[1] << " " << row.args.back();
    EXPECT_EQ(run.out, row.out) << row.args[1] << " " << row.args.back();
  }
}

}  // namespace
}  // namespace corvisant
