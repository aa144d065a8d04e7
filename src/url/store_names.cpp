#include "url/store_names.h"

#include "platform/ports.h"
#include "url/classify.h"

namespace corvisant {
namespace {

constexpr std::string_view kFileUrlStart = "file://";
constexpr std::string_view kDefaultDocumentSuffix = "/index.html";
constexpr std::string_view kDefaultDocument = "index.html";
// Only a text longer than this can end in "/index.html" after something.
constexpr std::size_t kShortestShortenable = 11;

// The rest of a path of the store root in URL form ("/C|/Corvisant/h1/a" gives "h1/a"), or
// false when the path lies outside the store.
bool PathInStore(std::string_view path, std::string_view* rest) {
  const std::string& root = StoreRootUrlPath();
  if (path.size() <= root.size() || !StartsWith(path, root) || path[root.size()] != '/') {
    return false;
  }
  *rest = path.substr(root.size() + 1);
  return true;
}

// "host/path" or "host$port/path", the store name of a URL with a host, before mapping.
std::string SiteName(const UrlParts& parts) {
  std::string name = parts.host.str();
  if (parts.port.present()) name += "$" + parts.port.str();
  return name + "/" + parts.path.str();
}

// The safe store name with "/" separators, as it follows the store root in a "file:" URL.
std::string SafeUrlName(std::string_view name) {
  std::string safe = SafeStoreName(name);
  DosPathToUrlPath(safe);
  return safe;
}

// A directory of the store root that holds a site's copies: its name has a "." (a host name of
// the web) or a "$" (host$port). The data and manual directories have neither.
bool IsSiteDirectory(std::string_view name) {
  return name.find_first_of(".$") != std::string_view::npos;
}

// Cuts "index.html" off a text that ends in "/index.html".
void DropDefaultDocument(std::string& url) {
  if (url.size() > kShortestShortenable && EndsWith(url, kDefaultDocumentSuffix)) {
    url.resize(url.size() - kDefaultDocument.size());
  }
}

}  // namespace

std::string MakeStoreRootUrlPath(std::string_view directory) {
  std::string path = "/" + std::string(directory);
  DosPathToUrlPath(path);
  return path;
}

void StoreLocation::Set(std::string_view directory) {
  if (!directory.empty() && directory.back() == '\\') directory.remove_suffix(1);
  directory_.assign(directory.data(), directory.size());
  urlPath_ = MakeStoreRootUrlPath(directory);
}

void SetStoreRoot(std::string_view directory) {
  if (StoreLocation* root = Current<StoreLocation>()) root->Set(directory);
}

const std::string& StoreRoot() {
  const StoreLocation* root = Current<StoreLocation>();
  return root != nullptr ? root->directory() : SharedEmptyString();
}

const std::string& StoreRootUrlPath() {
  const StoreLocation* root = Current<StoreLocation>();
  return root != nullptr ? root->urlPath() : SharedEmptyString();
}

std::string UrlToStorePath(std::string_view url) {
  std::string normalised = NormaliseUrlForStore(url, nullptr, false);
  if (normalised.empty()) return std::string();
  UrlParts parts;
  ParseUrl(normalised, &parts);
  if (!IsFileScheme(parts.scheme.view())) return SafeStoreName(SiteName(parts));
  std::string_view rest;
  if (!PathInStore(parts.path.view(), &rest)) return std::string();
  return SafeStoreName(rest);
}

std::string PartsToStoreName(UrlParts& parts) {
  // The name of the copy of the URL a browser reads, its dot segments walked.
  if (parts.path.present()) parts.path.Set(RemoveDotSegments(parts.path.view(), false));
  if (IsFileScheme(parts.scheme.view())) {
    return SafeStoreName(parts.path.view().substr(parts.path.empty() ? 0 : 1));
  }
  if (parts.path.present()) MapToStoreChars(parts.path.mutable_text());
  return SafeStoreName(SiteName(parts));
}

bool UrlToStoreFileUrl(std::string& url) {
  std::string normalised = NormaliseUrlForStore(url, nullptr, false);
  if (normalised.empty()) return false;
  UrlParts parts;
  ParseUrl(normalised, &parts);
  bool file = IsFileScheme(parts.scheme.view());
  std::string name =
      file ? std::string(parts.path.view().substr(parts.path.empty() ? 0 : 1)) : SiteName(parts);
  std::string result = std::string(kFileUrlStart) + StoreRootUrlPath() + "/" + SafeUrlName(name);
  if (parts.fragment.present()) result += "#" + parts.fragment.str();
  if (result.size() > kMaxUrlLength) return false;
  if (file && !LocalFileExists(result)) return false;
  url = result;
  return true;
}

std::string StoreFileUrlToUrl(std::string_view url) {
  std::string result(url);
  UrlParts parts;
  ParseUrl(url, &parts);
  std::string_view rest;
  if (IsFileScheme(parts.scheme.view()) && PathInStore(parts.path.view(), &rest)) {
    std::size_t slash = rest.find('/');
    std::string_view site = rest.substr(0, slash);
    if (slash != std::string_view::npos && IsSiteDirectory(site)) {
      std::string path(rest.substr(slash + 1));
      UnmapStoreChars(path);
      std::size_t dollar = site.find('$');
      parts.scheme.Set("http");
      parts.host.Set(site.substr(0, dollar));
      if (dollar != std::string_view::npos) parts.port.Set(site.substr(dollar + 1));
      parts.path.Set(path);
      std::string composed = ComposeUrl(parts, false);
      if (!composed.empty()) result = composed;
    }
  }
  DropDefaultDocument(result);
  return result;
}

bool LocalFileExists(std::string_view url) {
  UrlParts parts;
  ParseUrl(url, &parts);
  if (!IsFileScheme(parts.scheme.view())) return true;
  std::string path(parts.path.view().substr(parts.path.empty() ? 0 : 1));
  UrlPathToDosPath(path);
  return Current<Files>()->Kind(path) != PathKind::kMissing;
}

}  // namespace corvisant
