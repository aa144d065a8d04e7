#include "app/win32/main_frame.h"

#include <dde.h>

#include <algorithm>
#include <vector>

#include "app/resources/resource_ids.h"
#include "app/win32/page_beep.h"
#include "app/win32/screen.h"
#include "app/win32/ui_strings.h"
#include "app/win32/url_list_window.h"
#include "app/window_positions.h"
#include "history/hotlist.h"
#include "navigation/browser_control.h"
#include "navigation/request_queue.h"
#include "platform/ports.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The frame is made this high, then cut down to its title and menu bars.
constexpr int kCreatedHeight = 300;
constexpr int kFrameWidth = 500;
constexpr int kCutBelowMenuBar = 5;
// The positions of the two hotlist menus in the menu bar, and the items "create new Hotlist" and
// the separator that stay at the top of the first.
constexpr int kModifyHotlistMenu = 4;
constexpr int kDisplayHotlistMenu = 5;
constexpr int kModifyHotlistFixedItems = 2;
// The longest hotlist name a menu item gives back, and a new hotlist's name field.
constexpr int kHotlistItemTextMax = 255;
constexpr int kHotlistNameMax = 256;
// The shell's DDE execute command is copied up to this many bytes with its NUL.
constexpr SIZE_T kShellCommandMax = 520;
// The positive acknowledgement of a DDE execute (fAck).
constexpr UINT kDdeAckPositive = 0x8000;

// The page of the manual that the help pointer shows for the top-level window of each class.
struct HelpPage {
  const char* windowClass;
  const char* page;
};
constexpr HelpPage kHelpPages[] = {
    {kMenuBarWindowClass, "controller.html"},
    {kUrlListWindowClass, "history.html"},
    {"Corvisant:DomainViewWindow", "domain.html"},
    {"Corvisant:FinderWindow", "find.html"},
};

const char* HelpPageOf(HWND window) {
  char className[64] = "";
  ::GetClassNameA(window, className, sizeof className);
  for (const HelpPage& help : kHelpPages) {
    if (std::string_view(className) == help.windowClass) return help.page;
  }
  return nullptr;
}

// The window at the top of window's parent and owner chain.
HWND TopWindowOf(HWND window) {
  for (;;) {
    HWND up = (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? ::GetParent(window)
                                                               : ::GetWindow(window, GW_OWNER);
    if (up == nullptr) return window;
    window = up;
  }
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
         message == WM_NCRBUTTONDOWN;
}

// The screen point of a button press: client coordinates of its window, or the screen's for a
// press on a frame.
POINT PressPoint(const MSG& message) {
  POINT point{static_cast<short>(LOWORD(message.lParam)),
              static_cast<short>(HIWORD(message.lParam))};
  if (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN) {
    ::ClientToScreen(message.hwnd, &point);
  }
  return point;
}

struct NewHotlistContext {
  Controller* controller;
  bool created;
};

INT_PTR CALLBACK NewHotlistProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    ::SendDlgItemMessageA(dialog, IDC_NEW_HOTLIST_NAME, EM_LIMITTEXT, kHotlistNameMax - 1, 0);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  auto* context = reinterpret_cast<NewHotlistContext*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  switch (LOWORD(wParam)) {
    case IDOK: {
      char name[kHotlistNameMax] = "";
      ::GetDlgItemTextA(dialog, IDC_NEW_HOTLIST_NAME, name, sizeof name);
      if (name[0] == '\0') return TRUE;
      HotlistCreation creation = CreateHotlist(name);
      if (creation == HotlistCreation::kInvalidName) {
        // A name that is no plain file of the hotlist directory: the user may change it.
        ::MessageBeep(MB_ICONEXCLAMATION);
        ::SetFocus(::GetDlgItem(dialog, IDC_NEW_HOTLIST_NAME));
        return TRUE;
      }
      context->created = creation == HotlistCreation::kCreated;
      ::EndDialog(dialog, IDOK);
      return TRUE;
    }
    case IDCANCEL:
      ::EndDialog(dialog, IDCANCEL);
      return TRUE;
    case IDC_NEW_HOTLIST_HELP:
      context->controller->ShowManualPage("hotlist.html");
      SlideToLeftEdge(dialog);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
    case IDC_ABOUT_SHOW_MANUAL:
      ::EndDialog(dialog, LOWORD(wParam));
      return TRUE;
  }
  return FALSE;
}

}  // namespace

MainFrame::MainFrame(ShellCommandHandler& shell) : shell_(shell) {}

MainFrame::~MainFrame() {
  controllerDialog_.Destroy();
  if (applicationAtom_ != 0) ::GlobalDeleteAtom(applicationAtom_);
  if (topicAtom_ != 0) ::GlobalDeleteAtom(topicAtom_);
}

bool MainFrame::RegisterWindowClass() {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  return WindowBase::RegisterClass({kMenuBarWindowClass, 0, ::LoadCursorA(nullptr, IDC_ARROW),
                                    nullptr,
                                    ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_CORVISANT))});
}

bool MainFrame::Create(const Preferences& preferences) {
  const WindowRect& at = preferences.menuBarWindowRect;
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_FRAME));
  if (WindowBase::Create(kMenuBarWindowClass, 0, kMainFrameTitle, kFrameStyle, at.left, at.top,
                         at.right - at.left, kCreatedHeight, nullptr, menu) == nullptr) {
    if (menu != nullptr) ::DestroyMenu(menu);
    return false;
  }
  RECT window;
  RECT client;
  ::GetWindowRect(hwnd(), &window);
  ::GetClientRect(hwnd(), &client);
  int barsHeight = (window.bottom - window.top) - (client.bottom - client.top) - kCutBelowMenuBar;
  ::SetWindowPos(hwnd(), nullptr, 0, 0, kFrameWidth, barsHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(hwnd(), SW_SHOW);
  OnMove();
  controllerDialog_.Show();
  return true;
}

void MainFrame::EnableShellOpen(const char* application, const char* topic) {
  applicationAtom_ = ::GlobalAddAtomA(application);
  topicAtom_ = ::GlobalAddAtomA(topic);
}

LRESULT MainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_MOVE: {
      LRESULT result = WindowBase::HandleMessage(message, wParam, lParam);
      OnMove();
      return result;
    }
    case WM_INITMENUPOPUP:
      controller_.SetMenuTime(Current<Clock>()->Now());
      break;
    case WM_COMMAND:
      controller_.SetMenuTime(0);
      // While one of its modal dialogs is up the window is disabled: a command that reaches it
      // anyway (posted by another program) would open a second dialog over the first.
      if (::IsWindowEnabled(hwnd())) OnCommand(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_DDE_INITIATE:
      OnDdeInitiate(reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_DDE_EXECUTE:
      OnDdeExecute(reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_DDE_TERMINATE:
      ::PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE,
                     reinterpret_cast<WPARAM>(hwnd()), 0);
      return 0;
  }
  return WindowBase::HandleMessage(message, wParam, lParam);
}

bool MainFrame::OnCreate() {
  if (!controllerDialog_.Create(hwnd(), controller_)) return false;
  controller_.SetMainFrameExists(true);
  for (int id : {button::kOn, button::kAutoNavigation, button::kForward, button::kBack}) {
    controller_.SetButtonPicture(id, button::kUp);
  }
  const Preferences& preferences = *Current<Preferences>();
  controller_.SetButtonPicture(button::kRec, preferences.keepLocalCopies);
  controller_.SetButtonPicture(button::kTrack, preferences.recordHistory);
  return true;
}

void MainFrame::OnMove() {
  RECT frame;
  ::GetWindowRect(hwnd(), &frame);
  controllerDialog_.Place(frame);
  // A minimised window's place is not one to open at again.
  if (!::IsIconic(hwnd())) {
    SetMenuBarPosition(*Current<Preferences>(), ToWindowRect(frame), TheScreen());
  }
}

void MainFrame::OnCommand(int id) {
  if (id >= ID_HOTLIST_MODIFY_FIRST && id < ID_HOTLIST_MODIFY_FIRST + ID_HOTLIST_RANGE) {
    AddToHotlist(id);
    return;
  }
  if (id >= ID_HOTLIST_DISPLAY_FIRST && id < ID_HOTLIST_DISPLAY_FIRST + ID_HOTLIST_RANGE) {
    ShowHotlist(id);
    return;
  }
  switch (id) {
    case ID_APP_EXIT:
      ::SendMessageA(hwnd(), WM_CLOSE, 0, 0);
      break;
    case ID_TOOLS_HISTORY:
      BringUpHistoryWindow();
      break;
    case ID_HOTLIST_CREATE:
      NewHotlist();
      break;
    case ID_HELP_POINTER:
      ShowHelpPointer();
      break;
    case ID_APP_ABOUT:
      ShowAbout();
      break;
  }
}

void MainFrame::OnClose() {
  if (BrowserControl* control = Current<BrowserControl>()) control->LinkOff();
  if (RequestQueue* queue = Current<RequestQueue>()) queue->shutdown();
  ::DestroyWindow(hwnd());
}

void MainFrame::OnDestroy() {
  controllerDialog_.Destroy();
  controller_.SetMainFrameExists(false);
  ::PostQuitMessage(0);
}

void MainFrame::BuildHotlistMenus() {
  HMENU bar = ::GetMenu(hwnd());
  HMENU modify = ::GetSubMenu(bar, kModifyHotlistMenu);
  if (modify == nullptr) return;
  while (::GetMenuItemCount(modify) > kModifyHotlistFixedItems) {
    ::DeleteMenu(modify, kModifyHotlistFixedItems, MF_BYPOSITION);
  }
  HMENU display = ::GetSubMenu(bar, kDisplayHotlistMenu);
  bool madeDisplay = display == nullptr;
  if (madeDisplay) {
    display = ::CreatePopupMenu();
  } else {
    while (::GetMenuItemCount(display) > 0) ::DeleteMenu(display, 0, MF_BYPOSITION);
  }
  std::vector<std::string> names = HotlistNames();
  int count = std::min(static_cast<int>(names.size()), ID_HOTLIST_RANGE);
  for (int i = 0; i < count; ++i) {
    ::AppendMenuA(modify, MF_STRING, ID_HOTLIST_MODIFY_FIRST + i, names[i].c_str());
    ::AppendMenuA(display, MF_STRING, ID_HOTLIST_DISPLAY_FIRST + i, names[i].c_str());
  }
  if (madeDisplay) {
    ::ModifyMenuA(bar, kDisplayHotlistMenu, MF_BYPOSITION | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(display), UiString(IDS_DISPLAY_HOTLIST).c_str());
  }
  ::DrawMenuBar(hwnd());
}

std::string MainFrame::HotlistItemName(int menuPosition, int id) {
  char name[kHotlistItemTextMax] = "";
  HMENU menu = ::GetSubMenu(::GetMenu(hwnd()), menuPosition);
  if (menu != nullptr) ::GetMenuStringA(menu, id, name, sizeof name, MF_BYCOMMAND);
  return name;
}

void MainFrame::NewHotlist() {
  NewHotlistContext context{&controller_, false};
  ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NEW_HOTLIST), hwnd(),
                    NewHotlistProcedure, reinterpret_cast<LPARAM>(&context));
  if (context.created) BuildHotlistMenus();
}

void MainFrame::AddToHotlist(int id) {
  UrlListWindow* history = UrlListWindow::FindHistoryWindow();
  if (history == nullptr) return;
  AddNewestToHotlist(HotlistItemName(kModifyHotlistMenu, id), history->list());
}

void MainFrame::ShowHotlist(int id) {
  std::string url = std::string("file://") + StoreRootUrlPath() + "/" + kDatabaseDirectory + "/" +
                    kHotlistDirectory + "/" + HotlistItemName(kDisplayHotlistMenu, id);
  BrowserControl* control = Current<BrowserControl>();
  if (control != nullptr && LocalFileExists(url)) {
    control->OpenUrl(url, false);
  } else {
    BeepPageNotShown();
  }
}

void MainFrame::ShowHelpPointer() {
  HCURSOR pointer = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HELP_POINTER));
  if (pointer == nullptr) return;
  HCURSOR previous = ::SetCursor(pointer);
  ::SetCapture(hwnd());
  MSG message{};
  bool pressed = false;
  while (!pressed && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::SetCursor(pointer);
    pressed = IsButtonDown(message.message);
    // The windows go on painting and the engine's clock goes on ticking; nothing else is taken.
    if (!pressed && (message.message == WM_PAINT || message.message == WM_TIMER)) {
      ::DispatchMessageA(&message);
    }
  }
  ::ReleaseCapture();
  ::SetCursor(previous);
  if (message.message == WM_QUIT) {
    ::PostQuitMessage(static_cast<int>(message.wParam));
    return;
  }
  bool cancelled = message.message == WM_RBUTTONDOWN || message.message == WM_NCRBUTTONDOWN;
  if (!pressed || cancelled || message.hwnd == nullptr) return;
  HWND clicked = ::WindowFromPoint(PressPoint(message));
  const char* page = clicked != nullptr ? HelpPageOf(TopWindowOf(clicked)) : nullptr;
  if (page != nullptr) controller_.ShowManualPage(page);
}

void MainFrame::ShowAbout() {
  INT_PTR chosen = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT),
                                     hwnd(), AboutProcedure, 0);
  if (chosen == IDC_ABOUT_SHOW_MANUAL) controller_.ShowManualPage("manual.html");
}

void MainFrame::OnDdeInitiate(HWND client, LPARAM atoms) {
  ATOM application = LOWORD(atoms);
  ATOM topic = HIWORD(atoms);
  if (applicationAtom_ == 0 || application != applicationAtom_ || topic != topicAtom_) return;
  // The answer holds a reference to each atom, which its receiver deletes.
  char name[MAX_PATH] = "";
  ::GlobalGetAtomNameA(applicationAtom_, name, sizeof name);
  ::GlobalAddAtomA(name);
  ::GlobalGetAtomNameA(topicAtom_, name, sizeof name);
  ::GlobalAddAtomA(name);
  ::SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hwnd()),
                 MAKELPARAM(applicationAtom_, topicAtom_));
}

void MainFrame::OnDdeExecute(HWND client, LPARAM lParam) {
  UINT_PTR unused = 0;
  UINT_PTR data = 0;
  ::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &unused, &data);
  HGLOBAL commands = reinterpret_cast<HGLOBAL>(data);
  std::string command;
  if (const char* text = static_cast<const char*>(::GlobalLock(commands))) {
    SIZE_T size = std::min(::GlobalSize(commands), kShellCommandMax - 1);
    command.assign(text, strnlen(text, size));
    ::GlobalUnlock(commands);
  }
  ::PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hwnd()),
                 ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, kDdeAckPositive, data));
  if (::IsWindowEnabled(hwnd())) shell_.OnDdeCommand(command);
}

}  // namespace corvisant
