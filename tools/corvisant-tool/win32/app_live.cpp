#include "tools/corvisant-tool/app_live.h"

#include <windows.h>

#include <cstring>

#include "navigation/engine_ports.h"

namespace corvisant::tool {
namespace {

// The program's windows as any process sees them: the menu-bar window by its class, and the
// controller, a dialog box it owns that holds the six picture buttons.
constexpr char kMenuBarClass[] = "Corvisant:MenuBarWindow";
constexpr char kDialogClass[] = "#32770";
constexpr int kControllerButtons[] = {button::kOn,      button::kAutoNavigation,
                                      button::kForward, button::kBack,
                                      button::kRec,     button::kTrack};

bool IsDialog(HWND window) {
  char name[sizeof kDialogClass + 1] = {};
  return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, kDialogClass) == 0;
}

bool HoldsControllerButtons(HWND dialog) {
  for (int id : kControllerButtons) {
    if (GetDlgItem(dialog, id) == nullptr) return false;
  }
  return true;
}

struct ControllerSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK CheckTopLevelWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ControllerSearch*>(data);
  if (GetWindow(window, GW_OWNER) != search->owner || !IsDialog(window) ||
      !HoldsControllerButtons(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

AppPost Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(window, message, wParam, lParam) ? AppPost::kPosted : AppPost::kRefused;
}

class Win32LiveApp : public LiveApp {
 public:
  bool Running() override { return MenuBar() != nullptr; }

  AppPost PressButton(int id) override {
    HWND menuBar = MenuBar();
    if (menuBar == nullptr) return AppPost::kNotRunning;
    ControllerSearch search = {menuBar, nullptr};
    EnumWindows(CheckTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return AppPost::kNoController;
    // What a click on a static control with SS_NOTIFY sends to its dialog.
    HWND control = GetDlgItem(search.found, id);
    return Post(search.found, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                reinterpret_cast<LPARAM>(control));
  }

  AppPost MenuCommand(int id) override {
    HWND menuBar = MenuBar();
    if (menuBar == nullptr) return AppPost::kNotRunning;
    // A menu's command: notification code 0 and no control.
    return Post(menuBar, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }

  AppPost Close() override {
    HWND menuBar = MenuBar();
    if (menuBar == nullptr) return AppPost::kNotRunning;
    return Post(menuBar, WM_SYSCOMMAND, SC_CLOSE, 0);
  }

 private:
  static HWND MenuBar() { return FindWindowA(kMenuBarClass, nullptr); }
};

}  // namespace

std::unique_ptr<LiveApp> OpenLiveApp() { return std::make_unique<Win32LiveApp>(); }

}  // namespace corvisant::tool
