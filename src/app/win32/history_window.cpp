// The history window's place: opened at the remembered rectangle (or below the menu-bar window
// the first time), brought up again when it is open, and the "History" menu item's check mark.
#include <windows.h>

#include "app/resources/resource_ids.h"
#include "app/win32/screen.h"
#include "app/win32/url_list_window.h"
#include "app/window_positions.h"
#include "common/preferences.h"

namespace corvisant {

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
  // The menu-bar window's remembered rectangle, 300 high, keeps the controller's room below the
  // bars, so that a history window placed below it leaves every button in sight.
  WindowRect placed =
      PlaceHistoryWindow(preferences->historyWindowRect, preferences->menuBarWindowRect);
  SetHistoryPosition(*preferences, placed, TheScreen());
  return UrlListWindow::OpenHistory(ToRect(preferences->historyWindowRect));
}

}  // namespace corvisant
