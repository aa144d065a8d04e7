#include "navigation/navigation_state.h"

#include "common/preferences.h"
#include "navigation/browser_control.h"
#include "navigation/navigator_factory.h"
#include "navigation/recording_pipeline.h"
#include "navigation/request_queue.h"
#include "platform/ports.h"

namespace corvisant {
namespace {

void ClearQueue() {
  if (RequestQueue* queue = Current<RequestQueue>()) queue->clear();
}

void StopAndDelete(NavigatorPtr& navigator) {
  if (navigator == nullptr) return;
  navigator->stop();
  navigator.reset();
}

// A run begins: the next save raises the browser, the late-arrival rule counts from now.
void NoteRunStart(UnixTime now) {
  if (BrowserControl* control = Current<BrowserControl>()) {
    control->link().state().raiseBrowserBeforeSave = true;
  }
  if (RecordingPipeline* pipeline = Current<RecordingPipeline>()) pipeline->runStartTime = now;
}

}  // namespace

void StartNavigationRun(int kind, std::string_view startUrl) {
  NavigationState* navigation = Current<NavigationState>();
  if (navigation == nullptr) return;
  ClearQueue();
  StopAndDelete(navigation->currentNavigator);
  navigation->currentNavigator = MakeNavigator(kind);
  UnixTime now = Current<Clock>()->Now();
  navigation->lastStepTime = now;
  Navigator* navigator = navigation->currentNavigator.get();
  if (navigator == nullptr) return;
  if (!startUrl.empty()) navigator->setStartUrl(startUrl);
  NoteRunStart(now);
  navigation->lastStepTime += kFirstStepGrace;
  navigator->step();
}

void StopNavigationRun(bool alsoVisitTags) {
  if (NavigationState* navigation = Current<NavigationState>()) {
    StopAndDelete(navigation->currentNavigator);
    if (alsoVisitTags) StopAndDelete(navigation->visitNavigator);
  }
  ClearQueue();
}

void MakeNavigatorCurrent(NavigatorPtr navigator) {
  NavigationState* navigation = Current<NavigationState>();
  if (navigation == nullptr) return;
  StopAndDelete(navigation->currentNavigator);
  navigation->currentNavigator = std::move(navigator);
  navigation->lastStepTime = Current<Clock>()->Now();
  if (navigation->currentNavigator != nullptr) navigation->currentNavigator->step();
}

int KindOfNavigationMethod(int navigationMethod) {
  using namespace navigation_method;
  struct MethodKind {
    int bit;
    int kind;
  };
  constexpr MethodKind kMethodKinds[] = {
      {kBreadthFirst, navigator_kind::kBreadthFirst},
      {kDepthFirst, navigator_kind::kDepthFirst},
      {kRandomFromWeb, navigator_kind::kRandomWeb},
      {kRandomFromUrlList, navigator_kind::kRandomUrlList},
      {kRandomFromLocalStorage, navigator_kind::kLocalStorage},
      {kSearchEngineRider, navigator_kind::kSearchEngineRider},
  };
  for (const MethodKind& method : kMethodKinds) {
    if ((navigationMethod & method.bit) != 0) return method.kind;
  }
  return navigator_kind::kVisitTags;
}

bool NavigatorRuns() {
  const NavigationState* navigation = Current<NavigationState>();
  return navigation != nullptr && navigation->currentNavigator != nullptr &&
         navigation->currentNavigator->active;
}

bool VisitTagsRun() {
  const NavigationState* navigation = Current<NavigationState>();
  return navigation != nullptr && navigation->visitNavigator != nullptr &&
         navigation->visitNavigator->active;
}

}  // namespace corvisant
