#include "common/preferences.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace corvisant {
namespace {

int BitCount(int word) {
  int count = 0;
  for (unsigned bits = static_cast<unsigned>(word); bits != 0; bits &= bits - 1) ++count;
  return count;
}

// Only the given bits, and exactly one bit of each radio group.
bool IsValidFlagWord(int word, int allBits, std::initializer_list<int> groups) {
  if ((word & ~allBits) != 0) return false;
  return std::all_of(groups.begin(), groups.end(),
                     [word](int group) { return BitCount(word & group) == 1; });
}

}  // namespace

bool IsValidRecordLevel(int word) {
  using namespace record_level;
  return IsValidFlagWord(word, kDocumentGroup | kRefreshGroup, {kDocumentGroup, kRefreshGroup});
}

bool IsValidReplayMode(int word) { return IsValidFlagWord(word, replay_mode::kAll, {}); }

bool IsValidNavigationMethod(int word) {
  using namespace navigation_method;
  return IsValidFlagWord(word, kMethodGroup | kScopeGroup, {kMethodGroup, kScopeGroup});
}

bool IsValidMiscellaneous(int word) { return IsValidFlagWord(word, miscellaneous_flag::kAll, {}); }

bool IsValidShowPage(int seconds) { return seconds >= 0 && seconds <= kMaxShowPage; }

bool IsValidFont(int size, std::string_view face) {
  return size >= kMinFontSize && size <= kMaxFontSize && !face.empty() &&
         face.size() <= kMaxFontFaceLength &&
         face.find_first_of(std::string_view("\0\n", 2)) == std::string_view::npos;
}

bool ParseFontSetting(std::string_view text, int* size, std::string* face) {
  std::size_t comma = text.find(',');
  // The face begins two characters after the comma: behind ", ".
  if (comma == std::string_view::npos || comma == 0 || text.size() < comma + 2) return false;
  int value = 0;
  for (std::size_t i = 0; i < comma; ++i) {
    if (text[i] < '0' || text[i] > '9' || value > kMaxFontSize) return false;
    value = value * 10 + (text[i] - '0');
  }
  *size = value;
  *face = std::string(text.substr(comma + 2));
  return true;
}

Preferences::Preferences() { BuildWithDefaults(); }

void Preferences::BuildWithDefaults() {
  linkOn = 0;
  keepLocalCopies = 1;
  recordHistory = 1;
  recordLevel = kDefaultRecordLevel;
  replayMode = kDefaultReplayMode;
  showPage = kDefaultShowPage;
  navigationMethod = kDefaultNavigationMethod;
  navigationFinishSound = kNoSound;
  miscellaneous = kDefaultMiscellaneous;
  for (KeywordEntry& entry : keywords) entry = KeywordEntry();
  RecomputeKeywordWatch();
  fontSize = 0;
  fontFace.clear();
  ParseFontSetting(kDefaultFontSetting, &fontSize, &fontFace);
  menuBarWindowRect = WindowRect();
  historyWindowRect = WindowRect();
  finderWindowRect = WindowRect();
}

void Preferences::RecomputeKeywordWatch() {
  keywordWatchActive = 0;
  for (const KeywordEntry& entry : keywords) {
    if (entry.word[0] != '\0' && entry.sound != kNoSound) {
      keywordWatchActive = 1;
      return;
    }
  }
}

bool Preferences::SetKeyword(int index, std::string_view word, int sound) {
  if (index < 0 || index >= kKeywordCount) return false;
  KeywordEntry& entry = keywords[index];
  std::size_t length = std::min(word.size(), static_cast<std::size_t>(kKeywordMaxLength));
  std::memcpy(entry.word, word.data(), length);
  entry.word[length] = '\0';
  entry.sound = sound;
  RecomputeKeywordWatch();
  return true;
}

void Preferences::SetFont(int size, std::string_view face) {
  fontSize = size;
  fontFace = std::string(face);
  if (fontListener_ != nullptr) fontListener_->FontChanged(fontSize, fontFace);
}

}  // namespace corvisant
