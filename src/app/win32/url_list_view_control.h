// The list of a URL list window: a LongListBox over one URL list (the history or any derived
// list), row 0 its newest entry. A click shows the anchor entry in the window's fields, a double
// click opens the URL field's page in the browser, a right click opens the "URL List Menu".
#pragma once

#include <windows.h>

#include "app/url_list_view.h"
#include "app/win32/long_list_box.h"
#include "history/url_list_file.h"

namespace corvisant {

class UrlListWindow;

// The Ctrl key is held now (the high bit of its key state).
inline bool ControlKeyHeld() {
  constexpr SHORT kKeyDownBit = static_cast<SHORT>(0x8000);
  return (::GetKeyState(VK_CONTROL) & kKeyDownBit) != 0;
}

class UrlListView : public LongListBox {
 public:
  explicit UrlListView(UrlListWindow& window) : window_(window) {}

  // The view shows list (not owned); its count is the list's and item 0 is selected.
  void AttachList(UrlListFile* list);
  UrlListFile* GetList() const { return list_; }

 protected:
  std::optional<std::string> LineText(int index) override;
  void SelectionChanged(int how) override;
  void Activated(int how) override;
  void RightButtonDown(POINT point) override;
  void KeyDown(WPARAM virtualKey) override;

 private:
  UrlListWindow& window_;
  UrlListFile* list_ = nullptr;
  ShortcutKeys keys_;
};

}  // namespace corvisant
