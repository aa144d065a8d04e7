#include "app/win32/tool_window.h"

#include "app/resources/resource_ids.h"

namespace corvisant {
namespace {

LayoutRect ClientRect(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  return LayoutRect{client.left, client.top, client.right, client.bottom};
}

void Place(HWND child, const LayoutRect& rect) {
  ::MoveWindow(child, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

}  // namespace

bool ToolWindow::RegisterToolClass(const char* name) {
  return RegisterClass(
      WindowClass{name, 0, ::LoadCursorA(nullptr, IDC_ARROW), nullptr,
                  ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_CORVISANT))});
}

bool ToolWindow::Create(const char* title, HWND owner, const RECT* rect, DWORD style,
                        DWORD exStyle) {
  HWND window =
      rect != nullptr
          ? WindowBase::Create(ClassName(), exStyle, title, style, rect->left, rect->top,
                               rect->right - rect->left, rect->bottom - rect->top, owner, nullptr)
          : WindowBase::Create(ClassName(), exStyle, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr);
  if (window == nullptr) return false;
  ::ShowWindow(window, SW_SHOW);
  ::UpdateWindow(window);
  return true;
}

HWND ToolWindow::AddChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                          int id, const LayoutRule& rule) {
  HWND child = ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  if (child != nullptr) Lay(child, rule);
  return child;
}

void ToolWindow::Lay(HWND child, const LayoutRule& rule) {
  children_.push_back(Child{child, rule});
  Place(child, ApplyLayout(rule, ClientRect(hwnd())));
}

void ToolWindow::ApplyLayouts() {
  LayoutRect client = ClientRect(hwnd());
  for (const Child& child : children_) Place(child.window, ApplyLayout(child.rule, client));
}

LRESULT ToolWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(hwnd(), &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) ApplyLayouts();
      return 0;
    case WM_NCDESTROY:
      children_.clear();
      break;
    default:
      break;
  }
  return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace corvisant
