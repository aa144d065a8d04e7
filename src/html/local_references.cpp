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
constexpr char kPercent = '%';
constexpr std::string_view kWrittenPercent = "%25";
// The bytes a browser drops from the ends of a link: blanks and C0 controls.
constexpr unsigned char kLastEndByte = 0x20;
constexpr std::string_view kFileScheme = "file";
// What a link becomes that names neither a copy nor a web URL: the page itself.
constexpr std::string_view kSamePage = "#";
constexpr int kHexBase = 16;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes a browser hands the file system for a name: every "%" with two hex digits decoded.
std::string Decoded(std::string_view name) {
  std::string bytes;
  for (std::size_t i = 0; i < name.size(); ++i) {
    int high = i + 2 < name.size() && name[i] == kPercent ? HexValue(name[i + 1]) : -1;
    int low = high >= 0 ? HexValue(name[i + 2]) : -1;
    if (low < 0) {
      bytes += name[i];
      continue;
    }
    bytes += static_cast<char>(high * kHexBase + low);
    i += 2;
  }
  return bytes;
}

// A name that a browser decodes into other bytes than a name of the store: a separator, or a name
// that the page store would keep in another form (dots and blanks alone, which the file system
// takes for a step; a device; a trailing dot or blank, which Windows drops).
bool DecodesToAnotherName(std::string_view name, bool first, bool last) {
  if (name.find(kPercent) == std::string_view::npos) return false;
  std::string bytes = Decoded(name);
  return bytes.find_first_of("/\\") != std::string::npos ||
         SafeStoreSegment(bytes, first, last) != bytes;
}

// The name written so that a browser decodes it to its own bytes.
std::string PercentWritten(std::string_view name) {
  std::string written;
  for (char c : name) {
    if (c == kPercent) {
      written += kWrittenPercent;
    } else {
      written += c;
    }
  }
  return written;
}

// The web URL that link leads to from the page, for a link that no reference can name; "#" when
// it leads to none.
std::string WebReference(const std::string& link, std::string_view pageUrl) {
  std::string absolute;
  if (ResolveUrl(link, pageUrl, &absolute)) UnmapStoreChars(absolute);
  UrlParts parts;
  ParseUrl(absolute, &parts);
  std::string_view scheme = parts.scheme.view();
  bool web = (IsWebScheme(scheme) || IsFtpScheme(scheme)) && !parts.host.empty();
  return web ? absolute : std::string(kSamePage);
}

}  // namespace

std::string BrowserReading(std::string_view link) {
  std::string read(link);
  StripControlBytes(read);
  auto isEnd = [](char c) { return static_cast<unsigned char>(c) <= kLastEndByte; };
  std::size_t start = 0;
  while (start < read.size() && isEnd(read[start])) ++start;
  std::size_t end = read.size();
  while (end > start && isEnd(read[end - 1])) --end;
  read = read.substr(start, end - start);
  std::string scheme(SchemeOf(read));
  LowerCaseInPlace(scheme);
  if (scheme == kFileScheme) read.replace(0, kFileScheme.size(), kFileScheme);
  return read;
}

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

std::string SafeLocalReference(std::string_view reference, int pageDepth, bool* inStore) {
  if (inStore != nullptr) *inStore = true;
  if (!SchemeOf(reference).empty()) return std::string(reference);
  std::size_t fragment = reference.find(kFragmentMark);
  std::string_view names = reference.substr(0, fragment);
  std::string safe;
  int depth = pageDepth;
  bool named = false;
  for (;;) {
    std::size_t end = names.find(kSeparator);
    bool last = end == std::string_view::npos;
    std::string_view segment = names.substr(0, end);
    if (!named && segment == kParentStep) {
      safe += segment;
      if (--depth < 0 && inStore != nullptr) *inStore = false;
    } else if (!named && segment == kCurrentStep) {
      safe += segment;
    } else {
      std::string name = SafeStoreSegment(segment, depth == 0, last);
      bool written = depth == 0 || DecodesToAnotherName(name, depth == 0, last);
      safe += written ? PercentWritten(name) : name;
      ++depth;
      named = true;
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
  StoreReference made = MakeStoreReference(link, pageUrl, &reference);
  std::replace(reference.begin(), reference.end(), '\\', kSeparator);
  bool inStore = true;
  std::string safe = SafeLocalReference(reference, pageDepth, &inStore);
  if (made == StoreReference::kTooLong || !inStore || IsFileScheme(SchemeOf(safe))) {
    return WebReference(link, pageUrl);
  }
  return safe;
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
