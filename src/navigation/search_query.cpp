#include "navigation/search_query.h"

#include <algorithm>

namespace corvisant {
namespace {

constexpr long long kNumberLimit = 1000000000000LL;
constexpr int kDecimalBase = 10;
constexpr std::size_t kMinimumDigitSegment = 2;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string_view> QueryValue(std::string_view url, std::string_view key) {
  if (key.empty()) return std::nullopt;
  for (std::size_t at = url.find(key); at != std::string_view::npos; at = url.find(key, at + 1)) {
    if (at == 0 || (url[at - 1] != '?' && url[at - 1] != '&')) continue;
    std::string_view value = url.substr(at + key.size());
    return value.substr(0, value.find('&'));
  }
  return std::nullopt;
}

long long QueryNumber(std::string_view url, std::string_view key, long long fallback) {
  std::optional<std::string_view> value = QueryValue(url, key);
  if (!value) return fallback;
  std::string_view text = *value;
  bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  long long number = 0;
  for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
    number = std::min(number * kDecimalBase + (text[i] - '0'), kNumberLimit);
  }
  return negative ? -number : number;
}

std::optional<std::string_view> DigitSegment(std::string_view url) {
  std::size_t question = url.find('?');
  std::size_t slash = url.rfind('/');
  if (question == std::string_view::npos || slash == std::string_view::npos || slash > question) {
    return std::nullopt;
  }
  std::string_view segment = url.substr(slash + 1, question - slash - 1);
  if (segment.size() < kMinimumDigitSegment ||
      !std::all_of(segment.begin(), segment.end(), IsDigit)) {
    return std::nullopt;
  }
  return segment;
}

}  // namespace corvisant
