#include "app/win32/window_base.h"

namespace corvisant {

bool WindowBase::RegisterClass(const WindowClass& windowClass) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA known;
  if (::GetClassInfoA(instance, windowClass.name, &known)) return true;
  WNDCLASSA wanted{};
  wanted.style = windowClass.style;
  wanted.lpfnWndProc = WindowProcedure;
  wanted.hInstance = instance;
  wanted.hCursor = windowClass.cursor;
  wanted.hbrBackground = windowClass.background;
  wanted.hIcon = windowClass.icon;
  wanted.lpszClassName = windowClass.name;
  return ::RegisterClassA(&wanted) != 0;
}

WindowBase* WindowBase::FromHandle(HWND window) {
  // Only the base's own windows have its procedure; what they keep is their object.
  if (window == nullptr ||
      ::GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowProcedure)) {
    return nullptr;
  }
  return reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

WindowBase::~WindowBase() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

HWND WindowBase::Create(const char* className, DWORD exStyle, const char* title, DWORD style, int x,
                        int y, int width, int height, HWND parent, HMENU menuOrId) {
  return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                           ::GetModuleHandleA(nullptr), this);
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  WindowBase* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  // The few messages before WM_NCCREATE (the size limits) get the system's handling.
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
  }
  return result;
}

}  // namespace corvisant
