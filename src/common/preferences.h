// The one process-wide preference record: every setting of the settings dialogs, the run-time
// switches of the controller and the browser link, the list font and the remembered window
// rectangles. Every layer reads it through Current<Preferences>(); the files that keep it between
// runs are read and written by the application layer.
#pragma once

#include <string>
#include <string_view>

#include "common/process_wide.h"
#include "common/string_list.h"

namespace corvisant {

// The keyword table: ten entries, each a NUL-terminated word of at most 127 characters and the
// index of its sound in the sound list (0 = "no sound").
constexpr int kKeywordCount = 10;
constexpr int kKeywordBytes = 128;
constexpr int kKeywordMaxLength = kKeywordBytes - 1;
constexpr int kNoSound = 0;

struct KeywordEntry {
  char word[kKeywordBytes] = {};
  int sound = kNoSound;
};

// A window's place on the screen in pixels.
struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

inline bool operator==(const WindowRect& a, const WindowRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Flag words: bit i is the checked state of control i of the settings dialog that edits the word.
// Radio buttons of one group are one bit each; a dialog sets exactly one bit of each group.
namespace record_level {
constexpr int kEveryType = 0x01;
constexpr int kHtmlOnly = 0x02;
constexpr int kRefreshEveryTime = 0x04;
constexpr int kRefreshOverOneDay = 0x08;
constexpr int kRefreshOverOneWeek = 0x10;
constexpr int kRefreshOverOneMonth = 0x20;
constexpr int kRefreshNever = 0x40;
constexpr int kDocumentGroup = kEveryType | kHtmlOnly;
constexpr int kRefreshGroup = kRefreshEveryTime | kRefreshOverOneDay | kRefreshOverOneWeek |
                              kRefreshOverOneMonth | kRefreshNever;
}  // namespace record_level

namespace replay_mode {
constexpr int kNoCopyOfLocalPage = 0x01;
constexpr int kReplayRepeatedly = 0x02;
constexpr int kNoHistoryWhileReplaying = 0x04;
constexpr int kAnswerBrowserDialogs = 0x08;
constexpr int kAll =
    kNoCopyOfLocalPage | kReplayRepeatedly | kNoHistoryWhileReplaying | kAnswerBrowserDialogs;
}  // namespace replay_mode

namespace navigation_method {
constexpr int kBreadthFirst = 0x001;
constexpr int kDepthFirst = 0x002;
constexpr int kRandomFromWeb = 0x004;
constexpr int kRandomFromUrlList = 0x008;
constexpr int kRandomFromLocalStorage = 0x010;
constexpr int kSearchEngineRider = 0x020;
constexpr int kToAnywhere = 0x040;
constexpr int kWithinCurrentSite = 0x080;
constexpr int kWithinCurrentDirectory = 0x100;
constexpr int kMethodGroup = 0x03F;
constexpr int kScopeGroup = kToAnywhere | kWithinCurrentSite | kWithinCurrentDirectory;
}  // namespace navigation_method

namespace miscellaneous_flag {
constexpr int kFollowVisitTags = 0x01;
constexpr int kAll = kFollowVisitTags;
}  // namespace miscellaneous_flag

// The defaults of the saved fields.
constexpr int kDefaultRecordLevel = record_level::kEveryType | record_level::kRefreshNever;
constexpr int kDefaultReplayMode = replay_mode::kAll;
constexpr int kDefaultShowPage = 20;
constexpr int kDefaultNavigationMethod =
    navigation_method::kBreadthFirst | navigation_method::kToAnywhere;
constexpr int kDefaultMiscellaneous = miscellaneous_flag::kFollowVisitTags;

// The list font: size in tenths of a point and face, as the UI string that names the default
// gives them ("80, MS Sans Serif": the size before the comma, the face two characters after it).
constexpr const char* kDefaultFontSetting = "80, MS Sans Serif";

// The values the system can use: seconds a page is shown, font sizes (tenths of a point) and the
// longest face name a Windows font takes (LF_FACESIZE less its NUL). A face never holds a line
// feed, which would end the font line of the preferences file early.
constexpr int kMaxShowPage = 86400;
constexpr int kMinFontSize = 10;
constexpr int kMaxFontSize = 1000;
constexpr std::size_t kMaxFontFaceLength = 31;

// True when the flag word has no bit outside its dialog's controls and exactly one bit of each of
// its radio groups, as the dialogs write it.
bool IsValidRecordLevel(int word);
bool IsValidReplayMode(int word);
bool IsValidNavigationMethod(int word);
bool IsValidMiscellaneous(int word);
bool IsValidShowPage(int seconds);
bool IsValidFont(int size, std::string_view face);

// The size and face of a font description "SIZE, FACE"; false (nothing set) when it is not one.
bool ParseFontSetting(std::string_view text, int* size, std::string* face);

// Told when the list font changes, so that the open windows can take it. The Windows side
// installs one after the windows exist.
class FontListener {
 public:
  virtual ~FontListener() = default;
  virtual void FontChanged(int size, const std::string& face) = 0;
};

class Preferences {
 public:
  // Built with the defaults.
  Preferences();

  // Every field back to its default; the keyword table emptied.
  void BuildWithDefaults();

  // Recomputes keywordWatchActive from the table: 1 as soon as an entry has a non-empty word and
  // a sound other than "no sound".
  void RecomputeKeywordWatch();
  int KeywordWatchActive() const { return keywordWatchActive; }

  // Puts word (cut to kKeywordMaxLength bytes) and sound into entry index; recomputes the watch.
  // False when index is not an entry of the table.
  bool SetKeyword(int index, std::string_view word, int sound);

  // Replaces the list font and tells the listener. SetFontFace keeps fontSize.
  void SetFont(int size, std::string_view face);
  void SetFontFace(std::string_view face) { SetFont(fontSize, face); }
  void SetFontListener(FontListener* listener) { fontListener_ = listener; }

  // Run-time switches (not saved).
  int linkOn;
  int keepLocalCopies;
  int recordHistory;

  // Saved settings.
  int recordLevel;
  int replayMode;
  int showPage;
  int navigationMethod;
  int navigationFinishSound;
  int miscellaneous;
  KeywordEntry keywords[kKeywordCount];

  // Computed from keywords.
  int keywordWatchActive;

  // The list font; the font objects themselves are made by the Windows side from these.
  int fontSize;
  std::string fontFace;
  // Face names offered by the Miscellaneous dialog, filled by the Windows side.
  SortedStringList fontFaces;

  // The remembered window rectangles (the "windowpos" file).
  WindowRect menuBarWindowRect;
  WindowRect historyWindowRect;
  WindowRect finderWindowRect;

 private:
  FontListener* fontListener_ = nullptr;
};

}  // namespace corvisant
