// ResolveUrl on any link and page (split at the first NUL byte): a link with a scheme (read as a
// browser reads it) comes back as it is; anything else becomes a URL within the buffer, or is
// refused with nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_target.h"
#include "url/url.h"

CORVISANT_FUZZ_TARGET(url_resolve) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t split = input.find('\0');
  std::string_view link = input.substr(0, split);
  std::string_view base = split == std::string_view::npos ? "" : input.substr(split + 1);

  std::string out = "unset";
  bool made = corvisant::ResolveUrl(link, base, &out);
  // The link as a browser reads it, a backslash before the query a "/".
  corvisant::UrlParts parts;
  corvisant::ParseUrl(corvisant::WithSlashes(link), &parts);
  if (parts.scheme.present()) {
    if (made || out != link) std::abort();
    return;
  }
  if (made && (out.empty() || out.size() > corvisant::kMaxUrlLength)) std::abort();
  if (!made && !out.empty()) std::abort();
}
