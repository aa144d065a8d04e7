// The search-engine rider: the user runs a search in the browser and starts the run on its result
// page; the rider shows every result of the page in turn, then opens the search's next result
// page and goes on there, until the engine gives no further page. The engine of the first result
// page it digests is the run's engine; pages of other engines and other sites are only noted as
// visited.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/times.h"
#include "navigation/navigator.h"
#include "navigation/search_engine_table.h"
#include "navigation/visited_set.h"

namespace corvisant {

// How much longer than an ordinary page a next result page is given before the next step.
constexpr UnixTime kNextResultPageGrace = 30;

class SearchEngineRider : public Navigator {
 public:
  // The next page the browser echoes is fetched and scanned, so that the start page is digested
  // even when a fresh copy of it is stored.
  SearchEngineRider();

  // Keeps url as the first page to open, and nothing else: the rider has no link store.
  void setStartUrl(std::string_view url) override;
  int kind() const override { return navigator_kind::kSearchEngineRider; }
  void pageLoaded(std::string_view url, const HtmlToken* tags,
                  const std::vector<std::string>* links) override;
  std::string nextUrl() override;

 private:
  std::string NextResultPageUrl();

  VisitedSet visited_;
  const SearchEngineEntry* engine_ = nullptr;
  long long minLinks_ = 0;
  std::optional<std::vector<std::string>> links_;
  // The index of the result offered last.
  long long linkIndex_ = -1;
  std::optional<std::string> nextPageUrl_;
};

NavigatorPtr MakeSearchEngineRider();

}  // namespace corvisant
