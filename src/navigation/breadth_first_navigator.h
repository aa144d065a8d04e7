// Breadth first ("breadth first, from W W W"): the link store is a queue. Every link of a loaded
// page is appended unless it was visited; the queue is read at its cursor, and a URL is put into
// the visited set when it is taken, so that a URL rejected by the scope test is not offered later.
#pragma once

#include "navigation/link_following_navigator.h"

namespace corvisant {

class BreadthFirstNavigator : public LinkFollowingNavigator {
 public:
  int kind() const override { return navigator_kind::kBreadthFirst; }
  void pageLoaded(std::string_view url, const HtmlToken* tags,
                  const std::vector<std::string>* links) override;
  std::string nextUrl() override;
};

NavigatorPtr MakeBreadthFirstNavigator();

}  // namespace corvisant
