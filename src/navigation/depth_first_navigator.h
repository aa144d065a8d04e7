// Depth first ("depth first, from W W W"): the link store is a stack whose top is the cursor. A
// loaded page's links, duplicates removed, are pushed from the last to the first, so that its
// first link is offered next; a URL stays on the stack when it is offered and is popped when it
// is met again as visited.
#pragma once

#include "navigation/link_following_navigator.h"

namespace corvisant {

class DepthFirstNavigator : public LinkFollowingNavigator {
 public:
  int kind() const override { return navigator_kind::kDepthFirst; }
  void pageLoaded(std::string_view url, const HtmlToken* tags,
                  const std::vector<std::string>* links) override;
  std::string nextUrl() override;

  // The order in which a page's links are pushed: as the page gives them.
  virtual void reorderLinks(std::vector<std::string>& /*links*/) {}
  // Each text keeps its first place only (byte-wise, case-sensitive).
  static void removeDuplicateLinks(std::vector<std::string>& links);

 private:
  void Push(const std::string& url);
};

NavigatorPtr MakeDepthFirstNavigator();

}  // namespace corvisant
