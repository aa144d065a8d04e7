// prefs ...: the "preferences" and "windowpos" files of the store root. Sound names are those of
// the sound list (--media, else the Windows directory's Media folder).
#include <climits>
#include <string>

#include "app/preferences_file.h"
#include "app/window_positions.h"
#include "tools/corvisant-tool/arguments.h"

namespace corvisant::tool {
namespace {

int Refuse(Context& context, const char* what, std::string_view value) {
  std::fprintf(context.err, "corvisant-tool: %s: %.*s\n", what, static_cast<int>(value.size()),
               value.data());
  return kExitUsage;
}

bool ParseInt(std::string_view text, int* value) {
  long long parsed = 0;
  if (!ParseNumberIn(text, INT_MIN, INT_MAX, &parsed)) return false;
  *value = static_cast<int>(parsed);
  return true;
}

struct NumberSetting {
  const char* name;
  int Preferences::*field;
  bool (*usable)(int);
};

const NumberSetting kNumberSettings[] = {
    {"record-level", &Preferences::recordLevel, IsValidRecordLevel},
    {"replay-mode", &Preferences::replayMode, IsValidReplayMode},
    {"show-page", &Preferences::showPage, IsValidShowPage},
    {"navigation-method", &Preferences::navigationMethod, IsValidNavigationMethod},
    {"miscellaneous", &Preferences::miscellaneous, IsValidMiscellaneous},
};

// A sound of the list by name; false (with a message) when the list has none of that name.
bool FindSound(Context& context, const SoundList& sounds, std::string_view name, int* index) {
  *index = sounds.IndexOf(name);
  if (*index != kNoSound || name == kNoSoundName) return true;
  std::fprintf(context.err, "corvisant-tool: no sound named %.*s in %s\n",
               static_cast<int>(name.size()), name.data(), sounds.folder().c_str());
  return false;
}

// Applies one setting to the record; an exit code other than kExitDone when it cannot.
int Apply(Context& context, const Arguments& arguments, const SoundList& sounds,
          Preferences& preferences) {
  std::string_view name = arguments[0];
  for (const NumberSetting& setting : kNumberSettings) {
    if (name != setting.name) continue;
    int value = 0;
    if (arguments.size() != 2) return kExitUsage;
    if (!ParseInt(arguments[1], &value) || !setting.usable(value)) {
      return Refuse(context, "not a usable value", arguments[1]);
    }
    preferences.*setting.field = value;
    return kExitDone;
  }
  if (name == "finish-sound") {
    if (arguments.size() != 2) return kExitUsage;
    return FindSound(context, sounds, arguments[1], &preferences.navigationFinishSound)
               ? kExitDone
               : kExitNothing;
  }
  if (name == "keyword") {
    int index = 0;
    int sound = kNoSound;
    if (arguments.size() != 4) return kExitUsage;
    if (!ParseInt(arguments[1], &index) || index < 0 || index >= kKeywordCount) {
      return Refuse(context, "not a keyword entry (0 to 9)", arguments[1]);
    }
    if (arguments[2].find('\n') != std::string_view::npos) {
      return Refuse(context, "a keyword cannot hold a line feed", arguments[2]);
    }
    if (!FindSound(context, sounds, arguments[3], &sound)) return kExitNothing;
    preferences.SetKeyword(index, arguments[2], sound);
    return kExitDone;
  }
  if (name == "font") {
    int size = 0;
    if (arguments.size() != 3) return kExitUsage;
    if (!ParseInt(arguments[1], &size) || !IsValidFont(size, arguments[2])) {
      return Refuse(context, "not a usable font", arguments[2]);
    }
    preferences.SetFont(size, arguments[2]);
    return kExitDone;
  }
  return Refuse(context, "unknown preference", name);
}

int RunShow(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  std::string text = FormatPreferences(*Current<Preferences>(), *Current<SoundList>());
  std::fwrite(text.data(), 1, text.size(), context.out);
  return kExitDone;
}

int RunSet(Context& context, const Arguments& arguments) {
  if (arguments.empty()) return kExitUsage;
  const SoundList& sounds = *Current<SoundList>();
  Preferences& preferences = *Current<Preferences>();
  int status = Apply(context, arguments, sounds, preferences);
  if (status != kExitDone) return status;
  return SavePreferences(preferences, sounds) ? kExitDone : kExitNothing;
}

int RunWindowPositions(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  std::string text = FormatWindowPositions(*Current<Preferences>());
  // The file's lines without their " = ".
  for (std::size_t at = text.find(" = "); at != std::string::npos; at = text.find(" = ", at)) {
    text.erase(at + 1, 2);
  }
  std::fwrite(text.data(), 1, text.size(), context.out);
  return kExitDone;
}

const Command kPrefsCommands[] = {
    {"prefs", "show", "", "the preferences file as it would be saved", RunShow},
    {"prefs", "set", "NAME VALUE...",
     "set record-level, replay-mode, show-page, navigation-method, miscellaneous, finish-sound, "
     "keyword I WORD SOUNDNAME or font SIZE FACE, and save",
     RunSet},
    {"prefs", "windowpos", "", "the three remembered window rectangles", RunWindowPositions},
};
const CommandRegistration registerPrefs(kPrefsCommands);

}  // namespace
}  // namespace corvisant::tool
