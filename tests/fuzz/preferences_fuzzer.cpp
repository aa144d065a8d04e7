// Reads any bytes as a "preferences" file and checks the reader's promises: every value it leaves
// in the record is one the system can use (flag words as the dialogs write them, seconds and fonts
// in range, sounds inside the sound list, keywords terminated in their buffers), and what it read
// is saved and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/preferences_file.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using corvisant::fuzzing::Check;

using namespace corvisant;

const SoundList& Sounds() {
  static const SoundList sounds = [] {
    SoundList list;
    list.Assign("C:\\WINDOWS\\Media", {"tada.wav", "Chimes.wav", "chord.wav", "a=b, c.wav"});
    return list;
  }();
  return sounds;
}

void CheckUsable(const Preferences& p) {
  Check(IsValidRecordLevel(p.recordLevel));
  Check(IsValidReplayMode(p.replayMode));
  Check(IsValidShowPage(p.showPage));
  Check(IsValidNavigationMethod(p.navigationMethod));
  Check(IsValidMiscellaneous(p.miscellaneous));
  Check(IsValidFont(p.fontSize, p.fontFace));
  Check(Sounds().IsValidIndex(p.navigationFinishSound));
  int active = 0;
  for (const KeywordEntry& entry : p.keywords) {
    Check(std::memchr(entry.word, '\0', sizeof entry.word) != nullptr);
    Check(Sounds().IsValidIndex(entry.sound));
    if (entry.word[0] != '\0' && entry.sound != kNoSound) active = 1;
  }
  Check(p.keywordWatchActive == active);
}

}  // namespace

CORVISANT_FUZZ_TARGET(preferences) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Preferences loaded;
  ParsePreferences(text, loaded, Sounds());
  CheckUsable(loaded);

  const std::string saved = FormatPreferences(loaded, Sounds());
  Preferences again;
  ParsePreferences(saved, again, Sounds());
  Check(FormatPreferences(again, Sounds()) == saved);
}
