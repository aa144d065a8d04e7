// Scans any bytes as a page and checks what every consumer of the token list relies on: tokens in
// page order, positions inside the page, the texts each kind keeps, ids from the table, and the
// page itself left untouched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "html/html_scanner.h"
#include "html/tag_table.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using corvisant::fuzzing::Check;

using corvisant::HtmlToken;
namespace tag_id = corvisant::tag_id;

bool IsTableId(int id) {
  if (id == tag_id::kUnknown || id == tag_id::kIgnored) return true;
  for (const auto& entry : corvisant::kHtmlTags) {
    if (entry.id == id) return true;
  }
  return false;
}

void CheckTag(const HtmlToken& token, std::string_view page, std::size_t at) {
  Check(at > 0 && page[at - 1] == '<');
  Check(token.text == std::nullopt);
  bool isEnd = page[at] == '/';
  Check(token.isEnd == (isEnd ? 1 : 0));
  Check(IsTableId(token.tagId));
  const auto& kept = isEnd ? token.endTagText : token.startTagText;
  const auto& other = isEnd ? token.startTagText : token.endTagText;
  Check(other == std::nullopt);
  Check(kept.has_value() == (token.tagId != tag_id::kIgnored));
  if (!kept) return;
  std::size_t close = page.find('>', at);
  Check(close != std::string_view::npos);
  Check(!kept->empty() && kept->size() <= close - at && (*kept)[0] == page[at]);
  Check(kept->find('\0') == std::string::npos);
  std::string_view name = isEnd ? std::string_view(*kept).substr(1) : std::string_view(*kept);
  Check(corvisant::TagIdOf(name) == token.tagId);
}

void CheckToken(const HtmlToken& token, std::string_view page, std::size_t at, std::size_t next) {
  if (token.tagId == tag_id::kText) {
    Check(token.isEnd == 0 && token.text.has_value());
    Check(!token.startTagText && !token.endTagText);
    // Decoding never lengthens, and never makes a NUL.
    Check(!token.text->empty() && token.text->size() <= next - at);
    Check(token.text->find('\0') == std::string::npos);
  } else if (token.tagId == tag_id::kComment) {
    Check(token.isEnd == 1 && at > 0 && page.substr(at - 1, 4) == "<!--");
    Check(!token.text && !token.startTagText && !token.endTagText);
  } else {
    CheckTag(token, page, at);
  }
}

}  // namespace

CORVISANT_FUZZ_TARGET(scan_html) {
  std::string buffer(reinterpret_cast<const char*>(data), size);
  const std::string original = buffer;
  std::string_view page(buffer.c_str());  // the page ends at its first NUL
  int looksLikeHtml = -1;
  corvisant::HtmlTokenPtr head = corvisant::ScanHtml(buffer.c_str(), &looksLikeHtml);
  Check(looksLikeHtml == 0 || looksLikeHtml == 1);
  if (page.empty()) Check(head == nullptr);
  std::size_t previous = 0;
  bool first = true;
  for (const HtmlToken* token = head.get(); token != nullptr; token = token->next.get()) {
    Check(token->sourcePosition >= buffer.c_str());
    std::size_t at = static_cast<std::size_t>(token->sourcePosition - buffer.c_str());
    Check(at < page.size());
    Check(first || at > previous);
    std::size_t next = token->next != nullptr
                           ? static_cast<std::size_t>(token->next->sourcePosition - buffer.c_str())
                           : page.size();
    CheckToken(*token, page, at, next);
    previous = at;
    first = false;
  }
  Check(buffer == original);
}
