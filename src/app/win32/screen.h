// The screen the system's windows are placed on, as the placing rules take it.
#pragma once

#include <windows.h>

#include "app/window_positions.h"
#include "common/preferences.h"

namespace corvisant {

inline ScreenSize TheScreen() {
  return ScreenSize{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

inline WindowRect ToWindowRect(const RECT& rect) {
  return WindowRect{rect.left, rect.top, rect.right, rect.bottom};
}

inline RECT ToRect(const WindowRect& rect) {
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace corvisant
