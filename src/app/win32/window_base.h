// The system's own window base over plain Win32: every window class of the system has the one
// static window procedure below, which finds the C++ object that a window belongs to (stored with
// the window at WM_NCCREATE) and hands the message to its handler. A window created through
// Create lives until it is destroyed; the object then forgets it and is told with
// OnFinalMessage, after which it may delete itself.
#pragma once

#include <windows.h>

namespace corvisant {

struct WindowClass {
  const char* name;
  UINT style;
  HCURSOR cursor;
  // Null: the window paints its own background.
  HBRUSH background;
  // Null: the system's default icon.
  HICON icon;
};

class WindowBase {
 public:
  WindowBase() = default;
  // Destroys the window if it is still there.
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND hwnd() const { return hwnd_; }

  // Registers the class with the base's window procedure, unless the system knows it already.
  static bool RegisterClass(const WindowClass& windowClass);
  // The object of a window made by the base, or null for any other window.
  static WindowBase* FromHandle(HWND window);

 protected:
  // Makes a window of the registered class with this object as its handler, at x, y with width
  // and height (CW_USEDEFAULT lets the system choose); null on failure.
  HWND Create(const char* className, DWORD exStyle, const char* title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId);

  // Every message from WM_NCCREATE to WM_NCDESTROY; the default is the system's handling.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The window is gone (its last message has been handled).
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace corvisant
