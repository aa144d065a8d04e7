#include "html/title_extraction.h"

#include <algorithm>

#include "html/html_scanner.h"
#include "html/html_text.h"
#include "html/rewrite_handoffs.h"
#include "html/tag_table.h"
#include "platform/message_ids.h"
#include "url/page_store.h"

namespace corvisant {

std::string TitleFromText(std::string_view text) {
  text = text.substr(0, kMaxTitleLength);
  std::size_t start = 0;
  while (start < text.size() && IsHtmlSpace(text[start])) ++start;
  std::string title(text.substr(start));
  std::replace_if(
      title.begin(), title.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return title;
}

bool TitleAfter(const HtmlToken& titleTag, std::string* title) {
  const HtmlToken* next = titleTag.next.get();
  if (next == nullptr || next->tagId != tag_id::kText || !next->text) return false;
  *title = TitleFromText(*next->text);
  return true;
}

int ExtractTitle(std::string_view relativeName, std::string* title) {
  title->clear();
  std::string path;
  StreamPtr stream = OpenLocalCopy(relativeName, "rb", false, &path);
  if (stream == nullptr) {
    ReportPageFileFailure(message::kCantOpenHtmlForTitle, path);
    return 0;
  }
  std::int64_t size = stream->Size();
  std::size_t wanted =
      size < 0 ? kTitleReadLimit : std::min(static_cast<std::size_t>(size), kTitleReadLimit);
  std::string head(wanted, '\0');
  std::size_t read = stream->Read(head.data(), wanted);
  if (read != wanted) ReportPageFileFailure(message::kCantReadHtmlForTitle, path);
  head.resize(read);
  stream->Close();
  HtmlTokenPtr tokens = ScanHtml(head.c_str(), nullptr);
  for (const HtmlToken* token = tokens.get(); token != nullptr; token = token->next.get()) {
    if (token->tagId == tag_id::kTitle) {
      TitleAfter(*token, title);
      break;
    }
  }
  FreeHtmlTokens(std::move(tokens));
  return 0;
}

}  // namespace corvisant
