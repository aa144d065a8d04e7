#include "navigation/url_range_navigator.h"

#include "common/preferences.h"
#include "navigation/navigation_state.h"
#include "platform/ports.h"

namespace corvisant {
namespace {

bool ReplaysRepeatedly() {
  const Preferences* preferences = Current<Preferences>();
  return preferences != nullptr && (preferences->replayMode & replay_mode::kReplayRepeatedly) != 0;
}

// A list is replayed only while the link to the browser is up.
bool LinkUp() {
  const Preferences* preferences = Current<Preferences>();
  return preferences != nullptr && preferences->linkOn != 0;
}

int Modulo(int value, int divisor) { return ((value % divisor) + divisor) % divisor; }

}  // namespace

UrlRangeNavigator::UrlRangeNavigator(std::unique_ptr<UrlListWindowList> window, int low, int high,
                                     int current, int direction)
    : window_(std::move(window)),
      current_(current),
      direction_(direction),
      low_(low),
      high_(high) {}

bool UrlRangeNavigator::WindowStillOpen() {
  if (window_ != nullptr && !window_->WindowExists()) window_.reset();
  return window_ != nullptr;
}

std::string UrlRangeNavigator::nextUrl() {
  using namespace replay_direction;
  if (direction_ == kNewToOld && current_ < low_) {
    if (!ReplaysRepeatedly()) return std::string();
    current_ = high_;
  }
  if (direction_ == kOldToNew && current_ > high_) {
    if (!ReplaysRepeatedly()) return std::string();
    current_ = low_;
  }
  if (!WindowStillOpen()) return std::string();
  std::string url = window_->EntryUrl(current_);
  current_ += direction_ == kOldToNew ? 1 : -1;
  return url;
}

bool ReplaySelectedRange(std::unique_ptr<UrlListWindowList> list, int direction) {
  int low = -1;
  int high = -1;
  if (!LinkUp() || list == nullptr || !list->SelectedRange(&low, &high)) return false;
  int start = direction == replay_direction::kOldToNew ? low : high;
  MakeNavigatorCurrent(
      std::make_unique<UrlRangeNavigator>(std::move(list), low, high, start, direction));
  return true;
}

bool StartWholeListReplay(int direction) {
  StopNavigationRun(true);
  NavigationState* navigation = Current<NavigationState>();
  UrlListWindows* windows = Current<UrlListWindows>();
  std::unique_ptr<UrlListWindowList> list = windows != nullptr ? windows->FrontmostList() : nullptr;
  int count = list != nullptr ? list->Count() : 0;
  if (navigation == nullptr || count <= 0 || !LinkUp()) return false;
  int next = list->FirstSelectedIndex() + (direction == replay_direction::kOldToNew ? 1 : -1);
  navigation->currentNavigator = std::make_unique<UrlRangeNavigator>(
      std::move(list), 0, count - 1, Modulo(next, count), direction);
  UnixTime now = Current<Clock>()->Now();
  navigation->lastStepTime = now;
  NoteRunStart(now);
  navigation->currentNavigator->step();
  return true;
}

}  // namespace corvisant
