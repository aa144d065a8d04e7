#include "html/html_token.h"

#include <utility>

namespace corvisant {

HtmlToken::~HtmlToken() {
  HtmlTokenPtr rest = std::move(next);
  while (rest != nullptr) rest = std::move(rest->next);
}

HtmlTokenPtr FreeHtmlToken(HtmlTokenPtr token) {
  if (token == nullptr) return nullptr;
  return std::move(token->next);
}

void FreeHtmlTokens(HtmlTokenPtr head) { head.reset(); }

}  // namespace corvisant
