#include "navigation/result_page_reading.h"

#include "html/attributes.h"
#include "html/tag_table.h"
#include "url/store_names.h"
#include "url/text_helpers.h"
#include "url/url_parts.h"

namespace corvisant {

const std::string* TextOf(const HtmlToken& token) {
  return token.tagId == tag_id::kText && token.text ? &*token.text : nullptr;
}

bool IsStartTag(const HtmlToken& token, int tagId) {
  return token.tagId == tagId && token.isEnd == 0;
}

bool IsEndTag(const HtmlToken& token, int tagId) {
  return token.tagId == tagId && token.isEnd != 0;
}

std::string_view RawTagText(const HtmlToken& token) {
  return token.isEnd == 0 && token.startTagText ? std::string_view(*token.startTagText)
                                                : std::string_view();
}

std::optional<std::string> AnchorHref(const HtmlToken& token) {
  if (!IsStartTag(token, tag_id::kAnchor) || !token.startTagText) return std::nullopt;
  std::size_t valueOffset = 0;
  return FindAttribute(*token.startTagText, std::string_view(), "href", &valueOffset);
}

bool IsHttpLink(std::string_view href) { return StartsWith(href, "http://"); }

std::string ResolvedLink(std::string_view href, std::string_view pageUrl) {
  std::string resolved;
  ResolveUrl(href, pageUrl, &resolved);
  UnmapStoreChars(resolved);
  return resolved;
}

}  // namespace corvisant
