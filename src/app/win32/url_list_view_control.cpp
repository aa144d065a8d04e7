#include "app/win32/url_list_view_control.h"

#include "app/win32/url_list_window.h"

namespace corvisant {

void UrlListView::AttachList(UrlListFile* list) {
  list_ = list;
  ForgetLines();
  SetCount(list != nullptr ? ListRows(*list) : 0);
  Select(0);
}

std::optional<std::string> UrlListView::LineText(int index) {
  if (list_ == nullptr) return std::string();
  return ListLineText(*list_, index);
}

void UrlListView::SelectionChanged(int how) {
  // A right click changes nothing.
  if (how == click::kLeft) window_.ShowRow(model().anchor());
}

void UrlListView::Activated(int /*how*/) { window_.OpenUrlField(); }

void UrlListView::RightButtonDown(POINT point) {
  ::ClientToScreen(hwnd(), &point);
  window_.ShowListMenu(point);
}

void UrlListView::KeyDown(WPARAM virtualKey) {
  Shortcut shortcut = keys_.KeyDown(static_cast<int>(virtualKey), ControlKeyHeld());
  // The Finder comes later: until it exists Ctrl+F does nothing here.
  if (shortcut == Shortcut::kSelectAll) SelectAll();
}

}  // namespace corvisant
