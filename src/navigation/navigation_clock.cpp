#include "navigation/navigation_clock.h"

#include <algorithm>
#include <string>

#include "common/preferences.h"
#include "navigation/browser_control.h"
#include "navigation/engine_ports.h"
#include "navigation/navigation_state.h"
#include "navigation/recording_pipeline.h"
#include "navigation/request_queue.h"
#include "platform/ports.h"
#include "url/store_files.h"
#include "url/text_helpers.h"

namespace corvisant {
namespace {

using namespace tick;

// Titles the browser shows for a page that could not be had.
constexpr const char* kFailureTitles[] = {"authorization required", "not found", "forbidden"};

const Preferences& Settings() { return *Current<Preferences>(); }

// Marks the busy flag for the length of one timer pass.
class BusyPass {
 public:
  explicit BusyPass(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyPass() { busy_ = false; }
  BusyPass(const BusyPass&) = delete;
  BusyPass& operator=(const BusyPass&) = delete;

 private:
  bool& busy_;
};

}  // namespace

void NavigationClock::OnTimer() {
  if (busy_) return;
  BusyPass pass(busy_);
  UnixTime now = Current<Clock>()->Now();
  RequestQueue* queue = Current<RequestQueue>();
  int asked = queue != nullptr ? queue->pump(now) : 0;
  if (asked == 0 && now != lastTickSecond_) {
    lastTickSecond_ = now;
    Tick(now);
  }
}

void NavigationClock::Tick(UnixTime now) {
  RequestQueue* queue = Current<RequestQueue>();
  NavigationState* navigation = Current<NavigationState>();
  if (queue == nullptr || navigation == nullptr) return;
  if (LinkDutiesEndTick(now) || !Settings().linkOn) return;
  if (now - queue->lastRetryTime() <= kAfterRetry) return;
  if (StepVisitTags(now)) return;
  queue->reissueDeferred(now);
  if (navigation->currentNavigator != nullptr && !navigation->currentNavigator->active) {
    navigation->currentNavigator.reset();
  } else if (navigation->currentNavigator != nullptr && queue->isIdle(now) && StepCurrentRun(now)) {
    return;
  }
  AppointmentCheck* appointments = Current<AppointmentCheck>();
  if (appointments != nullptr && now % kAppointmentEvery <= 1) {
    appointments->CheckAppointments(now);
  }
  if (now - lastFreeSpaceCheck_ > kFreeSpaceEvery) {
    CheckFreeSpace();
    lastFreeSpaceCheck_ = now;
  }
}

// The browser's presence and its dialogs: true when the tick ends here.
bool NavigationClock::LinkDutiesEndTick(UnixTime now) {
  BrowserWatch* watch = Current<BrowserWatch>();
  if (!Settings().linkOn || watch == nullptr) return false;
  if (now % kPresenceEvery == 0 && (!watch->BrowserProcessFound() || !watch->BrowserPresent())) {
    if (BrowserControl* control = Current<BrowserControl>()) control->LinkOff();
    return true;
  }
  return now % kDialogsEvery == 0 && watch->WatchDialogs();
}

// The Visit-tag run steps once its page's spend time is over: true when it stepped.
bool NavigationClock::StepVisitTags(UnixTime now) {
  NavigationState& navigation = *Current<NavigationState>();
  if (navigation.visitNavigator == nullptr) return false;
  if (!navigation.visitNavigator->active) {
    navigation.visitNavigator.reset();
    return false;
  }
  if (!Current<RequestQueue>()->isIdle(now)) return false;
  if (navigation.visitDeadline != 0 && now < navigation.visitDeadline) return false;
  navigation.lastStepTime = now;
  navigation.visitNavigator->step();
  return true;
}

// The current run steps once its page has been shown long enough and is done: true when it
// stepped.
bool NavigationClock::StepCurrentRun(UnixTime now) {
  NavigationState& navigation = *Current<NavigationState>();
  int show = Settings().showPage;
  UnixTime elapsed = navigation.lastStepTime < now ? now - navigation.lastStepTime : 0;
  WaitForPendingOpen(now, show, &elapsed);
  RecordingPipeline* pipeline = Current<RecordingPipeline>();
  bool openPending = pipeline != nullptr && pipeline->pendingOpenUrl.has_value();
  if (elapsed < show || openPending) return false;
  Navigator& navigator = *navigation.currentNavigator;
  if (elapsed > std::max<UnixTime>(kForcedDoneShows * show, kForcedDoneMinimum)) {
    navigator.pageDone = 1;
  }
  if (navigator.isPageDone() != 1) return false;
  navigation.lastStepTime = now;
  navigator.step();
  return true;
}

// An open whose page has not been echoed: given up after 1.5 shows; taken as shown after 0.7
// shows when a browser dialog came up after it or the browser shows a failure for it.
void NavigationClock::WaitForPendingOpen(UnixTime now, int show, UnixTime* elapsed) {
  RecordingPipeline* pipeline = Current<RecordingPipeline>();
  if (pipeline == nullptr || !pipeline->pendingOpenUrl || now <= pipeline->pendingOpenTime) {
    return;
  }
  double waited = static_cast<double>(now - pipeline->pendingOpenTime);
  if (waited > kGiveUpShows * show) {
    pipeline->SetLastGoToURL(std::nullopt);
    return;
  }
  if (waited <= kTakeAsShownShows * show) return;
  BrowserWatch* watch = Current<BrowserWatch>();
  bool dialogAfterOpen =
      watch != nullptr && pipeline->pendingOpenTime < watch->LastBrowserDialogTime();
  if (dialogAfterOpen || BrowserReportsFailure()) {
    *elapsed = show;
    pipeline->SetLastGoToURL(std::nullopt);
  }
}

// The browser's window shows a failure page for the pending open.
bool NavigationClock::BrowserReportsFailure() {
  BrowserControl* control = Current<BrowserControl>();
  RecordingPipeline* pipeline = Current<RecordingPipeline>();
  if (control == nullptr || pipeline == nullptr) return false;
  std::string title = control->link().GetBrowserTitle();
  LowerCaseInPlace(title);
  bool failure =
      std::any_of(std::begin(kFailureTitles), std::end(kFailureTitles),
                  [&title](const char* text) { return title.find(text) != std::string::npos; });
  if (!failure) return false;
  std::optional<std::string> shown = control->link().GetBrowserUrl();
  return shown && pipeline->pendingOpenUrl && *shown == *pipeline->pendingOpenUrl;
}

}  // namespace corvisant
