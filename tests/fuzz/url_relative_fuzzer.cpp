// MakeStoreRelativeLink on any link and page (split at the first NUL byte): a made reference fits
// the URL buffer and has no segment beyond 255 characters; a link it leaves alone comes back as
// it is, mapped or not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_target.h"
#include "url/url.h"

CORVISANT_FUZZ_TARGET(url_relative) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t split = input.find('\0');
  std::string_view link = input.substr(0, split);
  std::string_view base = split == std::string_view::npos ? "" : input.substr(split + 1);

  std::string out;
  bool made = corvisant::MakeStoreRelativeLink(link, base, &out);
  if (made) {
    if (out.size() > corvisant::kMaxUrlLength || corvisant::HasLongSegment(out)) std::abort();
    return;
  }
  std::string mapped(link);
  corvisant::MapToStoreChars(mapped);
  if (out != link && out != mapped) std::abort();
}
