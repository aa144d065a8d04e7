// The Visit tags of a page as the replay reads them: one item per tag with an href, in page
// order, each shown for its "spend" seconds, and how often the whole list is played.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvisant {

// Seconds an item is shown when its tag has no "spend"; times the list is played without a
// "repeat".
constexpr int kDefaultVisitSpend = 5;
constexpr int kDefaultVisitRepeat = 1;

struct VisitItem {
  std::string href;
  int spend = kDefaultVisitSpend;
};

struct VisitTagList {
  std::vector<VisitItem> items;
  int repeat = kDefaultVisitRepeat;
};

// Adds one Visit tag, given by its start-tag text ("visit href=a.html spend=10secs"): an item
// when it has an "href"; a "repeat" on any tag sets the count (the last one met wins).
void AddVisitTag(VisitTagList* visits, std::string_view tagText);

// The decimal value of the leading digits of text, as the C library's atoi reads it (white
// space and a sign first; "30secs" gives 30, text without digits 0); clamped to the int range.
int LeadingDecimal(std::string_view text);

}  // namespace corvisant
