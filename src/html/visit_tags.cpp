#include "html/visit_tags.h"

#include <climits>
#include <cstddef>
#include <optional>
#include <utility>

#include "html/attributes.h"
#include "html/html_text.h"

namespace corvisant {
namespace {

constexpr int kDecimalBase = 10;

std::optional<std::string> Attribute(std::string_view tagText, std::string_view name) {
  std::size_t offset = 0;
  return FindAttribute(tagText, std::string_view(), name, &offset);
}

}  // namespace

int LeadingDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsHtmlSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && IsHtmlDigit(text[i]); ++i) {
    value = value * kDecimalBase + (text[i] - '0');
    // Beyond the int range the value no longer changes what the replay does.
    if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void AddVisitTag(VisitTagList* visits, std::string_view tagText) {
  if (std::optional<std::string> href = Attribute(tagText, "href")) {
    VisitItem item;
    item.href = std::move(*href);
    if (std::optional<std::string> spend = Attribute(tagText, "spend")) {
      item.spend = LeadingDecimal(*spend);
    }
    visits->items.push_back(std::move(item));
  }
  if (std::optional<std::string> repeat = Attribute(tagText, "repeat")) {
    visits->repeat = LeadingDecimal(*repeat);
  }
}

}  // namespace corvisant
