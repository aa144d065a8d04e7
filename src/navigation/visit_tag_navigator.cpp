#include "navigation/visit_tag_navigator.h"

#include "navigation/navigation_state.h"
#include "platform/ports.h"

namespace corvisant {
namespace {

// How many Visit-tag nextUrl calls are running, one inside the other (a hand-over asks the
// navigator below). Only the outermost one deletes the retired navigator: an inner one could
// otherwise delete a navigator whose own call is still running.
int visitCallDepth = 0;

class VisitCall {
 public:
  VisitCall() { ++visitCallDepth; }
  ~VisitCall() { --visitCallDepth; }
  VisitCall(const VisitCall&) = delete;
  VisitCall& operator=(const VisitCall&) = delete;
  bool outermost() const { return visitCallDepth == 1; }
};

}  // namespace

VisitTagNavigator::VisitTagNavigator(VisitTagList visits)
    : items_(std::move(visits.items)), repeat_(visits.repeat) {}

std::string VisitTagNavigator::nextUrl() {
  NavigationState* navigation = Current<NavigationState>();
  if (navigation == nullptr) return std::string();
  VisitCall call;
  if (call.outermost() && navigation->retiredVisitNavigator.get() != this) {
    navigation->retiredVisitNavigator.reset();
  }
  if (handedOver_) {
    // Asked again within the step that handed over (its candidate named a missing file): the
    // navigator that took the run back answers.
    Navigator* resumed = navigation->visitNavigator.get();
    return resumed != nullptr && resumed != this ? resumed->nextUrl() : std::string();
  }
  if (!active) return std::string();
  ++index_;
  // A list without items has nothing to repeat: it hands over at once.
  while (index_ >= static_cast<int>(items_.size())) {
    if (items_.empty() || --repeat_ < 1) return HandOver();
    index_ = 0;
  }
  const VisitItem& item = items_[static_cast<std::size_t>(index_)];
  navigation->visitDeadline = Current<Clock>()->Now() + item.spend;
  return item.href;
}

// The run goes back to the list below, which goes on where it stood; this navigator is retired
// only once that list has answered, so that nothing deletes it while this call runs.
std::string VisitTagNavigator::HandOver() {
  NavigationState& navigation = *Current<NavigationState>();
  handedOver_ = true;
  // Only the running list has a list below it to hand back to.
  if (navigation.visitNavigator.get() != this) return std::string();
  NavigatorPtr self = std::move(navigation.visitNavigator);
  navigation.visitNavigator = std::move(previous);
  std::string url;
  if (navigation.visitNavigator != nullptr) {
    url = navigation.visitNavigator->nextUrl();
  } else {
    navigation.visitDeadline = 0;
  }
  navigation.retiredVisitNavigator = std::move(self);
  return url;
}

void VisitTagTakeOver::TakeOver(const VisitTagList& visits) {
  NavigationState* navigation = Current<NavigationState>();
  if (navigation == nullptr) return;
  auto taking = std::make_unique<VisitTagNavigator>(visits);
  taking->previous = std::move(navigation->visitNavigator);
  navigation->visitNavigator = std::move(taking);
}

}  // namespace corvisant
