#include "navigation/browser_control.h"

#include "browser/reply_readers.h"
#include "common/preferences.h"
#include "common/trace.h"
#include "navigation/engine_ports.h"
#include "navigation/navigation_state.h"
#include "navigation/recording_pipeline.h"
#include "navigation/request_queue.h"
#include "platform/ports.h"
#include "url/classify.h"
#include "url/store_names.h"
#include "url/url.h"

namespace corvisant {
namespace {

Preferences& Settings() { return *Current<Preferences>(); }

bool MainFrameExists() {
  ControllerPort* controller = Current<ControllerPort>();
  return controller != nullptr && controller->MainFrameExists();
}

void SetButtonPicture(int id, int state) {
  if (ControllerPort* controller = Current<ControllerPort>()) {
    controller->SetButtonPicture(id, state);
  }
}

void ClearQueue() {
  if (RequestQueue* queue = Current<RequestQueue>()) queue->clear();
}

}  // namespace

void BrowserControl::OpenUrl(std::string_view url, bool reload) {
  using namespace opening;
  if (url.empty()) return;
  RecordingPipeline* pipeline = Current<RecordingPipeline>();
  if (pipeline != nullptr) pipeline->SetLastGoToURL(url);
  BrowserWatch* watch = Current<BrowserWatch>();
  if (watch != nullptr && !watch->BrowserPresent()) {
    LinkOff();
    return;
  }
  if (pipeline != nullptr) {
    UnixTime now = Current<Clock>()->Now();
    pipeline->opensSinceArrival += 1;
    if (pipeline->lastArrivalTime != 0 &&
        now - pipeline->lastArrivalTime >= kSecondsBeforeNewWindow &&
        pipeline->opensSinceArrival >= kOpensBeforeNewWindow) {
      pipeline->lastArrivalTime = 0;
      pipeline->opensSinceArrival = 0;
      link_.OpenUrlInNewWindow(url);
      return;
    }
  }
  RequestQueue* queue = Current<RequestQueue>();
  if (IsPageUrl(url) && queue != nullptr) queue->purgeDeferredOnNextPass();
  link_.WaitForBrowserAnswer();
  if (reload && pipeline != nullptr) pipeline->lastEchoUrl.reset();
  link_.RequestOpen(url, reload);
  // The browser echoes nothing for the page it already shows: it is handled as if it had.
  if (!reload && pipeline != nullptr && pipeline->lastEchoUrl &&
      SameUrl(*pipeline->lastEchoUrl, url)) {
    Trace("Simulate DdeCallback");
    pipeline->HandleVisitedPage(std::string(url), true);
  }
}

void BrowserControl::RaiseBrowserForSave() {
  BrowserWatch* watch = Current<BrowserWatch>();
  if (watch == nullptr) return;
  BrowserLinkState& state = link_.state();
  if (state.raiseBrowserBeforeSave) {
    watch->BringBrowserToFront();
    state.raiseBrowserBeforeSave = false;
  }
  if (watch->BrowserInForeground() || state.refocusAfterDialog) {
    state.refocusAfterDialog = false;
    watch->BringBrowserToFront();
    watch->BringMainFrameToFront();
  }
}

int BrowserControl::SaveUrlToFile(std::string_view url, std::string_view relativeFile) {
  RaiseBrowserForSave();
  std::uint32_t took = link_.RequestSave(url, StoreRoot(), relativeFile);
  if (link_.NoteSavedPage(url)) {
    if (NavigationState* navigation = Current<NavigationState>()) {
      navigation->lastStepTime = Current<Clock>()->Now();
    }
  }
  return SaveResult(took);
}

void BrowserControl::LinkOn(bool browserRunning) {
  ClearQueue();
  BrowserWatch* watch = Current<BrowserWatch>();
  if (watch == nullptr || !watch->OpenWorkWindow(browserRunning)) {
    SetButtonPicture(button::kOn, button::kUp);
    Settings().linkOn = 0;
    return;
  }
  link_.RegisterUrlEcho();
  if (MainFrameExists()) {
    SetButtonPicture(button::kOn, button::kDown);
    Settings().linkOn = 1;
  }
}

void BrowserControl::LinkOff() {
  ClearQueue();
  if (BrowserWatch* watch = Current<BrowserWatch>()) watch->CloseWorkWindow();
  if (NavigationState* navigation = Current<NavigationState>()) {
    if (navigation->currentNavigator != nullptr) navigation->currentNavigator->stop();
    if (navigation->visitNavigator != nullptr) navigation->visitNavigator->stop();
  }
  if (Settings().linkOn) link_.UnregisterUrlEcho();
  if (MainFrameExists()) {
    for (int id : {button::kOn, button::kAutoNavigation, button::kForward, button::kBack}) {
      SetButtonPicture(id, button::kUp);
    }
  }
  Settings().linkOn = 0;
}

bool BrowserControl::CurrentUrl(std::string* url) {
  std::optional<std::string> shown = link_.GetBrowserUrl();
  if (!shown) return false;
  *url = std::move(*shown);
  return true;
}

}  // namespace corvisant
