#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/settings_store.h"
#include "tests/support/tool_capture.h"

namespace corvisant::tool {
namespace {

using corvisant::testing::RunToolCaptured;
using corvisant::testing::ToolRun;

class PrefsCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(files().MakeDirectory("Media"), 0);
    for (const char* name : {"tada.wav", "Chimes.wav", "chord.wav", "notes.txt"}) {
      ASSERT_TRUE(corvisant::testing::WriteBytes(files(), std::string("Media\\") + name, "RIFF"));
    }
    media_ = store_.path() + "\\Media";
  }
  Files& files() { return store_.files(); }
  ToolRun Run(Arguments arguments) {
    arguments.insert(arguments.begin(), {"--media", media_});
    return RunToolCaptured(arguments);
  }
  std::string Show() { return Run({"prefs", "show"}).out; }

  corvisant::testing::SettingsStore store_;
  std::string media_;
};

TEST_F(PrefsCommandsTest, ShowPrintsTheFileAsSaved) {
  ToolRun run = Run({"prefs", "show"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out.substr(0, 22), "record level = 0x0041\n");
  EXPECT_EQ(run.out.substr(run.out.size() - 25), "font = 80, MS Sans Serif\n");
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 27);
  EXPECT_EQ(Run({"prefs", "set", "show-page", "20"}).status, kExitDone);
  EXPECT_EQ(corvisant::testing::ReadBytes(files(), "CorvisantDatabase\\etc\\preferences"), run.out);
}

TEST_F(PrefsCommandsTest, SetChangesOneLineAndSaves) {
  struct Case {
    Arguments set;
    const char* line;
  };
  const Case cases[] = {
      {{"record-level", "0x22"}, "record level = 0x0022\n"},
      {{"replay-mode", "5"}, "replay mode = 0x0005\n"},
      {{"show-page", "0x10"}, "show page = 16 secs\n"},
      {{"navigation-method", "0x120"}, "navigation method = 0x0120\n"},
      {{"miscellaneous", "0"}, "miscellaneous = 0x0000\n"},
      {{"finish-sound", "chord.wav"}, "navigation finish sound = chord.wav\n"},
      {{"keyword", "0", "a = b", "Chimes.wav"}, "keyword = a = b\nsound = Chimes.wav\n"},
      {{"font", "120", "Courier New"}, "font = 120, Courier New\n"},
  };
  for (const Case& c : cases) {
    Arguments arguments = {"prefs", "set"};
    arguments.insert(arguments.end(), c.set.begin(), c.set.end());
    EXPECT_EQ(Run(arguments).status, kExitDone) << c.line;
    EXPECT_NE(Show().find(c.line), std::string::npos) << c.line;
  }
}

TEST_F(PrefsCommandsTest, UnusableSettingsAreRefusedAndNothingIsSaved) {
  struct Case {
    Arguments set;
    int status;
  };
  const Case cases[] = {
      {{}, kExitUsage},
      {{"colour", "1"}, kExitUsage},
      {{"record-level", "0x3"}, kExitUsage},
      {{"record-level", "65x"}, kExitUsage},
      {{"show-page", "99999999999"}, kExitUsage},
      {{"finish-sound", "TADA.WAV"}, kExitNothing},
      {{"keyword", "10", "x", "tada.wav"}, kExitUsage},
      {{"keyword", "1", "x\ny", "tada.wav"}, kExitUsage},
      {{"keyword", "1", "x"}, kExitUsage},
      {{"font", "80", ""}, kExitUsage},
  };
  for (const Case& c : cases) {
    Arguments arguments = {"prefs", "set"};
    arguments.insert(arguments.end(), c.set.begin(), c.set.end());
    ToolRun run = Run(arguments);
    EXPECT_EQ(run.status, c.status) << (c.set.empty() ? "" : c.set[0]);
    EXPECT_FALSE(run.err.empty());
  }
  EXPECT_EQ(files().Kind("CorvisantDatabase\\etc\\preferences"), PathKind::kMissing);
}

TEST_F(PrefsCommandsTest, WindowPositionsPrintOneRectangleALine) {
  EXPECT_EQ(
      Run({"prefs", "windowpos"}).out,
      "MenuBarWindow 10 10 510 310\nHistoryWindow 0 0 180 180\nFinderWindow 300 100 630 325\n");
  ASSERT_TRUE(
      corvisant::testing::WriteBytes(files(), "CorvisantDatabase\\etc\\windowpos",
                                     "MenuBarWindow = 1 2 3 4\nHistoryWindow = -30 -40 70 60\n"));
  EXPECT_EQ(Run({"prefs", "windowpos"}).out,
            "MenuBarWindow 1 2 3 4\nHistoryWindow -30 -40 70 60\nFinderWindow 300 100 630 325\n");
}

TEST_F(PrefsCommandsTest, SoundsListTheMediaFolder) {
  ToolRun run = Run({"sounds", "list"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out, "no sound\nChimes.wav\nchord.wav\ntada.wav\n");
}

TEST_F(PrefsCommandsTest, KeywordsCheckPrintsTheSoundsInTableOrder) {
  ASSERT_EQ(Run({"prefs", "set", "keyword", "1", "news", "tada.wav"}).status, kExitDone);
  ASSERT_EQ(Run({"prefs", "set", "keyword", "4", "Java", "chord.wav"}).status, kExitDone);
  ASSERT_EQ(Run({"prefs", "set", "keyword", "6", "java", "Chimes.wav"}).status, kExitDone);
  ASSERT_TRUE(corvisant::testing::WriteBytes(files(), "page.html", "<b>Java</b> news news"));
  ToolRun run = Run({"keywords", "check", "page.html"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out, "play tada.wav\nplay chord.wav\n");
  EXPECT_EQ(Run({"keywords", "check", "missing.html"}).status, kExitNothing);
  EXPECT_EQ(Run({"keywords", "check"}).status, kExitUsage);
}

}  // namespace
}  // namespace corvisant::tool
