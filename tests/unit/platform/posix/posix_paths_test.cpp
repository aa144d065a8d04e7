#include "platform/posix/posix_paths.h"

#include <gtest/gtest.h>

namespace corvisant {
namespace {

TEST(PosixPaths, MapWindowsFormsAsWineDoes) {
  struct Case {
    const char* windows;
    const char* posix;
  };
  for (Case c :
       {Case{"Z:\\tmp\\x", "/tmp/x"}, Case{"z:\\tmp", "/tmp"}, Case{"Z:\\", "/"}, Case{"Z:", "/"},
        Case{"CorvisantDatabase\\etc\\version", "CorvisantDatabase/etc/version"},
        Case{"a/b\\c", "a/b/c"}, Case{"C:\\x", "C:/x"}, Case{"", ""}}) {
    EXPECT_EQ(ToPosixPath(c.windows), c.posix) << c.windows;
  }
  EXPECT_EQ(ToWindowsPath("/tmp/x"), "Z:\\tmp\\x");
  EXPECT_EQ(ToWindowsPath("/"), "Z:\\");
}

}  // namespace
}  // namespace corvisant
