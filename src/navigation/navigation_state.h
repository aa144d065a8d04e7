// The process-wide state of automatic browsing: the current run, the Visit-tag run beside it, the
// moment from which the shown page's display time counts, and the runs' start, stop and hand-over.
#pragma once

#include <string>
#include <string_view>

#include "common/times.h"
#include "navigation/navigator.h"

namespace corvisant {

// Extra seconds the first page of a run is given before the tick looks at it.
constexpr UnixTime kFirstStepGrace = 10;

struct NavigationState {
  NavigatorPtr currentNavigator;
  NavigatorPtr visitNavigator;
  // A finished Visit-tag navigator, deleted at the next Visit-tag nextUrl.
  NavigatorPtr retiredVisitNavigator;
  // End of the "spend" time of the page the Visit-tag navigator opened; 0: none.
  UnixTime visitDeadline = 0;
  // The moment from which the current page's display time counts.
  UnixTime lastStepTime = 0;
  // The next page the browser echoes is fetched and scanned even when a fresh copy exists.
  int forceNextFetch = 0;
};

// Starts a run of kind with startUrl (empty: none): the queue cleared, the old run stopped and
// deleted, the new navigator built and stepped at once. A kind that builds nothing leaves no run.
void StartNavigationRun(int kind, std::string_view startUrl);
// The start URL the controller gives a run of kind: for the link-following kinds and the rider
// the newest visit of the history (its local copy when the history window shows the local disk,
// and none when that copy is missing); none for the other kinds.
std::string RunStartUrl(int kind);
// A run begins at now: the next save raises the browser, the late-arrival rule counts from now.
void NoteRunStart(UnixTime now);
// Stops and deletes the current run (and the Visit-tag run when asked), and clears the queue.
void StopNavigationRun(bool alsoVisitTags);
// Makes navigator the current run in place of the old one and steps it at once.
void MakeNavigatorCurrent(NavigatorPtr navigator);
// The kind the navigation method of the preferences chooses (0 when none).
int KindOfNavigationMethod(int navigationMethod);

// The current run exists and is active; the same for the Visit-tag run.
bool NavigatorRuns();
bool VisitTagsRun();

}  // namespace corvisant
