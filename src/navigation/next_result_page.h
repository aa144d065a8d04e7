// The next-page rules of the search-engine rider: the URL of the result page after the current
// one of the same search, built from the current page's URL with the run's engine entry (or found
// in the page), and the fewest results a page must yield for that next page to be worth opening.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "html/html_token.h"
#include "navigation/search_engine_table.h"

namespace corvisant {

struct NextResultPage {
  // None when the engine has no next page, or the URL lacks what the rule needs.
  std::optional<std::string> url;
  // A page that yields fewer results than this has no next page; 0: no minimum.
  long long minLinks = 0;
};

// The next page after the page at url (tokens from tags on) of a search with the engine of entry.
NextResultPage NextPageOf(const SearchEngineEntry& entry, std::string_view url,
                          const HtmlToken* tags);

}  // namespace corvisant
