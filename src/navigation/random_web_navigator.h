// Random from the web ("random, from W W W"): depth first, with a page's links shuffled before
// they are pushed, so that the run wanders off along a random link of each page.
#pragma once

#include "navigation/depth_first_navigator.h"

namespace corvisant {

class RandomWebNavigator : public DepthFirstNavigator {
 public:
  int kind() const override { return navigator_kind::kRandomWeb; }
  // 2 x n times: an entry drawn with two rand() values is moved to the end.
  void reorderLinks(std::vector<std::string>& links) override;
};

NavigatorPtr MakeRandomWebNavigator();

}  // namespace corvisant
