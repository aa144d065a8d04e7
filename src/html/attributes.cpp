#include "html/attributes.h"

#include "html/html_text.h"

namespace corvisant {

namespace {

constexpr char kQuote = '"';

std::size_t SkipSpace(std::string_view text, std::size_t at) {
  while (at < text.size() && IsHtmlSpace(text[at])) ++at;
  return at;
}

}  // namespace

std::optional<std::string> NextAttribute(std::string_view text, std::size_t* cursor,
                                         std::size_t* nameStart, std::size_t* nameEnd,
                                         std::size_t* valueStart) {
  std::size_t at = SkipSpace(text, *cursor);
  if (at >= text.size()) {
    *cursor = text.size();
    return std::nullopt;
  }
  std::size_t start = at;
  while (at < text.size() && text[at] != '=' && !IsHtmlSpace(text[at])) ++at;
  *nameStart = start;
  *nameEnd = at;

  bool sawEquals = false;
  std::size_t after = at;
  for (; after < text.size() && (text[after] == '=' || IsHtmlSpace(text[after])); ++after) {
    sawEquals = sawEquals || text[after] == '=';
  }
  if (!sawEquals) {
    *cursor = at;
    *valueStart = kNoValue;
    return std::string(kValuelessAttribute);
  }

  std::size_t end = after;
  if (after < text.size() && text[after] == kQuote) {
    ++after;
    end = text.find(kQuote, after);
    if (end == std::string_view::npos) end = text.size();
    *cursor = end < text.size() ? end + 1 : end;
  } else {
    while (end < text.size() && !IsHtmlSpace(text[end])) ++end;
    *cursor = end;
  }
  *valueStart = after;
  return std::string(text.substr(after, end - after));
}

std::optional<std::string> FindAttribute(std::string_view tagText, std::string_view skip,
                                         std::string_view attrName, std::size_t* valueOffset) {
  if (tagText.size() <= skip.size()) return std::nullopt;
  std::string_view attributes = tagText.substr(skip.size());
  std::size_t cursor = 0;
  std::size_t nameStart = 0;
  std::size_t nameEnd = 0;
  std::size_t valueStart = kNoValue;
  while (auto value = NextAttribute(attributes, &cursor, &nameStart, &nameEnd, &valueStart)) {
    std::string_view name = attributes.substr(nameStart, nameEnd - nameStart);
    if (!EqualsNoCase(name, attrName)) continue;
    if (valueStart == kNoValue) return std::nullopt;
    if (valueOffset != nullptr) *valueOffset = valueStart;
    return value;
  }
  return std::nullopt;
}

}  // namespace corvisant
