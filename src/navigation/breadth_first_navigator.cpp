#include "navigation/breadth_first_navigator.h"

namespace corvisant {

void BreadthFirstNavigator::pageLoaded(std::string_view url, const HtmlToken*,
                                       const std::vector<std::string>* links) {
  MarkVisited(url);
  if (links == nullptr) return;
  for (const std::string& link : *links) {
    std::optional<std::string> followed = FollowLink(link, url);
    if (followed && !IsVisited(*followed) && linkStore != nullptr) {
      linkStore->AppendUrlNow(*followed);
    }
  }
  pageDone = 1;
}

std::string BreadthFirstNavigator::nextUrl() {
  if (!Running() || linkStore == nullptr) return std::string();
  while (linkStore->GetCursor() < linkStore->Count()) {
    std::string url = linkStore->NextUrl();
    if (url.empty() || IsVisited(url)) continue;
    MarkVisited(url);
    if (InScope(url)) return url;
  }
  return std::string();
}

NavigatorPtr MakeBreadthFirstNavigator() { return std::make_unique<BreadthFirstNavigator>(); }

}  // namespace corvisant
