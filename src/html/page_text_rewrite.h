// The walk over a scanned page that builds its rewritten text: the part of the stored-page
// rewrite that touches no file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "html/html_token.h"
#include "html/stored_page_rewriter.h"

namespace corvisant {

struct PageRewriteSettings {
  // The URL whose local copy the page is, normalised for the store.
  std::string_view pageUrl;
  // How many directories below the store root the page lies (StoredPageDepth of pageUrl).
  int pageDepth = 1;
  // The queue-images decision of this rewrite.
  bool queueImages = false;
  // Local copies are kept and every type of document is recorded.
  bool keepEveryDocument = false;
  // "read and follow Visit Tags".
  bool followVisitTags = false;
};

// The rewritten text of the page text[0, length) (NUL-terminated at length) whose tokens are
// given; *title gets its title, *outcome the links, images and Visit tags met.
std::string RewritePageText(const char* text, std::size_t length, const HtmlToken* tokens,
                            const PageRewriteSettings& settings, std::string* title,
                            RewriteOutcome* outcome);

}  // namespace corvisant
