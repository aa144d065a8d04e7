// The URL list windows as the engine's replay and random pick from a list reach them.
#pragma once

#include <memory>

#include "app/win32/url_list_window.h"
#include "navigation/url_list_windows.h"

namespace corvisant {

// The window's list as a navigator holds it; it answers that the window is gone once it is.
std::unique_ptr<UrlListWindowList> OfferList(UrlListWindow& window);

// The frontmost URL list window's list, and the history window's local-disk choice.
class Win32UrlListWindows : public UrlListWindows {
 public:
  std::unique_ptr<UrlListWindowList> FrontmostList() override;
  bool HistoryShowsLocalDisk() override;
};

}  // namespace corvisant
