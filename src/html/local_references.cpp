#include "html/local_references.h"

#include <algorithm>

#include "url/classify.h"
#include "url/store_names.h"
#include "url/text_helpers.h"
#include "url/url_parts.h"

namespace corvisant {
namespace {

constexpr std::string_view kCurrentStep = ".";
constexpr std::string_view kParentStep = "..";
constexpr char kSeparator = '/';
constexpr char kFragmentMark = '#';
constexpr char kSchemeEnd = ':';
constexpr char kBlank = ' ';

}  // namespace

int StoredPageDepth(std::string_view pageUrl) {
  UrlParts parts;
  ParseUrl(pageUrl, &parts);
  const std::string& path = parts.path.str();
  // The site directory, then one directory per "/" of the path.
  return 1 + static_cast<int>(std::count(path.begin(), path.end(), kSeparator));
}

std::string_view SchemeOf(std::string_view link) {
  std::size_t start = link.find_first_not_of(kBlank);
  if (start == std::string_view::npos) return std::string_view();
  link.remove_prefix(start);
  std::size_t colon = link.find(kSchemeEnd);
  if (colon == std::string_view::npos || colon > link.find(kSeparator)) return std::string_view();
  return link.substr(0, colon);
}

std::string SafeLocalReference(std::string_view reference, int pageDepth) {
  if (!SchemeOf(reference).empty()) return std::string(reference);
  std::size_t fragment = reference.find(kFragmentMark);
  std::string_view names = reference.substr(0, fragment);
  std::string safe;
  int depth = pageDepth;
  for (;;) {
    std::size_t end = names.find(kSeparator);
    bool last = end == std::string_view::npos;
    std::string_view segment = names.substr(0, end);
    if (segment == kParentStep) {
      safe += segment;
      --depth;
    } else if (segment == kCurrentStep) {
      safe += segment;
    } else {
      safe += SafeStoreSegment(segment, depth == 0, last);
      ++depth;
    }
    if (last) break;
    safe += kSeparator;
    names.remove_prefix(end + 1);
  }
  if (fragment != std::string_view::npos) safe += reference.substr(fragment);
  return safe;
}

std::string MakeLocalReference(std::string_view value, const std::string* baseUrl,
                               std::string_view pageUrl, int pageDepth, std::string* resolved) {
  std::string link(value);
  StripControlBytes(link);
  if (baseUrl != nullptr) {
    std::string absolute;
    ResolveUrl(link, *baseUrl, &absolute);
    // A link that no URL buffer could hold resolved stays as it was.
    if (!absolute.empty()) link = std::move(absolute);
  }
  if (resolved != nullptr) *resolved = link;
  std::string reference;
  MakeStoreRelativeLink(link, pageUrl, &reference);
  std::replace(reference.begin(), reference.end(), '\\', kSeparator);
  return SafeLocalReference(reference, pageDepth);
}

bool ImageLocalName(std::string_view link, std::string_view pageUrl, std::string* imageUrl,
                    std::string* localName) {
  std::string absolute;
  ResolveUrl(link, pageUrl, &absolute);
  if (absolute.empty()) return false;
  UrlParts parts;
  ParseUrl(absolute, &parts);
  if (IsFileScheme(parts.scheme.view()) || parts.host.empty()) return false;
  std::string name = PartsToStoreName(parts);
  name.resize(PercentDecode(name));
  // Decoding may bring back separators, dots or reserved names: the name is made safe again so
  // that the image is saved below its site like any other copy.
  *localName = SafeStoreName(name);
  *imageUrl = std::move(absolute);
  UnmapStoreChars(*imageUrl);
  return true;
}

}  // namespace corvisant
