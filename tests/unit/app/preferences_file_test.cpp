// The two files of the preference record: "preferences" and "windowpos".
#include "app/preferences_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/window_positions.h"
#include "tests/support/faulty_files.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

const char kPath[] = "CorvisantDatabase\\etc\\preferences";
const char kPositionsPath[] = "CorvisantDatabase\\etc\\windowpos";
const std::string kNoKeyword = "keyword = \nsound = no sound\n";

// The file the defaults save as, by hand: ten keyword entries between the flag words and the font.
std::string DefaultFile() {
  std::string file =
      "record level = 0x0041\nreplay mode = 0x000f\nshow page = 20 secs\n"
      "navigation method = 0x0041\nnavigation finish sound = no sound\n";
  for (int i = 0; i < kKeywordCount; ++i) file += kNoKeyword;
  return file + "miscellaneous = 0x0001\nfont = 80, MS Sans Serif\n";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
    lines.push_back(text.substr(at, text.find('\n', at) + 1 - at));
  }
  return lines;
}

// Records are compared as the files they save as, with the keyword watch (not saved).
class PreferencesFileTest : public ::testing::Test {
 protected:
  PreferencesFileTest() {
    sounds_.Assign("C:\\WINDOWS\\Media", {"tada.wav", "Chimes.wav", "chord.wav"});
  }
  std::string Saved(const Preferences& p) {
    return FormatPreferences(p, sounds_) + "watch " + std::to_string(p.KeywordWatchActive());
  }
  std::string Loaded(const std::string& bytes) {
    EXPECT_TRUE(process_.Write(kPath, bytes));
    Preferences preferences;
    EXPECT_TRUE(LoadPreferences(preferences, sounds_));
    return Saved(preferences);
  }

  testing::TestProcess process_;
  SoundList sounds_;
};

TEST_F(PreferencesFileTest, WithoutAFileTheRecordStaysAndTheDefaultsSaveAsTheDefaultFile) {
  Preferences preferences;
  preferences.showPage = 33;
  EXPECT_FALSE(LoadPreferences(preferences, sounds_));
  EXPECT_EQ(preferences.showPage, 33);
  ASSERT_TRUE(SavePreferences(Preferences(), sounds_));
  EXPECT_EQ(process_.Read(kPath), DefaultFile());
  EXPECT_EQ(Loaded(DefaultFile()), Saved(Preferences()));
}

// A file cut after its n-th line loads the first n fields and keeps the defaults of the rest.
TEST_F(PreferencesFileTest, EveryFieldRoundTripsAndAShortFileKeepsTheDefaultsOfTheRest) {
  Preferences full;
  full.recordLevel = 0x06, full.replayMode = 0x5, full.showPage = 0;
  full.navigationMethod = 0x120, full.navigationFinishSound = 3, full.miscellaneous = 0;
  full.SetKeyword(0, "a=b, c", 1), full.SetKeyword(3, "keyword = x", 2);
  full.SetKeyword(5, "", 2), full.SetKeyword(6, std::string(127, 'q'), 0);
  full.SetKeyword(9, "Java", 3), full.SetFont(120, "Courier, New");
  ASSERT_TRUE(SavePreferences(full, sounds_));
  const std::string saved = process_.Read(kPath);
  EXPECT_EQ(Loaded(saved), Saved(full));
  EXPECT_EQ(full.KeywordWatchActive(), 1);
  const std::vector<std::string> lines = Lines(saved), defaults = Lines(DefaultFile());
  ASSERT_EQ(lines.size(), 27u);
  std::string head;
  for (std::size_t n = 0; n <= 27; head += n < 27 ? lines[n] : "", ++n) {
    std::string expected = head;
    for (std::size_t i = n; i < 27; ++i) expected += defaults[i];
    Preferences cut;
    ParsePreferences(head, cut, sounds_);
    EXPECT_EQ(FormatPreferences(cut, sounds_), expected) << n << " lines";
  }
}

TEST_F(PreferencesFileTest, UnknownSoundNamesLoadAndSaveAsNoSound) {
  std::string text = Replaced(DefaultFile(), "finish sound = no sound", "finish sound = gone.wav");
  text = Replaced(text, "sound = no sound\nkeyword", "sound = Tada.wav\nkeyword");
  text.replace(text.rfind(kNoKeyword), kNoKeyword.size(), "keyword = x\nsound = chord.wav\n");
  EXPECT_EQ(Loaded(text),
            Replaced(DefaultFile(), kNoKeyword + "misc", "keyword = x\nsound = chord.wav\nmisc") +
                "watch 1");
}

// What is unusable keeps the record's value; a NUL ends the text; a long keyword shifts nothing.
TEST_F(PreferencesFileTest, DamagedAndHostileValuesKeepTheDefaults) {
  const std::string font = "font = 80, MS Sans Serif";
  const std::string cases[] = {
      "record level = 0xZZZZ\nreplay mode = 0x\nshow page = secs\n",
      "record level = 0x7fffffffff\nreplay mode = 0xffffffff\n",
      "record level = 0x0040\nreplay mode = 0x00ff\n",
      "record level = 0x0041\nreplay mode = 0x000f\nshow page = -5 secs\n",
      "record level = 0x0041\nreplay mode = 0x000f\nshow page = 99999999999999999999 secs\n",
      "record level = 0x" + std::string(100000, 'x'),
      Replaced(DefaultFile(), font, "font = 0, Arial"),
      Replaced(DefaultFile(), font, "font = 80 Arial"),
      Replaced(DefaultFile(), font, "font = x, Arial"),
      Replaced(DefaultFile(), font, "font = 80, " + std::string(40, 'F')),
      std::string("record level = 0x0041\0replay mode = 0x0003", 42),
  };
  for (const std::string& text : cases) {
    EXPECT_EQ(Loaded(text), Saved(Preferences())) << text.substr(0, 80);
  }
  std::string word(5000, 'k');
  EXPECT_EQ(Loaded(Replaced(DefaultFile(), "keyword = \n", "keyword = " + word + "\n")),
            Replaced(DefaultFile(), "keyword = \n",
                     "keyword = " + word.substr(0, kKeywordMaxLength) + "\n") +
                "watch 0");
  Preferences twoLines, again;
  twoLines.SetKeyword(0, "two\nlines", 1);
  ParsePreferences(FormatPreferences(twoLines, sounds_), again, sounds_);
  twoLines.SetKeyword(0, "two", 1);
  EXPECT_EQ(Saved(again), Saved(twoLines)) << "a keyword's line feed cannot shift the file";
}

// The old file stays whole whatever fails: the open, the write or the putting in its place.
TEST(PreferencesFileFaults, AFileThatCannotBeOpenedOrWrittenIsReported) {
  const std::pair<std::string, std::string> faults[] = {
      {"open", "40013 1 0\n"}, {"write", "40014 1 0\n"}, {"replace", "40014 1 0\n"}};
  for (const auto& [fault, report] : faults) {
    testing::FaultyFiles faulty(*SystemPorts().files);
    testing::TestProcessOptions options;
    options.files = &faulty;
    testing::TestProcess process(options);
    ASSERT_TRUE(process.Write(kPath, "old"));
    if (fault == "open") faulty.FailOpen("preferences");
    if (fault == "write") faulty.FailWrites("preferences", 1);
    if (fault == "replace") faulty.FailReplace("preferences");
    EXPECT_FALSE(SavePreferences(Preferences(), SoundList()));
    EXPECT_EQ(process.reporter.Lines(), report);
    EXPECT_EQ(testing::ReadBytes(*SystemPorts().files, kPath), "old") << fault;
    EXPECT_EQ(process.files().List("CorvisantDatabase\\etc", "*~new").size(), 0u) << fault;
  }
}

constexpr ScreenSize kScreen = {800, 600};

std::string Text(const WindowRect& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
}

std::string Texts(const Preferences& p) {
  return Text(p.menuBarWindowRect) + "|" + Text(p.historyWindowRect) + "|" +
         Text(p.finderWindowRect);
}

TEST(WindowPositions, SavedAsThreeLinesLoadedUnchangedAndNormalisedOnTheFirstMove) {
  testing::TestProcess process;
  Preferences preferences;
  EXPECT_FALSE(LoadWindowPositions(preferences, kScreen));
  EXPECT_EQ(Texts(preferences), "10 10 510 310|0 0 180 180|300 100 630 325");
  preferences.menuBarWindowRect = WindowRect{12, 34, 512, 334};
  preferences.historyWindowRect = WindowRect{-30, -40, 70, 60};
  preferences.finderWindowRect = WindowRect{INT_MIN, 0, INT_MAX, -1};
  ASSERT_TRUE(SaveWindowPositions(preferences));
  EXPECT_EQ(process.Read(kPositionsPath),
            "MenuBarWindow = 12 34 512 334\nHistoryWindow = -30 -40 70 60\n"
            "FinderWindow = -2147483648 0 2147483647 -1\n");
  Preferences loaded;
  ASSERT_TRUE(LoadWindowPositions(loaded, kScreen));
  EXPECT_EQ(Texts(loaded), Texts(preferences));
  SetHistoryPosition(loaded, loaded.historyWindowRect, kScreen);
  EXPECT_EQ(Text(loaded.historyWindowRect), "0 0 180 180");
}

// Exact places; that any rectangle ends on the screen at its size is the windowpos fuzz property.
TEST(WindowPositions, NormalisingKeepsWindowsOnTheScreenAtTheirSizes) {
  using Normalise = WindowRect (*)(const WindowRect&, ScreenSize);
  const Normalise menuBar = NormaliseMenuBarPosition, history = NormaliseHistoryPosition;
  const struct {
    Normalise normalise;
    WindowRect given;
    const char* placed;
  } cases[] = {
      {menuBar, {-5, -9, 900, 900}, "0 0 500 300"},     // off the left
      {menuBar, {790, 599, 0, 0}, "750 550 1250 850"},  // off the right
      {NormaliseFinderPosition, {300, 100, 0, 0}, "300 100 630 325"},
      {history, {20, 30, 420, 330}, "20 30 420 330"},  // its size kept
      {history, {20, 30, 40, 50}, "20 30 200 210"},    // raised to 180
      {history, {-100, 0, 300, 400}, "0 0 400 400"},   // its size taken before the clamp
      {history, {790, 10, INT_MAX, 20}, "750 10 2147483607 190"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(c.normalise(c.given, kScreen)), c.placed);
}

// Below the menu bar: left-aligned on the screen's left half, right-aligned on the right half.
TEST(WindowPositions, TheControllerStaysBelowTheMenuBarAndOnTheScreen) {
  const struct {
    WindowRect frame;
    int screenWidth;
    const char* placed;
  } cases[] = {
      {{700, 10, 1200, 50}, 1280, "1080 50 1200 80"},
      {{100, 10, 600, 50}, 1280, "100 50 220 80"},
      {{-20, -60, 480, -9}, 1280, "0 0 120 30"},
      {{700, 10, 1200, 50}, 1024, "904 50 1024 80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Text(PlaceController(c.frame, 120, 30, {c.screenWidth, 1024})), c.placed);
  }
}

TEST(WindowPositions, ShortAndDamagedFilesKeepTheDefaultsOfTheRest) {
  testing::TestProcess process;
  const std::string rest = "|0 0 180 180|300 100 630 325";
  const std::pair<std::string, std::string> cases[] = {
      {"MenuBarWindow = 1 2", "1 2 510 310" + rest},
      {"x = 5 6 7 8\ny = 9 9 9 9\nz = 1 1 1 1", "5 6 7 8|9 9 9 9|1 1 1 1"},  // names not read
      {"MenuBarWindow = 1 99999999999 3 4\n", "1 10 510 310" + rest},
      {"MenuBarWindow = abc\nHistoryWindow = 7 x 9\n", "10 10 510 310|7 0 180 180|300 100 630 325"},
      {std::string("A = 1 2 3 4\0B = 5 6 7 8", 23), "1 2 3 4" + rest},  // a NUL ends the text
      {"A = 1 2 3 " + std::string(200000, '4'), "1 2 3 310" + rest},
  };
  for (const auto& [text, placed] : cases) {
    ASSERT_TRUE(process.Write(kPositionsPath, text));
    Preferences loaded;
    EXPECT_TRUE(LoadWindowPositions(loaded, kScreen));
    EXPECT_EQ(Texts(loaded), placed) << text.substr(0, 40);
  }
}

}  // namespace
}  // namespace corvisant
