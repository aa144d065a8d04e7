#include "app/win32/list_windows.h"

namespace corvisant {
namespace {

Preferences& ThePreferences() { return *Current<Preferences>(); }

}  // namespace

ListWindows::ListWindows(ProcessObjects& process)
    : process_(process), fonts_(ThePreferences().fontSize, ThePreferences().fontFace) {
  ToolWindow::RegisterToolClass(kUrlListWindowClass);
  WindowPorts ports;
  ports.historyWindow = &historyLine_;
  ports.listWindows = &listWindows_;
  process_.OpenWindows(ports);
  ThePreferences().SetFontListener(this);
}

ListWindows::~ListWindows() {
  for (UrlListWindow* window : UrlListWindow::All()) ::DestroyWindow(window->hwnd());
  if (Preferences* preferences = Current<Preferences>()) preferences->SetFontListener(nullptr);
  process_.CloseWindows();
}

void ListWindows::FontChanged(int size, const std::string& face) {
  FontHandle old(fonts_.ReplaceUserFont(size, face));
  for (UrlListWindow* window : UrlListWindow::All()) window->TakeNewFont(fonts_.user());
}

}  // namespace corvisant
