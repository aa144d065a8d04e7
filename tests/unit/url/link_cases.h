// Table rows for the operations that turn a link found in a page into another text: the link,
// the page's URL, the expected text and result.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace corvisant::testing {

struct LinkCase {
  std::string link;
  std::string base;
  std::string out;
  bool made;
};

using LinkOperation = bool (*)(std::string_view link, std::string_view base, std::string* out);

template <std::size_t N>
void ExpectLinks(LinkOperation operation, const LinkCase (&cases)[N]) {
  for (const LinkCase& c : cases) {
    std::string out = "unset";
    EXPECT_EQ(operation(c.link, c.base, &out), c.made) << c.link << " in " << c.base;
    EXPECT_EQ(out, c.out) << c.link << " in " << c.base;
  }
}

}  // namespace corvisant::testing
