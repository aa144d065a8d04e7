#include "app/window_positions.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "app/preferences_text.h"
#include "platform/ports.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

// How much of a window must stay on the screen, and the sizes the windows take.
constexpr int kVisibleMargin = 50;
constexpr int kMenuBarWidth = 500;
constexpr int kMenuBarHeight = 300;
constexpr int kFinderWidth = 330;
constexpr int kFinderHeight = 225;
constexpr int kHistoryMinimumSize = 180;
// The history window never placed opens at this left edge, this size, this far below the menu bar;
// one over a menu bar whose corner is this near the screen's corner moves below it.
constexpr int kHistoryDefaultLeft = 10;
constexpr int kHistoryDefaultWidth = 350;
constexpr int kHistoryDefaultHeight = 420;
constexpr int kHistoryGapBelowMenuBar = 3;
constexpr int kMenuBarNearCorner = 100;
// The numbers of a rectangle start behind "= ".
constexpr std::size_t kValueOffset = 2;

constexpr WindowRect kDefaultMenuBar = {10, 10, 510, 300};
constexpr WindowRect kDefaultHistory = {0, 0, 0, 0};
constexpr WindowRect kDefaultFinder = {300, 100, 0, 0};

// Sums of a position and a size can pass the int range with the numbers of a damaged file.
int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

int ClampOrigin(int value, int screenSize) {
  if (value < 0) value = 0;
  int highest = ClampToInt(static_cast<std::int64_t>(screenSize) - kVisibleMargin);
  return value > highest ? highest : value;
}

WindowRect Placed(int left, int top, std::int64_t width, std::int64_t height) {
  return WindowRect{left, top, ClampToInt(left + width), ClampToInt(top + height)};
}

WindowRect FixedSize(const WindowRect& rect, ScreenSize screen, int width, int height) {
  return Placed(ClampOrigin(rect.left, screen.width), ClampOrigin(rect.top, screen.height), width,
                height);
}

std::string FormatRect(const char* name, const WindowRect& rect) {
  char line[96];
  std::snprintf(line, sizeof line, "%s = %d %d %d %d\n", name, rect.left, rect.top, rect.right,
                rect.bottom);
  return line;
}

// "%d %d %d %d" behind the next "=": the numbers read go straight into the rectangle, in order,
// up to the first that is missing or damaged. False when there is no further "=".
bool ReadRect(SettingsCursor& cursor, WindowRect* rect) {
  if (!cursor.NextValue(kValueOffset)) return false;
  int* fields[] = {&rect->left, &rect->top, &rect->right, &rect->bottom};
  std::size_t at = cursor.position();
  for (int* field : fields) {
    std::optional<int> value = cursor.DecimalAt(at, &at);
    if (!value) break;
    *field = *value;
  }
  return true;
}

bool Intersect(const WindowRect& a, const WindowRect& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace

WindowRect PlaceHistoryWindow(const WindowRect& remembered, const WindowRect& menuBar) {
  int belowMenuBar =
      ClampToInt(static_cast<std::int64_t>(menuBar.bottom) + kHistoryGapBelowMenuBar);
  if (remembered.left == 0 && remembered.top == 0) {
    return Placed(kHistoryDefaultLeft, belowMenuBar, kHistoryDefaultWidth, kHistoryDefaultHeight);
  }
  WindowRect placed = remembered;
  if (menuBar.left < kMenuBarNearCorner && menuBar.top < kMenuBarNearCorner &&
      Intersect(remembered, menuBar)) {
    // Moved down whole: a window cut to what is left below the menu bar would lose its list.
    placed.bottom =
        ClampToInt(static_cast<std::int64_t>(belowMenuBar) + remembered.bottom - remembered.top);
    placed.top = belowMenuBar;
  }
  return placed;
}

WindowRect PlaceWindowAt(int x, int y, int width, int height, ScreenSize screen) {
  return Placed(ClampOrigin(x, screen.width), ClampOrigin(y, screen.height), width, height);
}

WindowRect PlaceController(const WindowRect& frame, int width, int height, ScreenSize screen) {
  int top = std::max(frame.bottom, 0);
  int left = std::max(frame.left, 0);
  if (left > screen.width / 2) left = frame.right - width;
  left = std::min(left, screen.width - width);
  return Placed(left, top, width, height);
}

WindowRect NormaliseMenuBarPosition(const WindowRect& rect, ScreenSize screen) {
  return FixedSize(rect, screen, kMenuBarWidth, kMenuBarHeight);
}

WindowRect NormaliseHistoryPosition(const WindowRect& rect, ScreenSize screen) {
  // The size is taken before the origin is clamped.
  std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left;
  std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top;
  return Placed(ClampOrigin(rect.left, screen.width), ClampOrigin(rect.top, screen.height),
                std::max<std::int64_t>(width, kHistoryMinimumSize),
                std::max<std::int64_t>(height, kHistoryMinimumSize));
}

WindowRect NormaliseFinderPosition(const WindowRect& rect, ScreenSize screen) {
  return FixedSize(rect, screen, kFinderWidth, kFinderHeight);
}

void SetMenuBarPosition(Preferences& preferences, const WindowRect& rect, ScreenSize screen) {
  preferences.menuBarWindowRect = NormaliseMenuBarPosition(rect, screen);
}

void SetHistoryPosition(Preferences& preferences, const WindowRect& rect, ScreenSize screen) {
  preferences.historyWindowRect = NormaliseHistoryPosition(rect, screen);
}

void SetFinderPosition(Preferences& preferences, const WindowRect& rect, ScreenSize screen) {
  preferences.finderWindowRect = NormaliseFinderPosition(rect, screen);
}

std::string FormatWindowPositions(const Preferences& preferences) {
  return FormatRect("MenuBarWindow", preferences.menuBarWindowRect) +
         FormatRect("HistoryWindow", preferences.historyWindowRect) +
         FormatRect("FinderWindow", preferences.finderWindowRect);
}

bool SaveWindowPositions(const Preferences& preferences) {
  return WriteWholeFile(SettingsFilePath(kWindowPositionsFileName),
                        FormatWindowPositions(preferences));
}

void ApplyDefaultWindowPositions(Preferences& preferences, ScreenSize screen) {
  SetMenuBarPosition(preferences, kDefaultMenuBar, screen);
  SetHistoryPosition(preferences, kDefaultHistory, screen);
  SetFinderPosition(preferences, kDefaultFinder, screen);
}

void ParseWindowPositions(std::string_view text, Preferences& preferences) {
  SettingsCursor cursor(text);
  for (WindowRect* rect : {&preferences.menuBarWindowRect, &preferences.historyWindowRect,
                           &preferences.finderWindowRect}) {
    if (!ReadRect(cursor, rect)) return;
  }
}

bool LoadWindowPositions(Preferences& preferences, ScreenSize screen) {
  ApplyDefaultWindowPositions(preferences, screen);
  std::string text;
  if (!ReadSettingsFile(SettingsFilePath(kWindowPositionsFileName), &text)) return false;
  ParseWindowPositions(text, preferences);
  return true;
}

}  // namespace corvisant
