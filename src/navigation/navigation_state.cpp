#include "navigation/navigation_state.h"

#include "common/preferences.h"
#include "history/history_file.h"
#include "navigation/browser_control.h"
#include "navigation/navigator_factory.h"
#include "navigation/random_url_list_navigator.h"
#include "navigation/recording_pipeline.h"
#include "navigation/request_queue.h"
#include "platform/ports.h"
#include "url/store_names.h"

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

}  // namespace

void NoteRunStart(UnixTime now) {
  if (BrowserControl* control = Current<BrowserControl>()) {
    control->link().state().raiseBrowserBeforeSave = true;
  }
  if (RecordingPipeline* pipeline = Current<RecordingPipeline>()) pipeline->runStartTime = now;
}

std::string RunStartUrl(int kind) {
  using namespace navigator_kind;
  if (kind != kBreadthFirst && kind != kDepthFirst && kind != kRandomWeb &&
      kind != kSearchEngineRider) {
    return std::string();
  }
  HistoryFile* history = Current<HistoryFile>();
  HistoryEntryPtr newest = history != nullptr ? history->ReadEntryFromNewest(0) : nullptr;
  if (newest == nullptr) return std::string();
  UrlListWindows* windows = Current<UrlListWindows>();
  if (windows == nullptr || !windows->HistoryShowsLocalDisk()) return newest->url;
  std::string local = newest->url;
  UrlToStoreFileUrl(local);
  return LocalFileExists(local) ? local : std::string();
}

void StartNavigationRun(int kind, std::string_view startUrl) {
  NavigationState* navigation = Current<NavigationState>();
  if (navigation == nullptr) return;
  ClearQueue();
  StopAndDelete(navigation->currentNavigator);
  // The URL list window makes the random pick over its own list.
  navigation->currentNavigator =
      kind == navigator_kind::kRandomUrlList ? MakeRandomUrlListNavigator() : MakeNavigator(kind);
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
