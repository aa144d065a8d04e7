#ifndef STANDIN_CORE_URL_TEXT_H_
#define STANDIN_CORE_URL_TEXT_H_

// The little URL arithmetic a browser needs: splitting, %XX decoding and resolving a link
// against the page it stands on.

#include <string>
#include <string_view>

namespace standin {

struct UrlPieces {
  std::string_view scheme;     // without ":"; empty when the text has none
  std::string_view authority;  // host[:port] after "//"
  bool has_authority = false;
  std::string_view path;
  std::string_view rest;  // "?query#fragment" as it stands
};

UrlPieces SplitUrl(std::string_view url);

// "%41" becomes "A"; a "%" without two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

// The absolute URL that ref names on the page at base.
std::string ResolveUrl(std::string_view base, std::string_view ref);

// Lower-case A-Z only, as file names and tags are compared.
std::string AsciiLower(std::string_view text);

}  // namespace standin

#endif  // STANDIN_CORE_URL_TEXT_H_
