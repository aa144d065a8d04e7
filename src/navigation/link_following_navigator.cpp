#include "navigation/link_following_navigator.h"

#include "common/preferences.h"
#include "navigation/navigation_state.h"
#include "platform/ports.h"
#include "url/url.h"

namespace corvisant {

LinkFollowingNavigator::LinkFollowingNavigator() {
  if (OpenFilesTable* openFiles = Current<OpenFilesTable>()) {
    linkStore = std::make_unique<UrlList>(*openFiles);
    if (!CreateTempUrlList(*linkStore)) linkStore.reset();
  }
  if (NavigationState* navigation = Current<NavigationState>()) navigation->forceNextFetch = 1;
}

LinkFollowingNavigator::~LinkFollowingNavigator() {
  if (linkStore == nullptr) return;
  std::string indexPath = linkStore->indexPath();
  std::string dataPath = linkStore->dataPath();
  linkStore.reset();
  Files& files = *Current<Files>();
  files.RemoveFile(indexPath);
  files.RemoveFile(dataPath);
}

std::optional<std::string> LinkFollowingNavigator::FollowLink(std::string_view link,
                                                              std::string_view pageUrl) {
  std::string resolved;
  // A link that names no more than a place ("", "#", "#part") is the page it is on; resolved, an
  // empty one would name the page's directory instead.
  if (link.empty() || link.front() == '#') {
    resolved = std::string(pageUrl);
  } else {
    ResolveUrl(link, pageUrl, &resolved);
    UnmapStoreChars(resolved);
  }
  std::size_t fragment = resolved.find('#');
  if (fragment != std::string::npos) resolved.erase(fragment);
  if (resolved.empty() || !IsNavigableUrl(resolved)) return std::nullopt;
  return resolved;
}

namespace {

std::string VisitedKey(std::string_view url) {
  std::string key = NormaliseUrlForStore(url, nullptr, false);
  return key.empty() ? std::string(url) : key;
}

}  // namespace

bool LinkFollowingNavigator::IsVisited(std::string_view url) {
  return visited_.Contains(VisitedKey(url));
}

void LinkFollowingNavigator::MarkVisited(std::string_view url) { visited_.Add(VisitedKey(url)); }

bool LinkFollowingNavigator::InScope(std::string_view url) const {
  using namespace navigation_method;
  const Preferences* preferences = Current<Preferences>();
  int method = preferences != nullptr ? preferences->navigationMethod : 0;
  if ((method & (kWithinCurrentSite | kWithinCurrentDirectory)) == 0) return true;
  UrlParts parts;
  ParseUrl(url, &parts);
  if (!startHost || parts.host.view() != *startHost) return false;
  if ((method & kWithinCurrentSite) != 0) return true;
  std::string_view directory = startDirectory ? std::string_view(*startDirectory) : "";
  return parts.path.view().substr(0, directory.size()) == directory;
}

}  // namespace corvisant
