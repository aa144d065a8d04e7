// Reads any bytes as a "windowpos" file and checks: what was read is saved and read again
// unchanged, and placing any rectangle it gives keeps the window on the screen at its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "app/window_positions.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using corvisant::fuzzing::Check;

using namespace corvisant;

constexpr int kIntMax = std::numeric_limits<int>::max();

void CheckOnScreen(const WindowRect& placed, ScreenSize screen) {
  Check(placed.left >= 0 && placed.left <= screen.width - 50);
  Check(placed.top >= 0 && placed.top <= screen.height - 50);
}

void CheckPlacing(const Preferences& p, ScreenSize screen) {
  WindowRect menuBar = NormaliseMenuBarPosition(p.menuBarWindowRect, screen);
  CheckOnScreen(menuBar, screen);
  Check(menuBar.right - menuBar.left == 500 && menuBar.bottom - menuBar.top == 300);
  WindowRect finder = NormaliseFinderPosition(p.finderWindowRect, screen);
  CheckOnScreen(finder, screen);
  Check(finder.right - finder.left == 330 && finder.bottom - finder.top == 225);
  WindowRect history = NormaliseHistoryPosition(p.historyWindowRect, screen);
  CheckOnScreen(history, screen);
  Check(history.right == kIntMax || history.right - history.left >= 180);
  Check(history.bottom == kIntMax || history.bottom - history.top >= 180);
  // Placing twice changes nothing more.
  Check(NormaliseHistoryPosition(history, screen) == history);
}

}  // namespace

CORVISANT_FUZZ_TARGET(windowpos) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Preferences loaded;
  ApplyDefaultWindowPositions(loaded, kOrdinaryScreen);
  ParseWindowPositions(text, loaded);

  const std::string saved = FormatWindowPositions(loaded);
  Preferences again;
  ParseWindowPositions(saved, again);
  Check(FormatWindowPositions(again) == saved);

  for (ScreenSize screen : {kOrdinaryScreen, ScreenSize{640, 480}, ScreenSize{3840, 2160}}) {
    CheckPlacing(loaded, screen);
  }
}
