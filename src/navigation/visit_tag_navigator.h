// Replay of Visit tags: the pages a page names in its "visit" tags, each shown for its own spend
// time, the whole list as often as its repeat count says. A Visit-tag page met while another
// list plays takes over and, when it has played, hands back to that list, which goes on with its
// next item. The tick steps the Visit-tag run as soon as the queue is idle and the spend time is
// over.
#pragma once

#include <vector>

#include "html/rewrite_handoffs.h"
#include "html/visit_tags.h"
#include "navigation/navigator.h"

namespace corvisant {

class VisitTagNavigator : public Navigator {
 public:
  explicit VisitTagNavigator(VisitTagList visits);

  std::string nextUrl() override;
  // Ending a Visit-tag list releases no buttons and plays no sound.
  void finish() override { stop(); }

  // The Visit-tag run this one took over from; resumed when this one has played.
  NavigatorPtr previous;

 private:
  std::string HandOver();

  std::vector<VisitItem> items_;
  int repeat_;
  int index_ = -1;
  // This navigator has handed the Visit-tag run back: it only forwards what is asked of it.
  bool handedOver_ = false;
};

// The page processing's Visit tags of one page, which take over as the Visit-tag run.
class VisitTagTakeOver : public VisitTagReplay {
 public:
  void TakeOver(const VisitTagList& visits) override;
};

}  // namespace corvisant
