#include "standin/core/documents.h"

#include <map>

#include "standin/core/url_text.h"

namespace standin {
namespace {

constexpr std::string_view kIndexFile = "index.html";
constexpr std::string_view kFileScheme = "file";
constexpr std::string_view kHttpScheme = "http";
constexpr char kPortMark = '$';
constexpr std::string_view kBlankPage =
    "<html><head><title>Netscape</title></head><body></body></html>";

std::string EscapeHtml(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '&') {
      out += "&amp;";
    } else {
      out += c;
    }
  }
  return out;
}

Document NotFound(std::string_view url) {
  Document page;
  page.bytes =
      "<html><head><title>404 Not Found</title></head><body><h1>404 Not Found</h1>"
      "<p>The document " +
      EscapeHtml(url) + " was not found.</p></body></html>";
  page.mime = std::string(kHtmlMime);
  page.missing = true;
  return page;
}

// Slashes become backslashes; nothing when a segment is "..".
std::optional<std::string> WindowsRelativePath(std::string_view path) {
  std::string out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    std::string_view segment = path.substr(start, slash - start);
    if (segment == "..") return std::nullopt;
    if (!out.empty() || start > 0) out += '\\';
    out += segment;
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return out;
}

// A directory, or a path ending in a separator, stands for its index page.
Document ReadDiskDocument(Host& host, std::string path, std::string_view url) {
  if (path.empty() || path.back() == '\\') path += kIndexFile;
  LocalFile file = host.ReadFile(path);
  if (file.kind == LocalFile::Kind::kDirectory) {
    path += "\\" + std::string(kIndexFile);
    file = host.ReadFile(path);
  }
  if (file.kind != LocalFile::Kind::kFile) return NotFound(url);
  return Document{std::move(file.bytes), MimeForName(path), false};
}

}  // namespace

std::string MimeForName(std::string_view name) {
  static const std::map<std::string, std::string_view> kTypes = {
      {"html", kHtmlMime},        {"htm", kHtmlMime},
      {"gif", "image/gif"},       {"jpg", "image/jpeg"},
      {"jpeg", "image/jpeg"},     {"png", "image/png"},
      {"css", "text/css"},        {"js", "application/x-javascript"},
      {"txt", "text/plain"},      {"gz", "application/x-gzip"},
      {"zip", "application/zip"}, {"pdf", "application/pdf"},
  };
  std::size_t dot = name.rfind('.');
  std::size_t separator = name.find_last_of("/\\");
  if (dot != std::string_view::npos && (separator == std::string_view::npos || dot > separator)) {
    auto type = kTypes.find(AsciiLower(name.substr(dot + 1)));
    if (type != kTypes.end()) return std::string(type->second);
  }
  return "application/octet-stream";
}

std::optional<SitePlace> SitePlaceFor(std::string_view site_dir, std::string_view url) {
  UrlPieces pieces = SplitUrl(url);
  if (site_dir.empty() || AsciiLower(pieces.scheme) != kHttpScheme || !pieces.has_authority) {
    return std::nullopt;
  }
  std::string host(pieces.authority.substr(0, pieces.authority.find(':')));
  std::size_t colon = pieces.authority.find(':');
  if (colon != std::string_view::npos && colon + 1 < pieces.authority.size()) {
    host += kPortMark + std::string(pieces.authority.substr(colon + 1));
  }
  std::string_view path = pieces.path;
  if (!path.empty() && path[0] == '/') path.remove_prefix(1);
  if (host.empty()) return std::nullopt;
  SitePlace place;
  place.host_directory = std::string(site_dir) + "\\" + host;
  if (std::optional<std::string> relative = WindowsRelativePath(PercentDecode(path))) {
    place.file = place.host_directory + "\\" + *relative;
  }
  return place;
}

std::optional<std::string> DiskPathOfFileUrl(std::string_view url) {
  UrlPieces pieces = SplitUrl(url);
  if (AsciiLower(pieces.scheme) != kFileScheme) return std::nullopt;
  std::string path = PercentDecode(std::string(pieces.authority) + std::string(pieces.path));
  std::size_t start = path.find_first_not_of('/');
  if (start == std::string::npos) return std::nullopt;
  path.erase(0, start);
  const bool has_drive = path.size() >= 2 && (path[1] == '|' || path[1] == ':');
  if (has_drive) {
    path[1] = ':';
  } else {
    path.insert(0, "\\");
  }
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

Document LoadDocument(Host& host, std::string_view site_dir, std::string_view url) {
  if (url == kBlankUrl) return Document{std::string(kBlankPage), std::string(kHtmlMime), false};
  if (std::optional<std::string> disk = DiskPathOfFileUrl(url)) {
    return ReadDiskDocument(host, *disk, url);
  }
  if (std::optional<SitePlace> place = SitePlaceFor(site_dir, url)) {
    if (host.ReadFile(place->host_directory).kind == LocalFile::Kind::kDirectory) {
      return place->file.empty() ? NotFound(url) : ReadDiskDocument(host, place->file, url);
    }
  }
  Fetched fetched = host.Fetch(std::string(url));
  if (!fetched.found) return NotFound(url);
  if (fetched.mime.empty()) fetched.mime = MimeForName(SplitUrl(url).path);
  return Document{std::move(fetched.bytes), std::move(fetched.mime), false};
}

}  // namespace standin
