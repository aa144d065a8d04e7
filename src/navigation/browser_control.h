// The engine's side of the browser link: opening a URL (with the open bookkeeping, the answer
// check and the new-window rule), saving a URL into the page store through the system's own
// browser window, and bringing the link up and down with the queue, the navigators and the
// controller. The plain DDE operations are the browser link's.
#pragma once

#include <string>
#include <string_view>

#include "browser/browser_link.h"
#include "history/history_ports.h"
#include "html/rewrite_handoffs.h"

namespace corvisant {

namespace opening {
// After this many opens without an arrival for this long, the next open takes a new window.
constexpr int kOpensBeforeNewWindow = 6;
constexpr UnixTime kSecondsBeforeNewWindow = 101;
}  // namespace opening

class BrowserControl : public BrowserLocation, public BrowserTitleSource {
 public:
  explicit BrowserControl(BrowserLink& link) : link_(link) {}

  BrowserLink& link() { return link_; }

  // Opens url in the browser's last active window (reload: bypassing its caches).
  void OpenUrl(std::string_view url, bool reload);
  // Asks the browser to save url into relativeFile of the store: 0, or -1 when it refused.
  int SaveUrlToFile(std::string_view url, std::string_view relativeFile);
  // Brings the link up; browserRunning: the browser process was found.
  void LinkOn(bool browserRunning);
  void LinkOff();

  // The rewrite's and the history's questions to the browser.
  bool CurrentUrl(std::string* url) override;
  std::string GetBrowserTitle() override { return link_.GetBrowserTitle(); }

 private:
  void RaiseBrowserForSave();

  BrowserLink& link_;
};

}  // namespace corvisant
