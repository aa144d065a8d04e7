// A navigator: the strategy that chooses which URL the browser shows next. Crawling, the random
// kinds, the search-engine rider and the replays are its implementations; each answers its kind,
// which other parts of the system test. A run steps page after page until nextUrl has nothing
// left, and then finishes: the controller's navigation buttons come up and the finish sound plays.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/url_list.h"
#include "html/html_token.h"

namespace corvisant {

namespace navigator_kind {
constexpr int kVisitTags = 0;
constexpr int kBreadthFirst = 1;
constexpr int kDepthFirst = 2;
constexpr int kRandomWeb = 3;
constexpr int kUrlRange = 5;
constexpr int kRandomUrlList = 6;
constexpr int kLocalStorage = 7;
constexpr int kSearchEngineRider = 8;
}  // namespace navigator_kind

// The kinds that follow the links of the pages they show, and the replay-like kinds, whose pages
// are not followed (and kept out of the history while replaying, when the user asks).
bool IsLinkFollowingKind(int kind);
bool IsReplayLikeKind(int kind);

// nextUrl fills a buffer of this many bytes: at most one less of URL.
constexpr std::size_t kNextUrlBufferSize = 1024;
// step tries this many candidates that name missing local files before it gives up on them.
constexpr int kStepCandidates = 100;

class Navigator {
 public:
  Navigator() = default;
  virtual ~Navigator() = default;
  Navigator(const Navigator&) = delete;
  Navigator& operator=(const Navigator&) = delete;

  // Files a non-empty url in linkStore (when there is one) and keeps it, its host and its
  // directory (the path up to its last "/") as the start of the run.
  virtual void setStartUrl(std::string_view url);
  virtual int kind() const { return navigator_kind::kVisitTags; }
  // The run is over; whoever meets the navigator next deletes it.
  virtual void stop() { active = 0; }
  virtual int isPageDone() { return pageDone; }
  // The page last opened has been fetched and processed: its URL, its tags and the targets of
  // its links as the page writes them (none for a page that was not processed).
  virtual void pageLoaded(std::string_view url, const HtmlToken* tags,
                          const std::vector<std::string>* links);
  // A URL the browser showed that is no page (a mail or news link).
  virtual void pageVisited(std::string_view url) { pageLoaded(url, nullptr, nullptr); }
  // The next URL to show; empty when there is none left.
  virtual std::string nextUrl() { return std::string(); }

  // Opens the next usable URL in the browser, or finishes the run when there is none.
  void step();
  virtual void finish();

  // The next open bypasses the browser's caches (the first open of a run).
  int forceReload = 1;
  // The page last opened has been seen; the tick steps only when it is set.
  int pageDone = 1;
  int active = 1;
  std::optional<std::string> startUrl;
  std::optional<std::string> startHost;
  std::optional<std::string> startDirectory;
  // The crawl frontier of the link-following kinds: a URL list pair on two temporary files.
  std::unique_ptr<UrlList> linkStore;
};

using NavigatorPtr = std::unique_ptr<Navigator>;

}  // namespace corvisant
