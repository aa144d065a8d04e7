#include "app/window_positions.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/settings_store.h"

namespace corvisant {
namespace {

const char kPath[] = "CorvisantDatabase\\etc\\windowpos";
constexpr ScreenSize kScreen = {800, 600};

std::string Text(const WindowRect& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
}

class WindowPositionsTest : public ::testing::Test {
 protected:
  Files& files() { return store_.files(); }
  Preferences Loaded(const std::string& bytes) {
    EXPECT_TRUE(testing::WriteBytes(files(), kPath, bytes));
    Preferences preferences;
    EXPECT_TRUE(LoadWindowPositions(preferences, kScreen));
    return preferences;
  }

  testing::SettingsStore store_;
};

TEST_F(WindowPositionsTest, WithoutAFileTheDefaultsAreNormalised) {
  Preferences preferences;
  EXPECT_FALSE(LoadWindowPositions(preferences, kScreen));
  EXPECT_EQ(Text(preferences.menuBarWindowRect), "10 10 510 310");
  EXPECT_EQ(Text(preferences.historyWindowRect), "0 0 180 180");
  EXPECT_EQ(Text(preferences.finderWindowRect), "300 100 630 325");
}

TEST_F(WindowPositionsTest, SavesThreeLinesAndLoadsThemUnchanged) {
  Preferences preferences;
  preferences.menuBarWindowRect = WindowRect{12, 34, 512, 334};
  preferences.historyWindowRect = WindowRect{-30, -40, 70, 60};
  preferences.finderWindowRect = WindowRect{INT_MIN, 0, INT_MAX, -1};
  ASSERT_TRUE(SaveWindowPositions(preferences));
  EXPECT_EQ(testing::ReadBytes(files(), kPath),
            "MenuBarWindow = 12 34 512 334\n"
            "HistoryWindow = -30 -40 70 60\n"
            "FinderWindow = -2147483648 0 2147483647 -1\n");
  Preferences loaded;
  ASSERT_TRUE(LoadWindowPositions(loaded, kScreen));
  EXPECT_EQ(loaded.menuBarWindowRect, preferences.menuBarWindowRect);
  EXPECT_EQ(loaded.historyWindowRect, preferences.historyWindowRect);
  EXPECT_EQ(loaded.finderWindowRect, preferences.finderWindowRect);
}

TEST_F(WindowPositionsTest, TheFirstMoveOfALoadedHistoryWindowNormalisesIt) {
  Preferences loaded = Loaded("MenuBarWindow = 1 2 3 4\nHistoryWindow = -30 -40 70 60\n");
  EXPECT_EQ(Text(loaded.historyWindowRect), "-30 -40 70 60");
  SetHistoryPosition(loaded, loaded.historyWindowRect, kScreen);
  EXPECT_EQ(Text(loaded.historyWindowRect), "0 0 180 180");
}

TEST_F(WindowPositionsTest, NormalisingKeepsWindowsOnTheScreenAtTheirSizes) {
  using Normalise = WindowRect (*)(const WindowRect&, ScreenSize);
  struct Case {
    const char* name;
    Normalise normalise;
    WindowRect given;
    const char* placed;
  };
  const Case cases[] = {
      {"menu bar fixed size", NormaliseMenuBarPosition, {10, 10, 20, 20}, "10 10 510 310"},
      {"menu bar off the left", NormaliseMenuBarPosition, {-5, -9, 900, 900}, "0 0 500 300"},
      {"menu bar off the right", NormaliseMenuBarPosition, {790, 599, 0, 0}, "750 550 1250 850"},
      {"Finder fixed size", NormaliseFinderPosition, {300, 100, 0, 0}, "300 100 630 325"},
      {"Finder far away", NormaliseFinderPosition, {INT_MAX, INT_MIN, 0, 0}, "750 0 1080 225"},
      {"history kept size", NormaliseHistoryPosition, {20, 30, 420, 330}, "20 30 420 330"},
      {"history raised to 180", NormaliseHistoryPosition, {20, 30, 40, 50}, "20 30 200 210"},
      {"history upside down", NormaliseHistoryPosition, {100, 100, 0, 0}, "100 100 280 280"},
      {"history size before the clamp",
       NormaliseHistoryPosition,
       {-100, 0, 300, 400},
       "0 0 400 400"},
      {"history huge", NormaliseHistoryPosition, {INT_MIN, 0, INT_MAX, 500}, "0 0 2147483647 500"},
      {"history near the edge",
       NormaliseHistoryPosition,
       {790, 10, INT_MAX, 20},
       "750 10 2147483607 190"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.normalise(c.given, kScreen)), c.placed) << c.name;
}

TEST_F(WindowPositionsTest, ShortAndDamagedFilesKeepTheDefaultsOfTheRest) {
  struct Case {
    const char* name;
    std::string text;
    const char* menuBar;
    const char* history;
    const char* finder;
  };
  const char* menuBar = "10 10 510 310";
  const char* history = "0 0 180 180";
  const char* finder = "300 100 630 325";
  const Case cases[] = {
      {"empty", "", menuBar, history, finder},
      {"one line", "MenuBarWindow = 1 2 3 4\n", "1 2 3 4", history, finder},
      {"two numbers", "MenuBarWindow = 1 2", "1 2 510 310", history, finder},
      {"names not checked", "x = 5 6 7 8\ny = 9 9 9 9\nz = 1 1 1 1", "5 6 7 8", "9 9 9 9",
       "1 1 1 1"},
      {"number too big", "MenuBarWindow = 1 99999999999 3 4\n", "1 10 510 310", history, finder},
      {"garbage", "MenuBarWindow = abc\nHistoryWindow = 7 x 9\n", menuBar, "7 0 180 180", finder},
      {"equals at the end", "MenuBarWindow =", menuBar, history, finder},
      {"NUL ends the text", std::string("A = 1 2 3 4\0B = 5 6 7 8", 23), "1 2 3 4", history,
       finder},
      {"over-long line", "A = 1 2 3 " + std::string(200000, '4'), "1 2 3 310", history, finder},
  };
  for (const Case& c : cases) {
    Preferences loaded = Loaded(c.text);
    EXPECT_EQ(Text(loaded.menuBarWindowRect), c.menuBar) << c.name;
    EXPECT_EQ(Text(loaded.historyWindowRect), c.history) << c.name;
    EXPECT_EQ(Text(loaded.finderWindowRect), c.finder) << c.name;
  }
}

}  // namespace
}  // namespace corvisant
