#include "common/preferences.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvisant {
namespace {

// The saved fields' defaults are checked through the default file; these are the others.
TEST(Preferences, BuildWithDefaultsUndoesEveryChange) {
  Preferences preferences;
  preferences.linkOn = 1;
  preferences.keepLocalCopies = 0;
  preferences.recordHistory = 0;
  preferences.SetKeyword(3, "java", 2);
  preferences.SetFont(120, "Arial");
  preferences.historyWindowRect = WindowRect{1, 2, 3, 4};
  preferences.BuildWithDefaults();
  EXPECT_EQ(preferences.linkOn, 0);
  EXPECT_EQ(preferences.keepLocalCopies, 1);
  EXPECT_EQ(preferences.recordHistory, 1);
  EXPECT_EQ(preferences.keywords[3].word[0], '\0');
  EXPECT_EQ(preferences.keywords[3].sound, 0);
  EXPECT_EQ(preferences.KeywordWatchActive(), 0);
  EXPECT_EQ(preferences.fontSize, 80);
  EXPECT_EQ(preferences.fontFace, "MS Sans Serif");
  EXPECT_EQ(preferences.historyWindowRect, WindowRect());
}

TEST(Preferences, KeywordWatchIsActiveOnlyForAWordWithASound) {
  struct Entry {
    int index;
    const char* word;
    int sound;
  };
  struct Case {
    const char* name;
    std::vector<Entry> entries;
    int active;
  };
  const Case cases[] = {
      {"empty table", {}, 0},
      {"words without sounds", {{0, "java", 0}, {9, "news", 0}}, 0},
      {"sounds without words", {{1, "", 3}, {2, "", 1}}, 0},
      {"word and sound in different entries", {{0, "java", 0}, {1, "", 2}}, 0},
      {"one full entry", {{0, "java", 0}, {7, "news", 2}}, 1},
      {"last entry", {{9, "x", 1}}, 1},
  };
  for (const Case& c : cases) {
    Preferences preferences;
    for (const Entry& e : c.entries) ASSERT_TRUE(preferences.SetKeyword(e.index, e.word, e.sound));
    EXPECT_EQ(preferences.KeywordWatchActive(), c.active) << c.name;
  }
}

TEST(Preferences, SetKeywordKeepsAtMost127BytesAndOnlyTenEntries) {
  Preferences preferences;
  std::string longWord(300, 'k');
  ASSERT_TRUE(preferences.SetKeyword(0, longWord, 1));
  EXPECT_EQ(std::string(preferences.keywords[0].word), longWord.substr(0, 127));
  EXPECT_FALSE(preferences.SetKeyword(-1, "x", 1));
  EXPECT_FALSE(preferences.SetKeyword(kKeywordCount, "x", 1));
}

class RecordingFontListener : public FontListener {
 public:
  void FontChanged(int size, const std::string& face) override {
    calls.push_back(std::to_string(size) + " " + face);
  }
  std::vector<std::string> calls;
};

TEST(Preferences, FontChangesReachTheListener) {
  Preferences preferences;
  RecordingFontListener listener;
  preferences.SetFont(100, "Arial");
  preferences.SetFontListener(&listener);
  preferences.SetFontFace("Courier New");
  preferences.SetFont(120, "Tahoma");
  EXPECT_EQ(listener.calls, (std::vector<std::string>{"100 Courier New", "120 Tahoma"}));
  EXPECT_EQ(preferences.fontSize, 120);
  EXPECT_EQ(preferences.fontFace, "Tahoma");
}

TEST(Preferences, FlagWordsAreValidOnlyAsTheDialogsWriteThem) {
  struct Case {
    bool (*check)(int);
    int word;
    bool valid;
  };
  const Case cases[] = {
      {IsValidRecordLevel, 0x41, true},         {IsValidRecordLevel, 0x06, true},
      {IsValidRecordLevel, 0x40, false},        {IsValidRecordLevel, 0x03 | 0x40, false},
      {IsValidRecordLevel, 0x01 | 0x44, false}, {IsValidRecordLevel, 0xC1, false},
      {IsValidRecordLevel, -1, false},          {IsValidReplayMode, 0x0, true},
      {IsValidReplayMode, 0xF, true},           {IsValidReplayMode, 0x10, false},
      {IsValidNavigationMethod, 0x41, true},    {IsValidNavigationMethod, 0x120, true},
      {IsValidNavigationMethod, 0x01, false},   {IsValidNavigationMethod, 0x1C0 | 0x1, false},
      {IsValidNavigationMethod, 0x43, false},   {IsValidNavigationMethod, 0x241, false},
      {IsValidMiscellaneous, 0, true},          {IsValidMiscellaneous, 1, true},
      {IsValidMiscellaneous, 2, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.check(c.word), c.valid) << std::hex << c.word;
}

TEST(Preferences, UsableNumbersAndFonts) {
  EXPECT_TRUE(IsValidShowPage(0) && IsValidShowPage(86400));
  EXPECT_FALSE(IsValidShowPage(-1) || IsValidShowPage(86401));
  EXPECT_TRUE(IsValidFont(80, "MS Sans Serif") && IsValidFont(10, std::string(31, 'f')));
  for (const auto& [size, face] : std::vector<std::pair<int, std::string>>{
           {9, "Arial"}, {1001, "Arial"}, {80, ""}, {80, std::string(32, 'f')}, {80, "Ari\nal"}}) {
    EXPECT_FALSE(IsValidFont(size, face)) << size << " " << face;
  }
}

}  // namespace
}  // namespace corvisant
