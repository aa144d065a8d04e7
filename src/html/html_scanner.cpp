#include "html/html_scanner.h"

#include <cstring>
#include <string_view>
#include <utility>

#include "html/entities.h"
#include "html/html_text.h"
#include "html/tag_table.h"

namespace corvisant {

namespace {

constexpr char kOpen = '<';
constexpr char kClose = '>';
constexpr char kEndMark = '/';
constexpr char kDeclarationMark = '!';
constexpr std::string_view kCommentOpening = "!--";
constexpr std::string_view kCommentDashes = "--";

// The page being scanned: the buffer and its length (its NUL stands at buffer[length]).
struct Page {
  const char* buffer;
  std::size_t length;
};

// A "<" opens markup when a letter, "/" and a letter, or "!" follows it.
bool OpensMarkup(const Page& page, std::size_t at) {
  char next = page.buffer[at + 1];
  if (IsHtmlLetter(next) || next == kDeclarationMark) return true;
  return next == kEndMark && IsHtmlLetter(page.buffer[at + 2]);
}

// The position of the next "<" that opens markup, or the page's length.
std::size_t FindMarkup(const Page& page, std::size_t from) {
  while (from < page.length) {
    const void* found = std::memchr(page.buffer + from, kOpen, page.length - from);
    if (found == nullptr) break;
    std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - page.buffer);
    if (OpensMarkup(page, at)) return at;
    from = at + 1;
  }
  return page.length;
}

bool InRunAfterDashes(char c) { return c == ' ' || c == '\n' || c == '-'; }

// The position of the ">" that ends the comment whose "<" is at open, or the page's length when
// it never ends. A comment ends at a "--" followed by a run of spaces, line feeds and dashes and
// then ">"; a later start inside the same run would reach the same character, so the search goes
// on after the run.
std::size_t FindCommentEnd(const Page& page, std::size_t open) {
  std::string_view text(page.buffer, page.length);
  std::size_t at = open + 1;
  while ((at = text.find(kCommentDashes, at)) != std::string_view::npos) {
    at += kCommentDashes.size();
    while (at < page.length && InRunAfterDashes(page.buffer[at])) ++at;
    if (at < page.length && page.buffer[at] == kClose) return at;
  }
  return page.length;
}

// Whether the raw tag text's name is certain to give the same id before and after entity
// decoding: decoding changes nothing before the first "&".
bool NameIsPlain(std::string_view raw) {
  for (char c : raw) {
    if (IsHtmlSpace(c)) return true;
    if (c == '&') return false;
  }
  return true;
}

int IdOfTagText(std::string_view text, int* looksLikeHtml) {
  bool isEnd = !text.empty() && text[0] == kEndMark;
  return TagIdOf(isEnd ? text.substr(1) : text, looksLikeHtml);
}

// The token of the tag between open ("<") and close (">"). Its first character is a letter, "/"
// or "!", which decoding leaves where it is.
HtmlTokenPtr MakeTag(const Page& page, std::size_t open, std::size_t close, int* looksLikeHtml) {
  auto token = std::make_unique<HtmlToken>();
  token->sourcePosition = page.buffer + open + 1;
  std::string_view raw(page.buffer + open + 1, close - open - 1);
  token->isEnd = raw[0] == kEndMark ? 1 : 0;
  bool plain = NameIsPlain(raw);
  if (plain) {
    token->tagId = IdOfTagText(raw, looksLikeHtml);
    // Ignored tags keep no copy, so none is made for them.
    if (token->tagId == tag_id::kIgnored) return token;
  }
  std::string copy(raw);
  DecodeEntities(copy);
  if (!plain) {
    token->tagId = IdOfTagText(copy, looksLikeHtml);
    if (token->tagId == tag_id::kIgnored) return token;
  }
  (token->isEnd ? token->endTagText : token->startTagText) = std::move(copy);
  return token;
}

HtmlTokenPtr MakeComment(const Page& page, std::size_t open) {
  auto token = std::make_unique<HtmlToken>();
  token->tagId = tag_id::kComment;
  token->isEnd = 1;
  token->sourcePosition = page.buffer + open + 1;
  return token;
}

HtmlTokenPtr MakeText(const Page& page, std::size_t from, std::size_t to) {
  auto token = std::make_unique<HtmlToken>();
  token->tagId = tag_id::kText;
  token->sourcePosition = page.buffer + from;
  token->text.emplace(page.buffer + from, to - from);
  DecodeEntities(*token->text);
  return token;
}

// Reads the markup whose "<" is at open: gives its token and sets *after to the position after
// its ">". Gives null when the tag or comment never ends.
HtmlTokenPtr ReadMarkup(const Page& page, std::size_t open, std::size_t* after,
                        int* looksLikeHtml) {
  std::string_view rest(page.buffer + open + 1, page.length - open - 1);
  bool isComment = rest.substr(0, kCommentOpening.size()) == kCommentOpening;
  std::size_t close = isComment ? FindCommentEnd(page, open) : rest.find(kClose);
  if (!isComment) close = close == std::string_view::npos ? page.length : open + 1 + close;
  if (close >= page.length) return nullptr;
  *after = close + 1;
  return isComment ? MakeComment(page, open) : MakeTag(page, open, close, looksLikeHtml);
}

}  // namespace

HtmlTokenPtr ScanHtml(const char* buffer, int* looksLikeHtml) {
  int looks = 0;
  HtmlTokenPtr head;
  if (buffer != nullptr) {
    Page page{buffer, std::strlen(buffer)};
    HtmlTokenPtr* tail = &head;
    auto append = [&tail](HtmlTokenPtr token) {
      *tail = std::move(token);
      tail = &(*tail)->next;
    };
    std::size_t at = 0;
    while (at < page.length) {
      std::size_t open = FindMarkup(page, at);
      if (open > at) append(MakeText(page, at, open));
      if (open >= page.length) break;
      HtmlTokenPtr markup = ReadMarkup(page, open, &at, &looks);
      // An unterminated tag or comment ends the scan; the rest of the page is not tokenised.
      if (markup == nullptr) break;
      append(std::move(markup));
    }
  }
  if (looksLikeHtml != nullptr) *looksLikeHtml = looks;
  return head;
}

}  // namespace corvisant
