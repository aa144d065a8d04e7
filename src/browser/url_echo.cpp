#include "browser/url_echo.h"

namespace corvisant {
namespace {

constexpr char kQuote = '"';
constexpr char kEscape = '\\';

// Reads the URL field that starts after the item's first character into url (cut at
// kEchoUrlMax) and returns the position of its closing quote, or the end of the item.
std::size_t ReadUrlField(std::string_view item, std::string& url) {
  std::size_t i = 1;
  while (i < item.size() && item[i] != kQuote) {
    bool escapedQuote = item[i] == kEscape && i + 1 < item.size() && item[i + 1] == kQuote;
    char c = escapedQuote ? kQuote : item[i] == kEscape ? '/' : item[i];
    if (url.size() < kEchoUrlMax) url += c;
    i += escapedQuote ? 2 : 1;
  }
  return i;
}

}  // namespace

std::optional<UrlEcho> ReadUrlEcho(std::string_view item) {
  item = item.substr(0, item.find('\0'));
  if (item.empty()) return std::nullopt;
  UrlEcho echo;
  std::size_t urlEnd = ReadUrlField(item, echo.url);
  if (urlEnd >= item.size()) return echo;
  std::size_t open = item.find(kQuote, urlEnd + 1);
  if (open == std::string_view::npos) return echo;
  std::string_view rest = item.substr(open + 1);
  echo.mime = std::string(rest.substr(0, rest.find(kQuote)));
  return echo;
}

}  // namespace corvisant
