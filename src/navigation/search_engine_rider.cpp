#include "navigation/search_engine_rider.h"

#include "navigation/navigation_state.h"
#include "navigation/next_result_page.h"
#include "navigation/recording_pipeline.h"
#include "navigation/request_queue.h"
#include "navigation/result_links.h"
#include "platform/ports.h"
#include "url/text_helpers.h"

namespace corvisant {
namespace {

void ForceNextFetch() {
  if (NavigationState* navigation = Current<NavigationState>()) navigation->forceNextFetch = 1;
}

bool IsNewsOrMailLink(std::string_view link) {
  return StartsWith(link, "news:") || StartsWith(link, "mailto:");
}

}  // namespace

SearchEngineRider::SearchEngineRider() { ForceNextFetch(); }

void SearchEngineRider::setStartUrl(std::string_view url) { startUrl = std::string(url); }

void SearchEngineRider::pageLoaded(std::string_view url, const HtmlToken* tags,
                                   const std::vector<std::string>*) {
  visited_.Add(url);
  const SearchEngineEntry* entry = SearchEngineEntryOf(url);
  if (engine_ == nullptr) engine_ = entry;
  if (entry != nullptr && entry == engine_) {
    if (!links_) {
      links_ = ResultLinks(engine_->engine, url, tags);
      linkIndex_ = -1;
    }
    NextResultPage next = NextPageOf(*engine_, url, tags);
    nextPageUrl_ = std::move(next.url);
    minLinks_ = next.minLinks;
  }
  if (minLinks_ != 0 && nextPageUrl_ && links_ &&
      static_cast<long long>(links_->size()) < minLinks_) {
    nextPageUrl_.reset();
  }
  pageDone = 1;
}

std::string SearchEngineRider::nextUrl() {
  if (startUrl) {
    std::string start = std::move(*startUrl);
    startUrl.reset();
    return start;
  }
  if (links_) {
    while (++linkIndex_ < static_cast<long long>(links_->size())) {
      const std::string& link = (*links_)[static_cast<std::size_t>(linkIndex_)];
      if (IsNewsOrMailLink(link) || visited_.Contains(link)) continue;
      visited_.Add(link);
      return link;
    }
  }
  std::string next = NextResultPageUrl();
  links_.reset();
  linkIndex_ = -1;
  return next;
}

// The results are used up: the search goes on on its next page, which is fetched and scanned
// afresh and is shown 30 s longer than an ordinary page before the next step. A next page that
// the run has already loaded or offered would only lead round the same pages again (a URL that
// asks for no results per page builds itself as its own next page), so it ends the run.
std::string SearchEngineRider::NextResultPageUrl() {
  bool heldLinks = links_ && !links_->empty();
  std::optional<std::string> next = std::move(nextPageUrl_);
  nextPageUrl_.reset();
  if (!heldLinks || !next || visited_.Contains(*next)) return std::string();
  if (RequestQueue* queue = Current<RequestQueue>()) queue->clear();
  ForceNextFetch();
  UnixTime later = Current<Clock>()->Now() + kNextResultPageGrace;
  if (NavigationState* navigation = Current<NavigationState>()) navigation->lastStepTime = later;
  if (RecordingPipeline* pipeline = Current<RecordingPipeline>()) pipeline->pendingOpenTime = later;
  return *next;
}

NavigatorPtr MakeSearchEngineRider() { return std::make_unique<SearchEngineRider>(); }

}  // namespace corvisant
