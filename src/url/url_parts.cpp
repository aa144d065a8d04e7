#include "url/url_parts.h"

#include <cstring>

#include "url/classify.h"
#include "url/store_names.h"
#include "url/text_helpers.h"

namespace corvisant {
namespace {

constexpr std::string_view kHostMarker = "//";
constexpr std::string_view kCurrentDirectoryPrefix = "./";
constexpr std::string_view kHttpScheme = "http";
constexpr std::string_view kFileScheme = "file";

// Reads "host[:port]" up to the next "/" (consumed). Returns false when the text ends there.
bool ReadHost(std::string_view text, std::size_t* position, UrlParts* parts) {
  std::size_t end = text.find('/', *position);
  std::string_view hostAndPort = text.substr(
      *position, end == std::string_view::npos ? std::string_view::npos : end - *position);
  std::size_t colon = hostAndPort.find(':');
  parts->host.Set(hostAndPort.substr(0, colon));
  if (colon != std::string_view::npos) parts->port.Set(hostAndPort.substr(colon + 1));
  if (end == std::string_view::npos) return false;
  *position = end + 1;
  return *position < text.size();
}

void ReadPathAndFragment(std::string_view rest, UrlParts* parts) {
  std::size_t hash = rest.find('#');
  std::string_view path = rest.substr(0, hash);
  if (StartsWith(path, kCurrentDirectoryPrefix)) path.remove_prefix(kCurrentDirectoryPrefix.size());
  if (StartsWith(path, kHostMarker)) {
    std::size_t slashes = path.find_first_not_of('/');
    path.remove_prefix((slashes == std::string_view::npos ? path.size() : slashes) - 1);
  }
  parts->path.Set(path);
  if (hash != std::string_view::npos) parts->fragment.Set(rest.substr(hash + 1));
}

// Where reading goes on after the scheme and host, or npos when the URL ends with its host.
std::size_t ReadSchemeAndHost(std::string_view text, UrlParts* parts) {
  std::size_t firstSlash = text.find('/');
  std::size_t colon = text.substr(0, firstSlash).find(':');
  std::size_t position = 0;
  if (colon != std::string_view::npos && colon > 0) {
    parts->scheme.Set(text.substr(0, colon));
    position = colon + 1;
    bool hostFollows = StartsWith(text.substr(position), kHostMarker);
    if (hostFollows) position += kHostMarker.size();
    if (parts->scheme.view() == kFileScheme || !hostFollows) return position;
    return ReadHost(text, &position, parts) ? position : std::string_view::npos;
  }
  // No scheme, or an empty one: "//" makes a host of the web, else the whole text is a path.
  if (colon == 0) position = 1;
  if (StartsWith(text.substr(position), kHostMarker)) {
    parts->scheme.Set(kHttpScheme);
    position += kHostMarker.size();
    return ReadHost(text, &position, parts) ? position : std::string_view::npos;
  }
  return 0;
}

void Append(std::string* out, const UrlPart& part) { out->append(part.str()); }

// A URL whose path a browser walks (RemoveDotSegments): one of the web's, "ftp", "file", or a
// relative one.
bool ReadsPathsAsBrowser(const UrlParts& parts) {
  std::string_view scheme = parts.scheme.view();
  return parts.scheme.absent() || IsWebScheme(scheme) || IsFtpScheme(scheme) ||
         IsFileScheme(scheme);
}

}  // namespace

const std::string& SharedEmptyString() {
  static const std::string empty;
  return empty;
}

bool ParseUrl(std::string_view text, UrlParts* parts) {
  FreeUrlParts(parts);
  std::size_t blanks = text.find_first_not_of(' ');
  text.remove_prefix(blanks == std::string_view::npos ? text.size() : blanks);
  std::size_t position = ReadSchemeAndHost(text, parts);
  if (position != std::string_view::npos && position < text.size()) {
    ReadPathAndFragment(text.substr(position), parts);
  }
  if (parts->scheme.view() == kHttpScheme && parts->host.empty()) parts->scheme.Clear();
  return true;
}

std::string ComposeUrl(UrlParts& parts, bool mapPath) {
  std::string out;
  if (parts.scheme.present()) {
    Append(&out, parts.scheme);
    out += ':';
    out += kHostMarker;
  }
  Append(&out, parts.host);
  if (parts.port.present()) {
    out += ':';
    Append(&out, parts.port);
  }
  if (parts.path.present()) {
    if (mapPath && parts.scheme.view() != kFileScheme) MapToStoreChars(parts.path.mutable_text());
    if (parts.host.present() && !StartsWith(parts.path.view(), "/")) out += '/';
    Append(&out, parts.path);
  }
  if (parts.fragment.present()) {
    out += '#';
    Append(&out, parts.fragment);
  }
  if (out.size() > kMaxUrlLength) return std::string();
  return out;
}

void FreeUrlParts(UrlParts* parts) {
  parts->scheme.Clear();
  parts->host.Clear();
  parts->port.Clear();
  parts->path.Clear();
  parts->fragment.Clear();
}

bool SameUrl(const char* a, const char* b) {
  if (a == b) return true;
  if (a == nullptr || b == nullptr) return false;
  return SameUrl(std::string_view(a), std::string_view(b));
}

bool SameUrl(std::string_view a, std::string_view b) {
  UrlParts first, second;
  ParseUrl(a, &first);
  ParseUrl(b, &second);
  return first.scheme.str() == second.scheme.str() && first.host.str() == second.host.str() &&
         first.port.str() == second.port.str() && first.path.str() == second.path.str();
}

std::string ParentDirectory(std::string_view path, int n) {
  int toSkip = n;
  for (std::size_t i = path.size(); i-- > 0;) {
    if (path[i] != '/') continue;
    if (toSkip-- > 0) continue;
    return i == 0 ? std::string() : std::string(path.substr(0, i + 1));
  }
  return std::string();
}

bool ResolveUrl(std::string_view link, std::string_view base, std::string* out) {
  UrlParts linkParts;
  ParseUrl(WithSlashes(link), &linkParts);
  if (linkParts.scheme.present()) {
    out->assign(link.data(), link.size());
    return false;
  }
  UrlParts result;
  ParseUrl(WithSlashes(base), &result);
  const std::string& basePath = result.path.str();
  std::string linkPath = linkParts.path.str();
  if (linkPath.empty() && !linkParts.fragment.empty() && !basePath.empty()) {
    std::size_t slash = basePath.rfind('/');
    linkPath = basePath.substr(slash == std::string::npos ? 0 : slash + 1);
  }
  // A link that is only a query asks for the base's own file with that query.
  if (StartsWith(linkPath, "?")) {
    linkPath = basePath.substr(0, basePath.find('?')) + linkPath;
  } else if (!StartsWith(linkPath, "/")) {
    linkPath = ParentDirectory(basePath, 0) + linkPath;
  }
  result.path.Set(RemoveDotSegments(linkPath, false));
  result.fragment = linkParts.fragment;
  *out = ComposeUrl(result, true);
  return !out->empty();
}

std::string NormaliseUrlForStore(std::string_view url, int* fragmentLength, bool keepBareFragment) {
  UrlParts parts;
  ParseUrl(WithSlashes(url), &parts);
  int length = parts.fragment.present() ? static_cast<int>(parts.fragment.size()) + 1 : 0;
  if (ReadsPathsAsBrowser(parts) && parts.path.present()) {
    // Without a scheme and a host the URL is relative: its leading steps stay for its page.
    bool relative = parts.scheme.absent() && parts.host.absent();
    parts.path.Set(RemoveDotSegments(parts.path.view(), relative));
  }
  const std::string& path = parts.path.str();
  bool directory = path.empty() || path.back() == '/';
  if (directory && !(keepBareFragment && parts.fragment.present())) {
    parts.path.Set(path + "index.html");
  }
  std::string normalised = ComposeUrl(parts, true);
  if (fragmentLength != nullptr) *fragmentLength = normalised.empty() ? 0 : length;
  return normalised;
}

}  // namespace corvisant
