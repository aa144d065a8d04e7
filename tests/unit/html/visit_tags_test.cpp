#include "html/visit_tags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvisant {
namespace {

// The tags are added in order to one list, shown as "href:spend" items and the repeat count.
TEST(AddVisitTag, ReadsItemsInPageOrderAndTheLastRepeat) {
  struct Case {
    const char* name;
    std::vector<std::string> tags;
    std::vector<std::string> items;
    int repeat;
  };
  const Case cases[] = {
      {"a Visit-tag list as exported",
       {"visit repeat=1", "visit href=\"http://h1/a.html\" spend=20secs",
        "visit href=\"http://h1/b.html\" spend=20secs"},
       {"http://h1/a.html:20", "http://h1/b.html:20"},
       1},
      {"spend 5 and repeat 1 until set",
       {"visit href=A", "VISIT HREF=B Spend=7"},
       {"A:5", "B:7"},
       1},
      {"the last repeat wins, on any tag", {"visit repeat=3", "visit href=A repeat=2"}, {"A:5"}, 2},
      {"a tag without href adds no item", {"visit spend=9"}, {}, 1},
      {"numbers are read as far as they go",
       {"visit href=A spend=x", "visit repeat=-2times"},
       {"A:0"},
       -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VisitTagList visits;
    for (const std::string& tag : c.tags) AddVisitTag(&visits, tag);
    std::vector<std::string> items;
    for (const VisitItem& item : visits.items) {
      items.push_back(item.href + ":" + std::to_string(item.spend));
    }
    EXPECT_EQ(items, c.items);
    EXPECT_EQ(visits.repeat, c.repeat);
  }
}

TEST(LeadingDecimal, ReadsTheLeadingDigitsWithinTheIntRange) {
  EXPECT_EQ(LeadingDecimal("30secs"), 30);
  EXPECT_EQ(LeadingDecimal(" +4"), 4);
  EXPECT_EQ(LeadingDecimal("secs"), 0);
  EXPECT_EQ(LeadingDecimal(""), 0);
  EXPECT_EQ(LeadingDecimal("99999999999999999999"), 2147483647);
  EXPECT_EQ(LeadingDecimal("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace corvisant
