// The URL list windows as the tool's simulation and the tests offer them until the windows
// exist: one window over a URL list file pair ("BASE.urli", "BASE.urld"), its rows the list's
// indexes, with a selection that the caller sets and a close that makes it gone.
#pragma once

#include <memory>
#include <string>

#include "history/url_list.h"
#include "navigation/url_list_windows.h"

namespace corvisant::simulation {

class FileListWindow {
 public:
  // The pair BASE.urli / BASE.urld as it is; false when either cannot be opened.
  bool Open(const std::string& base);
  // Selects the rows low to high (list indexes); -1 for none.
  void Select(int low, int high);
  // The window goes: every list it gave out answers so.
  void Close();

  // The list as the window gives it to a navigator.
  std::unique_ptr<UrlListWindowList> Offer() const;
  UrlList* list() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

class FileListWindows : public UrlListWindows {
 public:
  std::unique_ptr<UrlListWindowList> FrontmostList() override;
  bool HistoryShowsLocalDisk() override { return historyShowsLocalDisk; }

  // The frontmost window; null: no window is open.
  const FileListWindow* frontmost = nullptr;
  bool historyShowsLocalDisk = false;
};

}  // namespace corvisant::simulation
