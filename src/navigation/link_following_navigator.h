// What the breadth-first, depth-first and random-web navigators share: the visited set, the link
// store on two temporary files with its cursor, the following of a page's links and the scope
// test of the navigation method. Nothing of a run outlives its navigator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "navigation/navigator.h"
#include "navigation/visited_set.h"

namespace corvisant {

class LinkFollowingNavigator : public Navigator {
 public:
  // The visited set and the link store made; the first page the browser shows is fetched and
  // scanned even when a fresh copy of it is stored.
  LinkFollowingNavigator();
  ~LinkFollowingNavigator() override;

 protected:
  // The link of the page at pageUrl as the run follows it: resolved, its store characters turned
  // back and its fragment dropped (a place in a page is that page, and so is an empty link);
  // none when it does not lead to a page the browser can be sent to.
  static std::optional<std::string> FollowLink(std::string_view link, std::string_view pageUrl);
  // The scope of the navigation method: anywhere, within the start's site (its host, byte for
  // byte), or within its directory (a path that begins with the start's directory).
  bool InScope(std::string_view url) const;
  // The run has a start and has not been stopped.
  bool Running() const { return startUrl.has_value() && active != 0; }
  // The visited set keys a URL by the page it names in the store, so that a directory's URL and
  // its default document ("dir/" and "dir/index.html") are one page. A failed lookup counts as
  // visited.
  bool IsVisited(std::string_view url);
  void MarkVisited(std::string_view url);

 private:
  VisitedSet visited_;
};

}  // namespace corvisant
