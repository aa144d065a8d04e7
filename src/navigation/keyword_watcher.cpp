#include "navigation/keyword_watcher.h"

#include <cstring>

namespace corvisant {

std::vector<int> MatchKeywords(const KeywordTable& keywords, std::string_view page) {
  std::vector<int> sounds;
  for (const KeywordEntry& entry : keywords) {
    // The word is read only up to the end of its buffer, terminated or not.
    const void* end = std::memchr(entry.word, '\0', kKeywordBytes);
    std::size_t length =
        end == nullptr ? kKeywordBytes : static_cast<const char*>(end) - entry.word;
    std::string_view word(entry.word, length);
    if (word.empty() || entry.sound == kNoSound) continue;
    if (page.find(word) != std::string_view::npos) sounds.push_back(entry.sound);
  }
  return sounds;
}

void WatchKeywords(const KeywordTable& keywords, const SoundList& sounds, const char* bytes,
                   std::size_t length) {
  if (bytes == nullptr) return;
  for (int sound : MatchKeywords(keywords, std::string_view(bytes, length))) sounds.Play(sound);
}

void KeywordPageWatcher::WatchPage(const char* bytes, std::size_t length) {
  const Preferences* preferences = Current<Preferences>();
  const SoundList* sounds = Current<SoundList>();
  if (preferences == nullptr || sounds == nullptr || !preferences->KeywordWatchActive()) return;
  WatchKeywords(preferences->keywords, *sounds, bytes, length);
}

}  // namespace corvisant
