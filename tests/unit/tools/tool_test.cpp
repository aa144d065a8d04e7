#include "tools/corvisant-tool/tool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"

namespace corvisant::tool {
namespace {

// Runs the tool in-process with its output caught in temporary files.
struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

std::string Drain(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[256];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, count);
  std::fclose(file);
  return text;
}

ToolRun RunCaptured(const Arguments& arguments) {
  Context context;
  context.out = std::tmpfile();
  context.err = std::tmpfile();
  int status = RunTool(context, arguments);
  return ToolRun{status, Drain(context.out), Drain(context.err)};
}

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = InstallPorts(SystemPorts()); }
  void TearDown() override { InstallPorts(previous_); }
  Ports previous_;
};

TEST_F(ToolTest, PrintsItsVersion) {
  ToolRun run = RunCaptured({"--version"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out, "1.02\n");
}

TEST_F(ToolTest, HelpListsTheCommands) {
  for (const Arguments& arguments : {Arguments{"help"}, Arguments{}}) {
    ToolRun run = RunCaptured(arguments);
    EXPECT_EQ(run.status, kExitDone);
    EXPECT_NE(run.out.find("--root DIR"), std::string::npos);
    EXPECT_NE(run.out.find("  help "), std::string::npos);
  }
}

TEST_F(ToolTest, RootChoosesTheStoreRoot) {
  Files& files = *CurrentPorts().files;
  testing::ScratchDirectory scratch(files);
  ASSERT_EQ(files.MakeDirectory("store"), 0);
  std::string store = scratch.path() + "\\store";
  ToolRun run = RunCaptured({"--root", store, "help"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(files.CurrentDirectory(), store);
}

TEST_F(ToolTest, WrongCommandLinesAreUsageErrors) {
  for (const Arguments& arguments :
       {Arguments{"frobnicate"}, Arguments{"--bogus"}, Arguments{"--root"},
        Arguments{"--root", "Z:\\no\\such\\directory", "help"}}) {
    ToolRun run = RunCaptured(arguments);
    EXPECT_EQ(run.status, kExitUsage) << arguments[0];
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("corvisant-tool: "), std::string::npos);
  }
}

}  // namespace
}  // namespace corvisant::tool
