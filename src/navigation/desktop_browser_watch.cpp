#include "navigation/desktop_browser_watch.h"

#include "common/preferences.h"
#include "navigation/navigation_state.h"

namespace corvisant {

bool DesktopBrowserWatch::OpenWorkWindow(bool browserRunning) {
  // The version decides which titles are the browser's windows.
  discovery_.FindBrowserProcess();
  return discovery_.OpenWorkWindow(browserRunning);
}

std::uint32_t DesktopBrowserWatch::BrowserProcessId() {
  WindowHandle work = discovery_.workWindow();
  return work == kNoWindow ? 0 : discovery_.desktop().ProcessOf(work);
}

bool DesktopBrowserWatch::WatchDialogs() { return dialogs_.Watch(BrowserProcessId(), *this); }

void DesktopBrowserWatch::DismissDialogs() { dialogs_.Dismiss(BrowserProcessId()); }

bool DesktopBrowserWatch::MayAnswer() {
  const Preferences* preferences = Current<Preferences>();
  bool allowed =
      preferences != nullptr && (preferences->replayMode & replay_mode::kAnswerBrowserDialogs) != 0;
  return allowed && (NavigatorRuns() || VisitTagsRun());
}

void DesktopBrowserWatch::Answered() {
  if (NavigationState* navigation = Current<NavigationState>()) {
    navigation->lastStepTime += kSecondsPerAnsweredDialog;
  }
}

}  // namespace corvisant
