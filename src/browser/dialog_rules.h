// How the browser's dialogs are told apart from its other windows: its alerts by their titles
// in its nine languages, its saving progress dialogs by title, size or a child that shows
// progress, and the candidates among the top-level windows by their modal frame and tab-stop
// buttons. Each rule is given on plain facts, and read from the desktop.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "browser/desktop_port.h"

namespace corvisant {

namespace dialog_rule {
// A title is read up to this many characters for the alert and progress tests, a child's class
// name and text for the progress test.
constexpr std::size_t kAlertTitleMax = 511;
constexpr std::size_t kProgressTitleMax = 127;
constexpr std::size_t kClassNameMax = 254;
constexpr std::size_t kChildTextMax = 127;
// What the browser's captions add around an inner title: version 3 "Netscape - [" and "]",
// version 4 " - Netscape".
constexpr std::size_t kNavigatorCaptionHead = 12;
constexpr std::size_t kNavigatorCaptionTail = 1;
constexpr std::size_t kCommunicatorCaptionTail = 11;
constexpr int kCommunicatorVersion = 4;
// The client area of the browser's untitled progress dialog.
constexpr int kProgressClientWidth = 385;
constexpr int kProgressClientHeight = 150;
constexpr const char* kProgressClass = "NSProgress";
// A clock reading ("00:01:23") has ":" at these places; a percentage ends with "%".
constexpr std::size_t kClockColonFirst = 2;
constexpr std::size_t kClockColonSecond = 5;
// A child's style under this mask must be a tab stop, alone or opening a group.
constexpr std::uint32_t kButtonStyleMask = 0x0F0FFFFE;
constexpr int kLanguageCount = 9;
}  // namespace dialog_rule

// The titles in English, Japanese (Shift-JIS), French, Italian, German, Portuguese, Danish,
// Dutch and Swedish.
extern const std::string_view kAlertTitles[dialog_rule::kLanguageCount];
extern const std::string_view kSavingDocumentTitles[dialog_rule::kLanguageCount];
extern const std::string_view kSavingLocationTitles[dialog_rule::kLanguageCount];

struct ChildFacts {
  std::string className;
  std::string text;
};

struct ProgressFacts {
  std::string title;
  int clientWidth = 0;
  int clientHeight = 0;
  std::vector<ChildFacts> children;
};

bool IsBrowserAlertTitle(std::string_view title, int browserVersion);
bool IsProgressTitle(std::string_view title);
bool ShowsProgress(const ChildFacts& child);
bool IsProgressDialog(const ProgressFacts& facts);
// A child style that makes a window a dialog candidate.
bool IsTabStopButtonStyle(std::uint32_t style);

// The same rules read from the desktop.
class DialogRules {
 public:
  DialogRules(DesktopPort& desktop, int browserVersion)
      : desktop_(desktop), browserVersion_(browserVersion) {}

  bool IsBrowserAlert(WindowHandle window);
  bool IsBrowserProgressDialog(WindowHandle window);
  // A modal-framed window with a tab-stop button among its children.
  bool HasModalFrameAndTabStop(WindowHandle window);
  // A window of the browser's process that is an alert or modal-framed with a tab stop.
  bool IsCandidate(WindowHandle window, std::uint32_t browserProcessId);

 private:
  DesktopPort& desktop_;
  int browserVersion_;
};

}  // namespace corvisant
