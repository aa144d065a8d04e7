#include "common/preferences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvisant {
namespace {

// The saved fields' defaults are checked through the default file; these are the others.
TEST(Preferences, BuildWithDefaultsUndoesEveryChange) {
  Preferences p;
  p.linkOn = 1, p.keepLocalCopies = 0, p.recordHistory = 0;
  p.SetKeyword(3, "java", 2);
  p.SetFont(120, "Arial");
  p.historyWindowRect = WindowRect{1, 2, 3, 4};
  p.BuildWithDefaults();
  EXPECT_EQ(std::to_string(p.linkOn) + std::to_string(p.keepLocalCopies) +
                std::to_string(p.recordHistory) + p.keywords[3].word +
                std::to_string(p.keywords[3].sound) + std::to_string(p.KeywordWatchActive()) + " " +
                std::to_string(p.fontSize) + " " + p.fontFace,
            "01100 80 MS Sans Serif");
  EXPECT_EQ(p.historyWindowRect, WindowRect());
}

TEST(Preferences, TheKeywordWatchIsActiveOnlyForAnEntryWithAWordAndASound) {
  Preferences p;
  ASSERT_TRUE(p.SetKeyword(0, "java", 0));
  ASSERT_TRUE(p.SetKeyword(1, "", 2));
  EXPECT_EQ(p.KeywordWatchActive(), 0) << "a word and a sound, but in different entries";
  ASSERT_TRUE(p.SetKeyword(kKeywordCount - 1, std::string(300, 'k'), 1));
  EXPECT_EQ(p.KeywordWatchActive(), 1);
  EXPECT_EQ(std::string(p.keywords[9].word), std::string(kKeywordMaxLength, 'k'));
  ASSERT_TRUE(p.SetKeyword(kKeywordCount - 1, "", 1));
  EXPECT_EQ(p.KeywordWatchActive(), 0);
  EXPECT_FALSE(p.SetKeyword(-1, "x", 1));
  EXPECT_FALSE(p.SetKeyword(kKeywordCount, "x", 1));
}

TEST(Preferences, FontChangesReachTheListenerOnceItIsSet) {
  struct Listener : FontListener {
    void FontChanged(int size, const std::string& face) override {
      calls += std::to_string(size) + " " + face + "|";
    }
    std::string calls;
  } listener;
  Preferences p;
  p.SetFont(100, "Arial");
  p.SetFontListener(&listener);
  p.SetFontFace("Courier New");
  p.SetFont(120, "Tahoma");
  EXPECT_EQ(listener.calls + std::to_string(p.fontSize) + " " + p.fontFace,
            "100 Courier New|120 Tahoma|120 Tahoma");
}

// Flag words as the dialogs write them (one bit of each radio group, none outside); limits.
TEST(Preferences, OnlyUsableValuesAreValid) {
  const struct {
    bool (*valid)(int);
    std::vector<int> usable, unusable;
  } words[] = {
      {IsValidRecordLevel, {0x41, 0x06}, {0x40, 0x43, 0x45, 0xC1, -1}},
      {IsValidReplayMode, {0x0, 0xF}, {0x10, -1}},
      {IsValidNavigationMethod, {0x41, 0x120}, {0x01, 0x1C1, 0x43, 0x241}},
      {IsValidMiscellaneous, {0, 1}, {2}},
      {IsValidShowPage, {0, 86400}, {-1, 86401}},
  };
  for (const auto& w : words) {
    for (int word : w.usable) EXPECT_TRUE(w.valid(word)) << std::hex << word;
    for (int word : w.unusable) EXPECT_FALSE(w.valid(word)) << std::hex << word;
  }
  EXPECT_TRUE(IsValidFont(10, std::string(31, 'f')) && IsValidFont(1000, "Arial"));
  for (const auto& [size, face] : std::vector<std::pair<int, std::string>>{
           {9, "Arial"}, {1001, "Arial"}, {80, ""}, {80, std::string(32, 'f')}, {80, "Ari\nal"}}) {
    EXPECT_FALSE(IsValidFont(size, face)) << size << " " << face;
  }
}

}  // namespace
}  // namespace corvisant
