#include "views/page_search.h"

#include <string>

#include "url/classify.h"
#include "url/store_files.h"
#include "url/store_names.h"
#include "url/text_helpers.h"
#include "url/url_parts.h"

namespace corvisant {

bool TextContains(std::string_view text, std::string_view word, bool caseSensitive) {
  if (caseSensitive) return ContainsBytes(text.data(), text.size(), word);
  std::string foldedText(text);
  std::string foldedWord(word);
  LowerCaseInPlace(foldedText);
  LowerCaseInPlace(foldedWord);
  return ContainsBytes(foldedText.data(), foldedText.size(), foldedWord);
}

bool StoredPageContains(std::string_view url, std::string_view word, bool caseSensitive) {
  if (IsImageUrl(url)) return false;
  std::string normalised = NormaliseUrlForStore(url, nullptr, false);
  if (normalised.empty()) return false;
  UrlParts parts;
  ParseUrl(normalised, &parts);
  parts.fragment.Clear();
  std::string path = PartsToStoreName(parts);
  std::string page;
  if (path.empty() || !ReadWholeFile(path, &page)) return false;
  return TextContains(page, word, caseSensitive);
}

}  // namespace corvisant
