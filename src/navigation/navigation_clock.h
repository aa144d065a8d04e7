// The engine's clock: one 800 ms timer whose every pass pumps the request queue and, in a second
// in which the pump asked the browser for nothing, runs the navigation tick. The tick decides
// when the shown page has been shown long enough and steps the navigator, and it carries the
// periodic duties of the browser link, the dialog watcher, the appointments and the free space.
#pragma once

#include "common/times.h"

namespace corvisant {

namespace tick {
constexpr unsigned kTimerPeriodMs = 800;
// The browser's presence is checked every 5 seconds, its dialogs every 4.
constexpr UnixTime kPresenceEvery = 5;
constexpr UnixTime kDialogsEvery = 4;
// After a retry was asked for, the tick waits this long.
constexpr UnixTime kAfterRetry = 1;
// The pending-open rules: given up after 1.5 shows, taken as shown after 0.7 shows when the
// browser says the page failed or a dialog came up after the open.
constexpr double kGiveUpShows = 1.5;
constexpr double kTakeAsShownShows = 0.7;
// A page that never reports is done after max(2 shows, 30 s).
constexpr int kForcedDoneShows = 2;
constexpr UnixTime kForcedDoneMinimum = 30;
// The appointments are looked at when the time modulo 10 is 0 or 1; the free space every minute.
constexpr UnixTime kAppointmentEvery = 10;
constexpr UnixTime kFreeSpaceEvery = 60;
}  // namespace tick

class NavigationClock {
 public:
  // One pass of the 800 ms timer. A pass that starts while another is running (a DDE transaction
  // dispatches timer messages) returns at once.
  void OnTimer();
  // The navigation tick at now.
  void Tick(UnixTime now);

 private:
  bool LinkDutiesEndTick(UnixTime now);
  bool StepVisitTags(UnixTime now);
  bool StepCurrentRun(UnixTime now);
  void WaitForPendingOpen(UnixTime now, int show, UnixTime* elapsed);
  bool BrowserReportsFailure();

  bool busy_ = false;
  UnixTime lastTickSecond_ = -1;
  UnixTime lastFreeSpaceCheck_ = 0;
};

}  // namespace corvisant
