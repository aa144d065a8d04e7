#include "navigation/keyword_watcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/test_process.h"

namespace corvisant {
namespace {

struct Entry {
  int index;
  const char* word;
  int sound;
};

TEST(KeywordWatcher, MatchesAsTheWatcherRulesSay) {
  const struct {
    const char* name;
    std::vector<Entry> entries;
    std::string page;
    std::vector<int> sounds;
  } cases[] = {
      {"no sound never sounds", {{0, "java", 0}}, "java", {}},
      {"empty word never sounds", {{0, "", 2}}, "anything", {}},
      {"same sound twice", {{0, "x", 2}, {1, "y", 2}}, "xy", {2, 2}},
      {"tags included", {{0, "<blink>", 1}}, "<BLINK><blink>", {1}},
      {"word at the very end", {{0, "end", 1}}, "the end", {1}},
      {"word longer than the page", {{0, "longer", 1}}, "long", {}},
      {"bytes after a NUL", {{0, "hidden", 1}}, std::string("a\0hidden", 8), {1}},
      {"high bytes", {{0, "caf\xE9", 4}}, "un caf\xE9 noir", {4}},
  };
  for (const auto& c : cases) {
    Preferences preferences;
    for (const Entry& e : c.entries) preferences.SetKeyword(e.index, e.word, e.sound);
    EXPECT_EQ(MatchKeywords(preferences.keywords, c.page), c.sounds) << c.name;
  }
  Preferences full;
  std::memset(full.keywords[0].word, 'w', kKeywordBytes);  // no NUL at all
  full.keywords[0].sound = 1;
  std::string page(kKeywordBytes, 'w');
  EXPECT_EQ(MatchKeywords(full.keywords, page), (std::vector<int>{1})) << "read within its buffer";
  EXPECT_TRUE(MatchKeywords(full.keywords, page.substr(1)).empty());
}

// As the page processing meets it: the process's preferences and sound list, while the watch is on.
TEST(KeywordWatcher, PlaysTheMatchingSoundsOfEveryProcessedPageWhileTheWatchIsOn) {
  testing::TestProcess process;
  Current<SoundList>()->Assign("M", {"tada.wav", "Chimes.wav", "chord.wav"});
  Preferences& preferences = *Current<Preferences>();
  for (const Entry& e : {Entry{1, "news", 3}, Entry{4, "java", 1}, Entry{6, "none", 2}}) {
    preferences.SetKeyword(e.index, e.word, e.sound);
  }
  const std::string page = "java news";
  preferences.keywordWatchActive = 0;
  Current<PageTextWatcher>()->WatchPage(page.data(), page.size());
  EXPECT_TRUE(process.sound.played().empty()) << "the watch is off";
  preferences.RecomputeKeywordWatch();
  Current<PageTextWatcher>()->WatchPage(page.data(), page.size());
  Current<PageTextWatcher>()->WatchPage(nullptr, 10);
  EXPECT_EQ(process.sound.played(), (std::vector<std::string>{"M\\tada.wav", "M\\Chimes.wav"}));
}

std::string Names(const SoundList& sounds) {
  std::string names;
  for (int i = 0; i < sounds.Count(); ++i) names += sounds.NameOf(i) + "|";
  return names;
}

// What a Media folder's files give is the tool's "sounds list"; these are the rest.
TEST(SoundList, NamesAndIndexesMapBothWaysAndPlayTheEntrysFile) {
  testing::TestProcess process;
  SoundList sounds;
  sounds.Build(process.root() + "\\Media");
  EXPECT_EQ(Names(sounds), "no sound|") << "no Media folder";
  sounds.Assign("M", {"a\nb.wav", "b.wav"});
  EXPECT_EQ(Names(sounds), "no sound|b.wav|") << "a name that cannot be saved is left out";
  sounds.Assign("M", {"tada.wav", "\xE9t\xE9.wav", "Chimes.wav", "chord.wav", "tada.wav"});
  EXPECT_EQ(Names(sounds), "no sound|Chimes.wav|chord.wav|tada.wav|tada.wav|\xE9t\xE9.wav|");
  const std::pair<const char*, int> indexes[] = {{"no sound", 0}, {"tada.wav", 3},
                                                 {"TADA.WAV", 0}, {"tada", 0},
                                                 {"", 0},         {"\xE9t\xE9.wav", 5}};
  for (const auto& [name, index] : indexes) EXPECT_EQ(sounds.IndexOf(name), index) << name;
  for (int outside : {-1, 6, 1 << 30}) EXPECT_EQ(sounds.NameOf(outside), "no sound") << outside;
  for (int index : {0, 3, -3, 6, 1}) sounds.Play(index);
  EXPECT_EQ(process.sound.played(), (std::vector<std::string>{"M\\tada.wav", "M\\Chimes.wav"}));
  // The Windows directory's Media folder when none is named; the test process's is C:\windows.
  EXPECT_EQ(DefaultMediaFolder(), "C:\\windows\\Media");
}

}  // namespace
}  // namespace corvisant
