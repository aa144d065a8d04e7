// The history window's place: opened at the remembered rectangle (or below the menu-bar window
// the first time), brought up again when it is open, and the "History" menu item's check mark.
#include <windows.h>

#include "app/resources/resource_ids.h"
#include "app/win32/url_list_window.h"
#include "app/window_positions.h"
#include "common/preferences.h"

namespace corvisant {
namespace {

WindowRect MenuBarRect() {
  RECT frame{0, 0, 0, 0};
  HWND menuBar = ::FindWindowA(kMenuBarWindowClass, nullptr);
  if (menuBar != nullptr) ::GetWindowRect(menuBar, &frame);
  return WindowRect{frame.left, frame.top, frame.right, frame.bottom};
}

}  // namespace

void CheckHistoryMenuItem(bool open) {
  HWND menuBar = ::FindWindowA(kMenuBarWindowClass, nullptr);
  HMENU menu = menuBar != nullptr ? ::GetMenu(menuBar) : nullptr;
  if (menu == nullptr) return;
  ::CheckMenuItem(menu, ID_TOOLS_HISTORY, MF_BYCOMMAND | (open ? MF_CHECKED : MF_UNCHECKED));
}

UrlListWindow* BringUpHistoryWindow() {
  if (UrlListWindow* open = UrlListWindow::FindHistoryWindow()) {
    ::SetWindowPos(open->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::ShowWindow(open->hwnd(), SW_RESTORE);
    return open;
  }
  Preferences* preferences = Current<Preferences>();
  if (preferences == nullptr) return nullptr;
  WindowRect placed = PlaceHistoryWindow(preferences->historyWindowRect, MenuBarRect());
  SetHistoryPosition(*preferences, placed,
                     ScreenSize{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
  const WindowRect& at = preferences->historyWindowRect;
  RECT rect{at.left, at.top, at.right, at.bottom};
  return UrlListWindow::OpenHistory(rect);
}

}  // namespace corvisant
