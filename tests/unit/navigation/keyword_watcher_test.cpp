#include "navigation/keyword_watcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "tests/support/recording_sound.h"

namespace corvisant {
namespace {

struct Entry {
  int index;
  const char* word;
  int sound;
};

Preferences WithKeywords(const std::vector<Entry>& entries) {
  Preferences preferences;
  for (const Entry& e : entries) preferences.SetKeyword(e.index, e.word, e.sound);
  return preferences;
}

TEST(KeywordWatcher, MatchesAsTheWatcherRulesSay) {
  struct Case {
    const char* name;
    std::vector<Entry> entries;
    std::string page;
    std::vector<int> sounds;
  };
  const Case cases[] = {
      {"case-sensitive", {{0, "Java", 1}}, "<p>java only</p>", {}},
      {"exact case", {{0, "Java", 1}}, "<p>Java!</p>", {1}},
      {"no sound never sounds", {{0, "java", 0}}, "java", {}},
      {"empty word never sounds", {{0, "", 2}}, "anything", {}},
      {"table order", {{2, "beta", 3}, {5, "alpha", 1}}, "alpha beta", {3, 1}},
      {"once per entry", {{0, "a", 2}}, "aaaa a a", {2}},
      {"same sound twice", {{0, "x", 2}, {1, "y", 2}}, "xy", {2, 2}},
      {"tags included", {{0, "<blink>", 1}}, "<BLINK><blink>", {1}},
      {"word at the very end", {{0, "end", 1}}, "the end", {1}},
      {"word longer than the page", {{0, "longer", 1}}, "long", {}},
      {"empty page", {{0, "x", 1}}, "", {}},
      {"bytes after a NUL", {{0, "hidden", 1}}, std::string("a\0hidden", 8), {1}},
      {"high bytes", {{0, "caf\xE9", 4}}, "un caf\xE9 noir", {4}},
  };
  for (const Case& c : cases) {
    Preferences preferences = WithKeywords(c.entries);
    EXPECT_EQ(MatchKeywords(preferences.keywords, c.page), c.sounds) << c.name;
  }
}

TEST(KeywordWatcher, AWordFillingItsWholeBufferIsReadOnlyWithinIt) {
  Preferences preferences;
  std::memset(preferences.keywords[0].word, 'w', kKeywordBytes);  // no NUL at all
  preferences.keywords[0].sound = 1;
  std::string page(kKeywordBytes, 'w');
  EXPECT_EQ(MatchKeywords(preferences.keywords, page), (std::vector<int>{1}));
  EXPECT_TRUE(MatchKeywords(preferences.keywords, page.substr(1)).empty());
}

TEST(KeywordWatcher, PlaysTheMatchingSoundsInTableOrder) {
  testing::RecordingSound sound;
  Ports ports = SystemPorts();
  ports.sound = &sound;
  Ports previous = InstallPorts(ports);
  SoundList sounds;
  sounds.Assign("C:\\WINDOWS\\Media", {"tada.wav", "Chimes.wav", "chord.wav"});
  Preferences preferences = WithKeywords({{1, "news", 3}, {4, "java", 1}, {6, "none", 2}});
  std::string page = "java news";
  WatchKeywords(preferences.keywords, sounds, page.data(), page.size());
  EXPECT_EQ(sound.played(), (std::vector<std::string>{"C:\\WINDOWS\\Media\\tada.wav",
                                                      "C:\\WINDOWS\\Media\\Chimes.wav"}));
  sound.Clear();
  WatchKeywords(preferences.keywords, sounds, nullptr, 10);
  EXPECT_TRUE(sound.played().empty());
  InstallPorts(previous);
}

}  // namespace
}  // namespace corvisant
