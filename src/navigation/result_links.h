// The link rules of the search-engine rider: how each engine's result page shows its results, and
// so how they are picked out of the page's tokens. Each rule keeps the page's order and keeps
// duplicates (the rider skips what it has visited when it offers them).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "html/html_token.h"

namespace corvisant {

// The results of engine's page at pageUrl with the tokens from tags on; none for an engine that
// has no rule, or a page without tokens.
std::vector<std::string> ResultLinks(int engine, std::string_view pageUrl, const HtmlToken* tags);

}  // namespace corvisant
