// The Keyword Watcher: a sound for every keyword entry whose word occurs in a processed page.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "common/preferences.h"
#include "html/rewrite_handoffs.h"
#include "navigation/sound_list.h"

namespace corvisant {

using KeywordTable = KeywordEntry[kKeywordCount];

// The sounds of the entries that have a word and a sound and whose word occurs in page (byte-wise,
// case-sensitive), in table order, each entry once however often its word occurs.
std::vector<int> MatchKeywords(const KeywordTable& keywords, std::string_view page);

// Plays the sounds of MatchKeywords one after the other. Called with the raw bytes of every page
// that is processed, before it is parsed.
void WatchKeywords(const KeywordTable& keywords, const SoundList& sounds, const char* bytes,
                   std::size_t length);

// The watcher as the page processing meets it: while the process-wide preferences have an active
// keyword, every processed page is matched against their table and played on the process-wide
// sound list.
class KeywordPageWatcher : public PageTextWatcher {
 public:
  void WatchPage(const char* bytes, std::size_t length) override;
};

}  // namespace corvisant
