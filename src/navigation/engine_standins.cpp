#include "navigation/engine_standins.h"

#include <algorithm>
#include <vector>

#include "common/preferences.h"
#include "navigation/navigation_state.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant {

void HeadlessController::SetButton(int id, int state) {
  Preferences* preferences = Current<Preferences>();
  if (preferences != nullptr && id == button::kRec) preferences->keepLocalCopies = state;
  if (preferences != nullptr && id == button::kTrack) preferences->recordHistory = state;
  SetButtonPicture(id, state);
}

int HeadlessController::GetButtonState(int id) {
  auto found = states_.find(id);
  return found == states_.end() ? button::kUp : found->second;
}

// The browser's new window for entry.html is the first id that the window list shows after the
// open and not before it.
bool WindowlessBrowserWatch::OpenWorkWindow(bool) {
  std::vector<std::uint32_t> before;
  std::vector<std::uint32_t> after;
  link_.ListBrowserWindows(before);
  link_.OpenUrlInNewWindow(EntryPageFileUrl());
  link_.ListBrowserWindows(after);
  auto added = std::find_if(after.begin(), after.end(), [&before](std::uint32_t id) {
    return std::find(before.begin(), before.end(), id) == before.end();
  });
  link_.state().workWindowId = added == after.end() ? 0 : *added;
  hasWorkWindow_ = added != after.end();
  return hasWorkWindow_;
}

void WindowlessBrowserWatch::CloseWorkWindow() {
  hasWorkWindow_ = false;
  link_.state().workWindowId = 0;
}

bool RunningNavigation::NavigatorActive() { return NavigatorRuns(); }

void RunningNavigation::PageLoaded(std::string_view reportedUrl, const HtmlToken* tokens,
                                   const std::vector<std::string>& links) {
  if (!NavigatorRuns()) return;
  Current<NavigationState>()->currentNavigator->pageLoaded(reportedUrl, tokens, &links);
}

}  // namespace corvisant
