// What the engine's URL-list replay and its random pick from a list take from the URL list
// windows: the list of a window (its entries by list index, the URL as the window offers it, its
// selection as list indexes), held by a navigator that may outlive the window, and the frontmost
// window's list. The two replay commands of the "URL List Menu" start the replay of the selection.
#include "app/win32/url_list_window_navigation.h"

#include "common/preferences.h"
#include "navigation/url_range_navigator.h"

namespace corvisant {
namespace {

// A window's list as a navigator holds it: every question asks the window while it lives.
class WindowList : public UrlListWindowList {
 public:
  explicit WindowList(UrlListWindow::Liveness liveness) : liveness_(std::move(liveness)) {}

  bool WindowExists() override { return *liveness_ != nullptr; }
  int Count() override { return WindowExists() ? ListRows(window().list()) : 0; }
  std::string EntryUrl(int index) override {
    if (!WindowExists()) return std::string();
    return ListIndexUrl(window().list(), index, window().LocalDiskChecked());
  }
  // The first selected row is the newest entry of the selection: the range's high end.
  bool SelectedRange(int* low, int* high) override {
    int firstRow = kNoItem;
    int lastRow = kNoItem;
    if (!WindowExists() || !window().view().SelectionRange(&firstRow, &lastRow)) return false;
    *low = RowToListIndex(window().list(), lastRow);
    *high = RowToListIndex(window().list(), firstRow);
    return true;
  }
  int FirstSelectedIndex() override {
    if (Count() == 0) return -1;
    int row = window().view().FirstSelected();
    return RowToListIndex(window().list(), row < 0 ? 0 : row);
  }

 private:
  UrlListWindow& window() { return **liveness_; }
  UrlListWindow::Liveness liveness_;
};

}  // namespace

std::unique_ptr<UrlListWindowList> OfferList(UrlListWindow& window) {
  return std::make_unique<WindowList>(window.liveness());
}

std::unique_ptr<UrlListWindowList> Win32UrlListWindows::FrontmostList() {
  UrlListWindow* window = UrlListWindow::Frontmost();
  return window != nullptr ? OfferList(*window) : nullptr;
}

bool Win32UrlListWindows::HistoryShowsLocalDisk() {
  UrlListWindow* history = UrlListWindow::FindHistoryWindow();
  return history != nullptr && history->LocalDiskChecked();
}

bool ReplayWindowSelection(UrlListWindow& window, int direction) {
  // The replay runs only while the link to the browser is up.
  const Preferences* preferences = Current<Preferences>();
  if (preferences == nullptr || !preferences->linkOn) return false;
  return ReplaySelectedRange(OfferList(window), direction);
}

}  // namespace corvisant
