// Reading a search engine's result page from its parsed token list: its text nodes, its tags by
// their table ids, and its anchors' targets, as the rider's link and next-page rules need them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "html/html_token.h"

namespace corvisant {

// The text of a text node; null for any other token.
const std::string* TextOf(const HtmlToken& token);
bool IsStartTag(const HtmlToken& token, int tagId);
bool IsEndTag(const HtmlToken& token, int tagId);
// A start tag's text between its angle brackets, as the page writes it; empty for others.
std::string_view RawTagText(const HtmlToken& token);
// The href of an anchor's start tag; nothing for other tokens and anchors without one.
std::optional<std::string> AnchorHref(const HtmlToken& token);
// An href that begins with "http://".
bool IsHttpLink(std::string_view href);
// href resolved against the page's URL, with the store characters turned back; empty when the
// result would be too long to be a URL.
std::string ResolvedLink(std::string_view href, std::string_view pageUrl);

}  // namespace corvisant
