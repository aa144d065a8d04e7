// What the engine runs with until the windows and the browser watcher of the application exist,
// and in the tool's simulation: a controller that only keeps its buttons' states, and a browser
// watch that knows the browser through its DDE interface alone (the browser counts as running
// and shown; the work window is the new browser window that the window lists show).
#pragma once

#include <map>

#include "browser/browser_link.h"
#include "html/rewrite_handoffs.h"
#include "navigation/engine_ports.h"

namespace corvisant {

class HeadlessController : public ControllerPort {
 public:
  void SetButtonPicture(int id, int state) override { states_[id] = state; }
  void SetButton(int id, int state) override;
  int GetButtonState(int id) override;
  bool MainFrameExists() override { return true; }
  UnixTime MenuTime() override { return 0; }

 private:
  std::map<int, int> states_;
};

class WindowlessBrowserWatch : public BrowserWatch {
 public:
  explicit WindowlessBrowserWatch(BrowserLink& link) : link_(link) {}

  bool BrowserProcessFound() override { return true; }
  // Without a desktop there is no browser to start: it counts as running.
  bool LaunchBrowser() override { return false; }
  bool BrowserPresent() override { return hasWorkWindow_; }
  bool OpenWorkWindow(bool browserRunning) override;
  void CloseWorkWindow() override;
  void BringBrowserToFront() override {}
  bool BrowserInForeground() override { return false; }
  void BringMainFrameToFront() override {}
  bool WatchDialogs() override { return false; }
  void DismissDialogs() override {}
  UnixTime LastBrowserDialogTime() override { return 0; }
  UnixTime PendingDialogTime() override { return 0; }

 private:
  BrowserLink& link_;
  bool hasWorkWindow_ = false;
};

// The rewrite's view of the running navigation: the current run, told of every page processed
// while it is active.
class RunningNavigation : public NavigationLink {
 public:
  bool NavigatorActive() override;
  void PageLoaded(std::string_view reportedUrl, const HtmlToken* tokens,
                  const std::vector<std::string>& links) override;
};

}  // namespace corvisant
