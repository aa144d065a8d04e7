// What the history store asks of the layers above it: the browser's title of the page it shows,
// and the History window that lists every new visit at its top. Until the browser link and the
// windows install theirs, the title is empty and no window is open.
#pragma once

#include <string>
#include <string_view>

#include "common/process_wide.h"

namespace corvisant {

class BrowserTitleSource {
 public:
  virtual ~BrowserTitleSource() = default;
  // The title of the browser's last active window (at most 512 bytes), or empty.
  virtual std::string GetBrowserTitle() = 0;
};

class HistoryWindowView {
 public:
  virtual ~HistoryWindowView() = default;
  // Puts the display line of a new visit at the top of the History window and shows that
  // entry's URL and annotation; false when the window is not open.
  virtual bool AddVisitLine(std::string_view line) = 0;
};

// Through Current<BrowserTitleSource>() and Current<HistoryWindowView>(), or their "nothing" when
// none is installed.
std::string AskBrowserTitle();
bool ShowVisitLine(std::string_view line);

}  // namespace corvisant
