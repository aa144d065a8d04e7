#ifndef STANDIN_CORE_PAGE_SCAN_H_
#define STANDIN_CORE_PAGE_SCAN_H_

// What a browser window shows of an HTML page: its title and the links a person can follow.

#include <string>
#include <string_view>
#include <vector>

#include "standin/core/browser_types.h"

namespace standin {

struct PageFacts {
  std::string title;  // empty when the page has no <title>
  std::vector<Link> links;
};

// The first <title> and every <a href>, links resolved against page_url. Tags and entities
// inside the texts are reduced to plain text with single spaces.
PageFacts ScanPage(std::string_view html, std::string_view page_url);

}  // namespace standin

#endif  // STANDIN_CORE_PAGE_SCAN_H_
