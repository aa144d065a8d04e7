#include "tools/corvisant-tool/tool.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/tool_capture.h"

namespace corvisant::tool {
namespace {

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = InstallPorts(SystemPorts()); }
  void TearDown() override { InstallPorts(previous_); }
  Ports previous_;
};

TEST_F(ToolTest, PrintsItsVersion) {
  testing::ToolRun run = testing::RunToolCaptured({"--version"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out, "1.02\n");
}

TEST_F(ToolTest, HelpListsTheCommands) {
  for (const Arguments& arguments : {Arguments{"help"}, Arguments{}}) {
    testing::ToolRun run = testing::RunToolCaptured(arguments);
    EXPECT_EQ(run.status, kExitDone);
    EXPECT_NE(run.out.find("--root DIR"), std::string::npos);
    EXPECT_NE(run.out.find("  help "), std::string::npos);
  }
}

TEST_F(ToolTest, RootChoosesTheStoreRoot) {
  Files& files = *Current<Files>();
  testing::ScratchDirectory scratch(files);
  ASSERT_EQ(files.MakeDirectory("store"), 0);
  std::string store = scratch.path() + "\\store";
  testing::ToolRun run = testing::RunToolCaptured({"--root", store, "help"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(files.CurrentDirectory(), store);
}

TEST_F(ToolTest, WrongCommandLinesAreUsageErrors) {
  for (const Arguments& arguments :
       {Arguments{"frobnicate"}, Arguments{"--bogus"}, Arguments{"--root"},
        Arguments{"--root", "Z:\\no\\such\\directory", "help"}}) {
    testing::ToolRun run = testing::RunToolCaptured(arguments);
    EXPECT_EQ(run.status, kExitUsage) << arguments[0];
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("corvisant-tool: "), std::string::npos);
  }
}

}  // namespace
}  // namespace corvisant::tool
