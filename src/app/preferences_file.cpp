#include "app/preferences_file.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "app/preferences_text.h"
#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

// Where a value begins behind its "=": flag words behind "= 0x", other values behind "= ".
constexpr std::size_t kFlagWordOffset = 4;
constexpr std::size_t kValueOffset = 2;
// The face of the font line begins behind ", ".
constexpr std::size_t kFontFaceOffset = 2;

using FlagWordCheck = bool (*)(int);

std::string FormatLine(const char* format, int value) {
  char line[64];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

// A keyword is written up to its NUL, and never with a line feed, which would end its line early
// and shift every later value.
std::string_view WordForFile(const KeywordEntry& entry) {
  std::string_view word(entry.word, sizeof entry.word);
  return word.substr(0, word.find_first_of(std::string_view("\0\n", 2)));
}

// One value read into field only when it is there and usable.
void TakeNumber(std::optional<int> value, FlagWordCheck usable, int* field) {
  if (value && usable(*value)) *field = *value;
}

bool ReadFlagWord(SettingsCursor& cursor, std::size_t offset, FlagWordCheck usable, int* field) {
  if (!cursor.NextValue(offset)) return false;
  TakeNumber(cursor.Hexadecimal(), usable, field);
  return true;
}

bool ReadSound(SettingsCursor& cursor, const SoundList& sounds, int* field) {
  if (!cursor.NextValue(kValueOffset)) return false;
  *field = sounds.IndexOf(cursor.TakeLine());
  return true;
}

bool ReadKeywords(SettingsCursor& cursor, const SoundList& sounds, Preferences& preferences) {
  for (int i = 0; i < kKeywordCount; ++i) {
    if (!cursor.NextValue(kValueOffset)) return false;
    KeywordEntry& entry = preferences.keywords[i];
    preferences.SetKeyword(i, cursor.TakeLine(), entry.sound);
    if (!ReadSound(cursor, sounds, &entry.sound)) return false;
  }
  return true;
}

// The values up to the keyword table; false when the text ends before them.
bool ReadSettings(SettingsCursor& cursor, const SoundList& sounds, Preferences& preferences) {
  if (!ReadFlagWord(cursor, kFlagWordOffset, IsValidRecordLevel, &preferences.recordLevel) ||
      !ReadFlagWord(cursor, kFlagWordOffset, IsValidReplayMode, &preferences.replayMode)) {
    return false;
  }
  if (!cursor.NextValue(kValueOffset)) return false;
  TakeNumber(cursor.Decimal(), IsValidShowPage, &preferences.showPage);
  return ReadFlagWord(cursor, kFlagWordOffset, IsValidNavigationMethod,
                      &preferences.navigationMethod) &&
         ReadSound(cursor, sounds, &preferences.navigationFinishSound) &&
         ReadKeywords(cursor, sounds, preferences);
}

void ReadFont(SettingsCursor& cursor, Preferences& preferences) {
  if (!cursor.NextValue(kValueOffset)) return;
  std::optional<int> size = cursor.Decimal();
  if (!size || !cursor.NextValueAfterComma(kFontFaceOffset)) return;
  std::string_view face = cursor.TakeLine();
  if (IsValidFont(*size, face)) preferences.SetFont(*size, face);
}

}  // namespace

std::string FormatPreferences(const Preferences& preferences, const SoundList& sounds) {
  std::string text;
  text += FormatLine("record level = 0x%4.4x\n", preferences.recordLevel);
  text += FormatLine("replay mode = 0x%4.4x\n", preferences.replayMode);
  text += FormatLine("show page = %d secs\n", preferences.showPage);
  text += FormatLine("navigation method = 0x%4.4x\n", preferences.navigationMethod);
  text += "navigation finish sound = " + sounds.NameOf(preferences.navigationFinishSound) + "\n";
  for (const KeywordEntry& entry : preferences.keywords) {
    text += "keyword = ";
    text += WordForFile(entry);
    text += "\nsound = " + sounds.NameOf(entry.sound) + "\n";
  }
  text += FormatLine("miscellaneous = 0x%4.4x\n", preferences.miscellaneous);
  text += FormatLine("font = %d, ", preferences.fontSize) + preferences.fontFace + "\n";
  return text;
}

bool SavePreferences(const Preferences& preferences, const SoundList& sounds) {
  WholeFileWriter file(SettingsFilePath(kPreferencesFileName));
  if (file.stream() == nullptr) {
    Report(kReportNonFatal, kReportNeverCloses, message::kCantOpenPreferences);
    return false;
  }
  bool written = file.stream()->WriteText(FormatPreferences(preferences, sounds)) && file.Commit();
  if (!written) Report(kReportNonFatal, kReportNeverCloses, message::kCantWritePreferences);
  return written;
}

void ParsePreferences(std::string_view text, Preferences& preferences, const SoundList& sounds) {
  SettingsCursor cursor(text);
  bool complete = ReadSettings(cursor, sounds, preferences);
  preferences.RecomputeKeywordWatch();
  if (!complete) return;
  if (!ReadFlagWord(cursor, kValueOffset, IsValidMiscellaneous, &preferences.miscellaneous)) {
    return;
  }
  ReadFont(cursor, preferences);
}

bool LoadPreferences(Preferences& preferences, const SoundList& sounds) {
  std::string text;
  if (!ReadSettingsFile(SettingsFilePath(kPreferencesFileName), &text)) return false;
  ParsePreferences(text, preferences, sounds);
  return true;
}

void LoadSoundsAndPreferences(const std::string& mediaFolder, SoundList& sounds,
                              Preferences& preferences) {
  sounds.Build(mediaFolder);
  preferences.BuildWithDefaults();
  LoadPreferences(preferences, sounds);
}

}  // namespace corvisant
