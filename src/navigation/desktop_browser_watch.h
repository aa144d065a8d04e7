// The engine's browser watch over the desktop: the browser's process, its windows and the work
// window (the discovery), and its dialogs (the watcher), which are answered while a run of
// automatic browsing or a Visit-tag run goes on and the preferences allow it; each answer gives
// the run's page five seconds more.
#pragma once

#include "browser/browser_discovery.h"
#include "browser/dialog_watcher.h"
#include "navigation/engine_ports.h"

namespace corvisant {

// The display time a run's page gains from each dialog answered during it.
constexpr UnixTime kSecondsPerAnsweredDialog = 5;

class DesktopBrowserWatch : public BrowserWatch, private DialogAnswerPolicy {
 public:
  DesktopBrowserWatch(DesktopPort& desktop, BrowserLink& link, Clock& clock)
      : discovery_(desktop, link, clock), dialogs_(desktop, link, clock) {}

  bool BrowserProcessFound() override { return discovery_.FindBrowserProcess() > 0; }
  bool LaunchBrowser() override { return discovery_.LaunchBrowser(); }
  bool BrowserPresent() override { return discovery_.BrowserPresent(); }
  bool OpenWorkWindow(bool browserRunning) override;
  void CloseWorkWindow() override { discovery_.CloseWorkWindow(); }
  void BringBrowserToFront() override { discovery_.BringBrowserToFront(); }
  bool BrowserInForeground() override { return discovery_.BrowserInForeground(); }
  void BringMainFrameToFront() override { discovery_.BringMainFrameToFront(); }
  bool WatchDialogs() override;
  void DismissDialogs() override;
  UnixTime LastBrowserDialogTime() override { return dialogs_.lastBrowserDialogTime(); }
  UnixTime PendingDialogTime() override { return dialogs_.pendingDialogTime(); }

  BrowserDiscovery& discovery() { return discovery_; }

 private:
  // The process of the work window: the dialogs watched are that process's.
  std::uint32_t BrowserProcessId();
  bool MayAnswer() override;
  void Answered() override;

  BrowserDiscovery discovery_;
  DialogWatcher dialogs_;
};

}  // namespace corvisant
