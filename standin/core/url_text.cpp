#include "standin/core/url_text.h"

#include <cctype>
#include <vector>

namespace standin {
namespace {

bool IsSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

std::size_t SchemeLength(std::string_view url) {
  if (url.empty() || !std::isalpha(static_cast<unsigned char>(url[0]))) return 0;
  std::size_t i = 1;
  while (i < url.size() && IsSchemeChar(url[i])) ++i;
  return i < url.size() && url[i] == ':' ? i : 0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Removes "." and ".." segments so that "a/./b/../c" becomes "a/c".
std::string RemoveDotSegments(std::string_view path) {
  std::vector<std::string_view> kept;
  const bool absolute = !path.empty() && path[0] == '/';
  std::size_t start = absolute ? 1 : 0;
  bool ends_in_directory = false;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    std::string_view segment = path.substr(
        start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
    ends_in_directory = segment == "." || segment == "..";
    if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (segment != ".") {
      kept.push_back(segment);
    }
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  std::string out = absolute ? "/" : "";
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) out += '/';
    out += kept[i];
  }
  if (ends_in_directory && !kept.empty()) out += '/';
  return out;
}

std::string_view DirectoryOf(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

}  // namespace

UrlPieces SplitUrl(std::string_view url) {
  UrlPieces pieces;
  if (std::size_t n = SchemeLength(url)) {
    pieces.scheme = url.substr(0, n);
    url.remove_prefix(n + 1);
  }
  if (url.substr(0, 2) == "//") {
    url.remove_prefix(2);
    std::size_t end = url.find_first_of("/?#");
    pieces.authority = url.substr(0, end);
    pieces.has_authority = true;
    url.remove_prefix(end == std::string_view::npos ? url.size() : end);
  }
  std::size_t rest = url.find_first_of("?#");
  pieces.path = url.substr(0, rest);
  if (rest != std::string_view::npos) pieces.rest = url.substr(rest);
  return pieces;
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
    int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ResolveUrl(std::string_view base, std::string_view ref) {
  while (!ref.empty() && std::isspace(static_cast<unsigned char>(ref.front())))
    ref.remove_prefix(1);
  while (!ref.empty() && std::isspace(static_cast<unsigned char>(ref.back()))) ref.remove_suffix(1);
  if (SchemeLength(ref) > 0) return std::string(ref);
  const UrlPieces b = SplitUrl(base);
  std::string out = std::string(b.scheme) + ":";
  if (ref.substr(0, 2) == "//") return out + std::string(ref);
  if (b.has_authority) out += "//" + std::string(b.authority);
  const UrlPieces r = SplitUrl(ref);
  if (ref.empty() || ref[0] == '#') {
    std::string_view query = b.rest.substr(0, b.rest.find('#'));
    return out + std::string(b.path) + std::string(query) + std::string(ref);
  }
  if (ref[0] == '?') return out + std::string(b.path) + std::string(ref);
  std::string merged =
      ref[0] == '/' ? std::string(r.path) : std::string(DirectoryOf(b.path)) + std::string(r.path);
  if (b.has_authority && (merged.empty() || merged[0] != '/')) merged.insert(0, "/");
  return out + RemoveDotSegments(merged) + std::string(r.rest);
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace standin
