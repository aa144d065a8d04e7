#include "navigation/depth_first_navigator.h"

#include <unordered_set>

namespace corvisant {

void DepthFirstNavigator::removeDuplicateLinks(std::vector<std::string>& links) {
  std::unordered_set<std::string> seen;
  std::vector<std::string> kept;
  kept.reserve(links.size());
  for (std::string& link : links) {
    if (seen.insert(link).second) kept.push_back(std::move(link));
  }
  links = std::move(kept);
}

void DepthFirstNavigator::pageLoaded(std::string_view url, const HtmlToken*,
                                     const std::vector<std::string>* links) {
  MarkVisited(url);
  if (links == nullptr) return;
  std::vector<std::string> ordered = *links;
  removeDuplicateLinks(ordered);
  reorderLinks(ordered);
  for (auto link = ordered.rbegin(); link != ordered.rend(); ++link) {
    // Visited links are pushed too: nextUrl pops them when it meets them.
    if (std::optional<std::string> followed = FollowLink(*link, url)) Push(*followed);
  }
  pageDone = 1;
}

// The record above the top is written over; the stack only grows the file when it is deeper
// than it ever was.
void DepthFirstNavigator::Push(const std::string& url) {
  if (linkStore == nullptr) return;
  int top = linkStore->GetCursor() + 1;
  bool written =
      top < linkStore->Count() ? linkStore->ReplaceUrlNow(top, url) : linkStore->AppendUrlNow(url);
  if (written) linkStore->SetCursor(top);
}

std::string DepthFirstNavigator::nextUrl() {
  if (!Running() || linkStore == nullptr) return std::string();
  for (int top = linkStore->GetCursor(); top >= 0; top = linkStore->GetCursor()) {
    std::string url = linkStore->CurrentUrl();
    if (url.empty() || IsVisited(url)) {
      linkStore->SetCursor(top - 1);
      continue;
    }
    MarkVisited(url);
    if (InScope(url)) return url;
    linkStore->SetCursor(top - 1);
  }
  return std::string();
}

NavigatorPtr MakeDepthFirstNavigator() { return std::make_unique<DepthFirstNavigator>(); }

}  // namespace corvisant
