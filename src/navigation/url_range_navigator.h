// Replay of a URL list: a range of the entries of a URL list window, shown one after another
// from old to new (direction 1) or from new to old (direction 0). At the end of its range it
// ends, or with "replay repeatedly" starts again at the same end; it ends too when the window
// goes.
#pragma once

#include <memory>

#include "navigation/navigator.h"
#include "navigation/url_list_windows.h"

namespace corvisant {

namespace replay_direction {
constexpr int kNewToOld = 0;
constexpr int kOldToNew = 1;
// The random pick from a list, which shares the range's fields.
constexpr int kRandom = 2;
}  // namespace replay_direction

class UrlRangeNavigator : public Navigator {
 public:
  UrlRangeNavigator(std::unique_ptr<UrlListWindowList> window, int low, int high, int current,
                    int direction);

  int kind() const override { return navigator_kind::kUrlRange; }
  std::string nextUrl() override;

  int current() const { return current_; }

 protected:
  // The window's list while the window is open; false (and forgotten) once it has gone.
  bool WindowStillOpen();

  std::unique_ptr<UrlListWindowList> window_;
  int current_;
  int direction_;
  int low_;
  int high_;
};

// The URL list window's "replay selected range" (old to new or new to old): a replay of the
// selection, starting at its old or new end, made the current run in place of the old one and
// stepped at once. False (nothing changed) when nothing is selected or the link is down.
bool ReplaySelectedRange(std::unique_ptr<UrlListWindowList> list, int direction);
// The controller's replay buttons: the old run and the Visit-tag run stopped, the queue cleared,
// and the frontmost list window's whole list replayed in direction from the entry next to its
// first selected one (wrapping round). False when no list window is open, its list is empty or
// the link is down; then no run is left.
bool StartWholeListReplay(int direction);

}  // namespace corvisant
