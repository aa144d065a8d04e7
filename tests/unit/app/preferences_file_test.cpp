#include "app/preferences_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "tests/support/faulty_files.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/settings_store.h"

namespace corvisant {
namespace {

const char kPath[] = "CorvisantDatabase\\etc\\preferences";

// The file the defaults save as, by hand: ten keyword entries between the flag words and the font.
std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}
const std::string kDefaultFile =
    "record level = 0x0041\nreplay mode = 0x000f\nshow page = 20 secs\n"
    "navigation method = 0x0041\nnavigation finish sound = no sound\n" +
    Repeated("keyword = \nsound = no sound\n", 10) +
    "miscellaneous = 0x0001\nfont = 80, MS Sans Serif\n";

// Every saved field of the record, one string each, in the order of the file's lines.
std::vector<std::string> FieldList(const Preferences& p) {
  std::vector<std::string> fields = {std::to_string(p.recordLevel), std::to_string(p.replayMode),
                                     std::to_string(p.showPage), std::to_string(p.navigationMethod),
                                     std::to_string(p.navigationFinishSound)};
  for (const KeywordEntry& entry : p.keywords) {
    fields.push_back(entry.word);
    fields.push_back(std::to_string(entry.sound));
  }
  fields.push_back(std::to_string(p.miscellaneous));
  fields.push_back(std::to_string(p.fontSize) + ", " + p.fontFace);
  return fields;
}

std::string SavedFields(const Preferences& p) {
  std::string joined = "watch " + std::to_string(p.keywordWatchActive);
  for (const std::string& field : FieldList(p)) joined += "|" + field;
  return joined;
}

class PreferencesFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sounds_.Assign("C:\\WINDOWS\\Media", {"tada.wav", "Chimes.wav", "chord.wav"});
  }
  Files& files() { return store_.files(); }
  Preferences Loaded(const std::string& bytes) {
    EXPECT_TRUE(testing::WriteBytes(files(), kPath, bytes));
    Preferences preferences;
    EXPECT_TRUE(LoadPreferences(preferences, sounds_));
    return preferences;
  }

  testing::SettingsStore store_;
  SoundList sounds_;
};

TEST_F(PreferencesFileTest, WithoutAFileTheDefaultsStayAndSaveAsTheTwentySevenLineFile) {
  Preferences preferences;
  preferences.showPage = 33;
  EXPECT_FALSE(LoadPreferences(preferences, sounds_));
  EXPECT_EQ(preferences.showPage, 33);
  ASSERT_TRUE(SavePreferences(Preferences(), sounds_));
  std::string saved = testing::ReadBytes(files(), kPath);
  EXPECT_EQ(saved, kDefaultFile);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 27);
  EXPECT_EQ(SavedFields(Loaded(kDefaultFile)), SavedFields(Preferences()));
}

TEST_F(PreferencesFileTest, SavesFlagWordsInFourDigitsAndLoadsTheSameRecord) {
  Preferences preferences;
  preferences.recordLevel = 0x06;
  preferences.replayMode = 0x5;
  preferences.showPage = 0;
  preferences.navigationMethod = 0x120;
  preferences.navigationFinishSound = 3;
  preferences.miscellaneous = 0;
  preferences.SetKeyword(0, "a=b, c", 1);
  preferences.SetKeyword(3, "keyword = x", 2);
  preferences.SetKeyword(9, "Java", 3);
  preferences.SetKeyword(5, "", 2);
  preferences.SetKeyword(6, std::string(127, 'q'), 0);
  preferences.SetFont(120, "Courier, New");
  ASSERT_TRUE(SavePreferences(preferences, sounds_));
  std::string saved = testing::ReadBytes(files(), kPath);
  for (const char* line : {"record level = 0x0006\n", "replay mode = 0x0005\n",
                           "navigation method = 0x0120\n", "miscellaneous = 0x0000\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line;
  }
  Preferences loaded;
  ASSERT_TRUE(LoadPreferences(loaded, sounds_));
  EXPECT_EQ(SavedFields(loaded), SavedFields(preferences));
  EXPECT_EQ(loaded.KeywordWatchActive(), 1);
}

TEST_F(PreferencesFileTest, UnknownSoundNamesLoadAndSaveAsNoSound) {
  std::string text = kDefaultFile;
  text.replace(text.find("finish sound = no sound"), 23, "finish sound = gone.wav");
  text.replace(text.find("sound = no sound\nkeyword"), 16, "sound = Tada.wav");
  text.replace(text.rfind("keyword = \n"), 11, "keyword = x\n");
  text.replace(text.rfind("sound = no sound"), 16, "sound = chord.wav");
  Preferences loaded = Loaded(text);
  EXPECT_EQ(loaded.navigationFinishSound, 0);
  EXPECT_EQ(loaded.keywords[0].sound, 0);
  EXPECT_EQ(loaded.keywords[9].sound, 2);
  EXPECT_EQ(loaded.KeywordWatchActive(), 1);
  std::string saved = FormatPreferences(loaded, sounds_);
  EXPECT_EQ(saved.find("gone.wav"), std::string::npos);
  EXPECT_EQ(saved.find("Tada.wav"), std::string::npos);
}

bool AllUsable(const Preferences& p, const SoundList& sounds) {
  bool usable = IsValidRecordLevel(p.recordLevel) && IsValidReplayMode(p.replayMode) &&
                IsValidShowPage(p.showPage) && IsValidNavigationMethod(p.navigationMethod) &&
                IsValidMiscellaneous(p.miscellaneous) && IsValidFont(p.fontSize, p.fontFace) &&
                sounds.IsValidIndex(p.navigationFinishSound);
  for (const KeywordEntry& entry : p.keywords) {
    usable = usable && sounds.IsValidIndex(entry.sound) &&
             std::memchr(entry.word, '\0', sizeof entry.word) != nullptr;
  }
  return usable;
}

// A file cut anywhere loads only usable values; cut at the end of a line, it loads the lines it
// holds and keeps the defaults of the rest.
TEST_F(PreferencesFileTest, AFileCutAnywhereKeepsTheDefaultsOfTheRest) {
  Preferences full;
  full.recordLevel = 0x22;
  full.replayMode = 0x3;
  full.showPage = 45;
  full.navigationMethod = 0x84;
  full.navigationFinishSound = 2;
  full.miscellaneous = 0;
  for (int i = 0; i < kKeywordCount; ++i) full.SetKeyword(i, "w" + std::to_string(i), 1 + i % 3);
  full.SetFont(100, "Arial");
  std::string text = FormatPreferences(full, sounds_);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
    lines.push_back(text.substr(at, text.find('\n', at) + 1 - at));
  }
  ASSERT_EQ(lines.size(), 27u);
  // The first n lines load the first n fields and leave every later one at its default.
  std::string prefix;
  std::vector<std::string> wholeFields = FieldList(full);
  std::vector<std::string> defaultFields = FieldList(Preferences());
  for (std::size_t n = 0; n <= lines.size(); ++n) {
    if (n > 0) prefix += lines[n - 1];
    Preferences loaded;
    ParsePreferences(prefix, loaded, sounds_);
    std::vector<std::string> fields = FieldList(loaded);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      EXPECT_EQ(fields[i], i < n ? wholeFields[i] : defaultFields[i]) << n << " lines, field " << i;
    }
  }
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    Preferences loaded;
    ParsePreferences(text.substr(0, cut), loaded, sounds_);
    EXPECT_TRUE(AllUsable(loaded, sounds_)) << cut;
  }
  Preferences whole;
  ParsePreferences(text, whole, sounds_);
  EXPECT_EQ(SavedFields(whole), SavedFields(full));
}

TEST_F(PreferencesFileTest, DamagedAndHostileValuesKeepTheDefaults) {
  const std::string cases[] = {
      "",
      "record level 0x0022\nreplay mode 0x0001\n",  // no equals at all
      "record level =",                             // equals at the very end
      "record level = ",                            // equals one before the end
      "record level = 0xZZZZ\nreplay mode = 0x\nshow page = secs\n",
      "record level = 0x7fffffffff\nreplay mode = 0xffffffff\n",  // flag words too big
      "record level = 0x0040\nreplay mode = 0x00ff\n",            // flags no dialog writes
      "record level = 0x0041\nreplay mode = 0x000f\nshow page = -5 secs\n",
      "record level = 0x0041\nreplay mode = 0x000f\nshow page = 99999999999999999999 secs\n",
      std::string("\x01=\xff\xfe=\x00=abc", 10),
      "record level = 0x" + std::string(100000, 'x'),
  };
  for (const std::string& text : cases) {
    EXPECT_EQ(SavedFields(Loaded(text)), SavedFields(Preferences())) << text.substr(0, 80);
  }
  Preferences cut = Loaded(std::string("record level = 0x0022\0replay mode = 0x0003", 42));
  EXPECT_EQ(cut.recordLevel, 0x22);
  cut.recordLevel = Preferences().recordLevel;
  EXPECT_EQ(SavedFields(cut), SavedFields(Preferences())) << "a NUL hides the rest";
}

TEST_F(PreferencesFileTest, OverLongKeywordsAndUnusableFontsAreContained) {
  std::string text = kDefaultFile;
  std::string word(5000, 'k');
  text.replace(text.find("keyword = \n"), 11, "keyword = " + word + "\n");
  text.replace(text.find("font = 80, MS Sans Serif"), 24, "font = 80, " + std::string(40, 'F'));
  Preferences loaded = Loaded(text);
  EXPECT_EQ(std::string(loaded.keywords[0].word), word.substr(0, kKeywordMaxLength));
  EXPECT_EQ(loaded.keywords[1].word[0], '\0');
  EXPECT_EQ(loaded.fontFace, "MS Sans Serif");

  for (const char* fontLine : {"font = 0, Arial", "font = 99999, Arial", "font = 80 Arial",
                               "font = x, Arial", "font = 80,"}) {
    std::string damaged = kDefaultFile;
    damaged.replace(damaged.find("font = 80, MS Sans Serif"), 24, fontLine);
    Preferences withFont = Loaded(damaged);
    EXPECT_EQ(withFont.fontSize, 80) << fontLine;
    EXPECT_EQ(withFont.fontFace, "MS Sans Serif") << fontLine;
  }
}

TEST_F(PreferencesFileTest, AKeywordWithALineFeedCannotShiftTheFile) {
  Preferences preferences;
  preferences.SetKeyword(0, "two\nlines", 1);
  Preferences loaded;
  ParsePreferences(FormatPreferences(preferences, sounds_), loaded, sounds_);
  EXPECT_STREQ(loaded.keywords[0].word, "two");
  EXPECT_EQ(loaded.keywords[0].sound, 1);
  EXPECT_EQ(loaded.fontFace, "MS Sans Serif");
}

TEST_F(PreferencesFileTest, AFileThatCannotBeOpenedForSavingIsReported) {
  testing::FaultyFiles faulty(files());
  faulty.FailOpen("preferences");
  Ports ports = CurrentPorts();
  ports.files = &faulty;
  Ports saved = InstallPorts(ports);
  testing::RecordingReporter reporter;
  Preferences preferences;
  preferences.showPage = 9;
  EXPECT_FALSE(SavePreferences(preferences, sounds_));
  EXPECT_EQ(reporter.ids(), (std::vector<int>{message::kCantOpenPreferences}));
  EXPECT_EQ(reporter.reports()[0].keepRunning, kReportNonFatal);
  EXPECT_EQ(preferences.showPage, 9);
  InstallPorts(saved);
}

}  // namespace
}  // namespace corvisant
