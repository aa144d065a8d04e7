// The "preferences" file: the saved fields of the preference record, one "key = value" line each
// with a bare line feed, in a fixed order. The reader does not look at the keys: it walks from
// one "=" to the next in the order the writer puts the lines, so a keyword may hold "=" or ",".
#pragma once

#include <string>
#include <string_view>

#include "common/preferences.h"
#include "navigation/sound_list.h"

namespace corvisant {

constexpr const char* kPreferencesFileName = "preferences";

// The whole file as Save preferences writes it; sounds are written by their names.
std::string FormatPreferences(const Preferences& preferences, const SoundList& sounds);

// Writes the file (mode "wb"). Reports 40013 when it cannot be opened and 40014 when it cannot be
// written whole; the record keeps its values either way. True when the file was written.
bool SavePreferences(const Preferences& preferences, const SoundList& sounds);

// Reads the file over the record. A missing file leaves every field as it is (no message). Values
// the text does not reach, and values the system cannot use (a flag word no dialog writes, a
// number that does not fit, an unusable font), keep what the record held; sound names not in the
// list read as "no sound". Recomputes keywordWatchActive. True when the file was there.
bool LoadPreferences(Preferences& preferences, const SoundList& sounds);
// The same over text already in memory.
void ParsePreferences(std::string_view text, Preferences& preferences, const SoundList& sounds);

// The start-up order: the sound list from mediaFolder (empty: the Windows directory's Media
// folder), then the record built with defaults and the preferences read into it.
void LoadSoundsAndPreferences(const std::string& mediaFolder, SoundList& sounds,
                              Preferences& preferences);

}  // namespace corvisant
