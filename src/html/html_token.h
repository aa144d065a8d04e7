// The token list of a page: text runs, tags and comments in the order they stand, as the HTML
// scanner makes them. The list is singly linked; each token owns the one after it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvisant {

struct HtmlToken;
using HtmlTokenPtr = std::unique_ptr<HtmlToken>;

struct HtmlToken {
  HtmlToken() = default;
  HtmlToken(const HtmlToken&) = delete;
  HtmlToken& operator=(const HtmlToken&) = delete;
  // Frees the tokens after this one in a loop, so that a page of any length never recurses.
  ~HtmlToken();

  HtmlTokenPtr next;
  // tag_id::kText for a text run, tag_id::kComment for a comment, otherwise the tag table's id.
  std::int32_t tagId = 0;
  // 1 for an end tag ("</...") and for a comment.
  std::int32_t isEnd = 0;
  // Into the scanned buffer: the character after "<" of a tag or comment, the first character of
  // a text run.
  const char* sourcePosition = nullptr;
  // A start tag's text between "<" and ">", entity-decoded; absent for ignored tags.
  std::optional<std::string> startTagText;
  // A text run's characters, entity-decoded.
  std::optional<std::string> text;
  // An end tag's text between "<" and ">" with its "/", entity-decoded; absent for ignored tags.
  std::optional<std::string> endTagText;
};

// Frees one token taken out of its list and gives back the tokens that followed it.
HtmlTokenPtr FreeHtmlToken(HtmlTokenPtr token);
// Frees a whole list.
void FreeHtmlTokens(HtmlTokenPtr head);

}  // namespace corvisant
