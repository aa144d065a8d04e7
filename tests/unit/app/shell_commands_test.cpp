#include "app/shell_commands.h"

#include <gtest/gtest.h>

namespace corvisant {
namespace {

TEST(ShellCommands, OpenTakesThePathPrintIsTakenAndTheRestRefused) {
  using Kind = ShellCommand::Kind;
  const struct {
    const char* command;
    Kind kind;
    const char* path;
  } cases[] = {
      {"[open(\"C:\\lists\\news.urli\")]", Kind::kOpen, "C:\\lists\\news.urli"},
      {"[open(\"C:\\a b.urld\")]", Kind::kOpen, "C:\\a b.urld"},
      {"[open(\"no closing quote", Kind::kRefused, ""},
      {"[print(\"C:\\lists\\news.urli\")]", Kind::kPrint, ""},
      {"[printto(\"x.urli\",\"printer\",\"driver\",\"port\")]", Kind::kPrint, ""},
      {"[Open(\"x.urli\")]", Kind::kRefused, ""},
      {"", Kind::kRefused, ""},
  };
  for (const auto& c : cases) {
    ShellCommand parsed = ParseShellCommand(c.command);
    EXPECT_EQ(parsed.kind, c.kind) << c.command;
    EXPECT_EQ(parsed.path, c.path) << c.command;
  }
}

TEST(ShellCommands, AChosenFileGivesItsPairAndName) {
  const struct {
    const char* path;
    const char* base;
    const char* name;
  } cases[] = {
      {"C:\\lists\\news.urli", "C:\\lists\\news", "news"},
      {"C:\\lists\\news.urld", "C:\\lists\\news", "news"},
      {"C:\\my.lists\\news.old.urli", "C:\\my.lists\\news.old", "news.old"},
      {"news", "new", "new"},
  };
  for (const auto& c : cases) {
    UrlListPairFiles pair = UrlListPairOf(c.path);
    EXPECT_EQ(pair.indexPath, std::string(c.base) + ".urli") << c.path;
    EXPECT_EQ(pair.dataPath, std::string(c.base) + ".urld") << c.path;
    EXPECT_EQ(pair.name, c.name) << c.path;
  }
}

}  // namespace
}  // namespace corvisant
