#include "standin/win32/browser_frame.h"

namespace standin_shell {
namespace {

constexpr const char* kFrameClass = "Standin:BrowserWindow";
constexpr const char* kPlaceKey = "Software\\Netscape\\Netscape Navigator\\Main Window";
constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;
constexpr int kMargin = 8;
constexpr int kLineHeight = 22;
constexpr int kLinksId = 10;
constexpr LRESULT kKeyHandled = -2;
constexpr LRESULT kKeyDefault = -1;

HWND Child(HWND parent, const char* control_class, DWORD style, int id) {
  HWND child =
      CreateWindowExA(0, control_class, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return child;
}

void SetDword(HKEY key, const char* name, LONG value) {
  DWORD data = static_cast<DWORD>(value);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

}  // namespace

void BrowserFrame::RegisterClassOnce(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = &BrowserFrame::WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kFrameClass;
  registered = RegisterClassA(&window_class) != 0;
}

BrowserFrame::BrowserFrame(HINSTANCE instance, FrameEvents& events, standin::WindowId id,
                           bool is_main)
    : events_(events), id_(id), is_main_(is_main) {
  RegisterClassOnce(instance);
  HWND hwnd =
      CreateWindowExA(0, kFrameClass, "Netscape", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      kFrameWidth, kFrameHeight, nullptr, nullptr, instance, this);
  window_ = OwnedWindow(hwnd);
  if (!hwnd) return;
  CreateChildren(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  Layout(client.right, client.bottom);
  ShowWindow(hwnd, SW_SHOW);
}

BrowserFrame::~BrowserFrame() {
  if (is_main_) RememberPlace();
}

void BrowserFrame::CreateChildren(HWND hwnd) {
  url_box_ = Child(hwnd, "Edit", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 0);
  title_box_ = Child(hwnd, "Static", SS_LEFT, 0);
  links_box_ =
      Child(hwnd, "ListBox", LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_BORDER, kLinksId);
}

void BrowserFrame::Layout(int width, int height) {
  const int inner = width - 2 * kMargin;
  MoveWindow(url_box_, kMargin, kMargin, inner, kLineHeight, TRUE);
  MoveWindow(title_box_, kMargin, 2 * kMargin + kLineHeight, inner, kLineHeight, TRUE);
  const int list_top = 3 * kMargin + 2 * kLineHeight;
  MoveWindow(links_box_, kMargin, list_top, inner, height - list_top - kMargin, TRUE);
}

void BrowserFrame::Show(const standin::BrowserWindow& window, const std::string& caption) {
  HWND hwnd = window_.get();
  SetWindowTextA(hwnd, caption.c_str());
  SetWindowTextA(url_box_, window.url.c_str());
  SetWindowTextA(title_box_, window.title.c_str());
  SendMessageA(links_box_, LB_RESETCONTENT, 0, 0);
  link_urls_.clear();
  for (const standin::Link& link : window.links) {
    const std::string line = link.text == link.url ? link.url : link.text + "   <" + link.url + ">";
    SendMessageA(links_box_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    link_urls_.push_back(link.url);
  }
}

void BrowserFrame::FollowSelected() {
  LRESULT index = SendMessageA(links_box_, LB_GETCURSEL, 0, 0);
  if (index >= 0 && static_cast<std::size_t>(index) < link_urls_.size()) {
    events_.LinkChosen(id_, link_urls_[index]);
  }
}

void BrowserFrame::RememberPlace() const {
  RECT place;
  HKEY key = nullptr;
  if (!window_ || !GetWindowRect(window_.get(), &place) ||
      RegCreateKeyExA(HKEY_CURRENT_USER, kPlaceKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  OwnedKey owned(key);
  SetDword(owned.get(), "Left", place.left);
  SetDword(owned.get(), "Top", place.top);
}

LRESULT CALLBACK BrowserFrame::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* frame = WindowObject<BrowserFrame>(hwnd, message, lparam);
  return frame ? frame->Handle(hwnd, message, wparam, lparam)
               : DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT BrowserFrame::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) events_.FrameActivated(id_);
      break;
    case WM_SHOWWINDOW:
      events_.FrameShown(id_, wparam != FALSE);
      break;
    case WM_SIZE:
      Layout(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == kLinksId && HIWORD(wparam) == LBN_DBLCLK) FollowSelected();
      return 0;
    case WM_VKEYTOITEM:
      if (LOWORD(wparam) != VK_RETURN) return kKeyDefault;
      FollowSelected();
      return kKeyHandled;
    case WM_CLOSE:
      events_.FrameClosing(id_);  // the keeper destroys the frame later, not in here
      return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace standin_shell
