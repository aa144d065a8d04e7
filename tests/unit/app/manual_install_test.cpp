#include "app/manual_install.h"

#include <gtest/gtest.h>

#include "tests/support/test_process.h"

namespace corvisant {
namespace {

TEST(ManualInstall, AStoreWithoutAManualGetsTheProgramsAndKeepsItsOwn) {
  testing::TestProcess process;
  Files& files = process.files();
  EXPECT_FALSE(InstallManualIfMissing("program"));  // a program without its manual
  ASSERT_EQ(files.MakeDirectory("program"), 0);
  ASSERT_EQ(files.MakeDirectory("program\\CorvisantDocument"), 0);
  ASSERT_TRUE(process.Write("program\\CorvisantDocument\\manual.html", "<p>manual</p>"));
  ASSERT_TRUE(process.Write("program\\CorvisantDocument\\history.html", "<p>history</p>"));

  EXPECT_TRUE(InstallManualIfMissing("program"));
  EXPECT_EQ(process.Read("CorvisantDocument\\manual.html"), "<p>manual</p>");
  EXPECT_EQ(process.Read("CorvisantDocument\\history.html"), "<p>history</p>");

  ASSERT_TRUE(process.Write("CorvisantDocument\\manual.html", "<p>edited</p>"));
  EXPECT_TRUE(InstallManualIfMissing("program"));
  EXPECT_EQ(process.Read("CorvisantDocument\\manual.html"), "<p>edited</p>");
}

}  // namespace
}  // namespace corvisant
