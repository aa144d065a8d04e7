// The tool-window base of the URL list window, the Finder and the Domain View: a top-level
// window of a class the subclass names, painted in the button-face colour, whose child controls
// each carry a layout rule that is applied whenever the window is restored or maximised.
#pragma once

#include <windows.h>

#include <vector>

#include "app/tool_window_layout.h"
#include "app/win32/window_base.h"

namespace corvisant {

class ToolWindow : public WindowBase {
 public:
  // The registered class of the window.
  virtual const char* ClassName() const = 0;

  // Makes the window (a null rectangle lets the system choose its place and size), shows it and
  // paints it at once. False when it could not be made.
  bool Create(const char* title, HWND owner, const RECT* rect, DWORD style, DWORD exStyle);

  // Registers a tool window class: no class style, the arrow cursor, no background brush (the
  // base paints the background).
  static bool RegisterToolClass(const char* name);

 protected:
  // Makes a child control of a system class with its layout rule; null when it could not be made.
  HWND AddChild(const char* className, const char* text, DWORD style, DWORD exStyle, int id,
                const LayoutRule& rule);
  // Keeps an existing child window under a layout rule.
  void Lay(HWND child, const LayoutRule& rule);
  void ApplyLayouts();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Child {
    HWND window;
    LayoutRule rule;
  };
  std::vector<Child> children_;
};

}  // namespace corvisant
