// "create URL list from selection": the selected entries of a URL list window copied into a new
// list on two fresh temporary files, in the same order as the source shows them, named
// "Selected URLs %d" with a counter of the process (or, for the Finder, by its search word).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "history/history_entry.h"
#include "history/url_list.h"

namespace corvisant {

// The size numbers the list window commands give a new list.
constexpr int kSelectionListSize = 300;

// Decides which entries a filtered copy keeps (the Finder's entry matcher) and when it stops.
class SelectionFilter {
 public:
  virtual ~SelectionFilter() = default;
  virtual std::string_view word() = 0;
  virtual bool Accepts(const HistoryEntry& entry) = 0;
  virtual bool Stopped() = 0;
};

// "Selected URLs 0" for the first unfiltered list of the process, "Selected URLs 1" next, ...
std::string TakeSelectionListName();

// The entries of rows firstRow to lastRow of source (newest first, as the window lists them) that
// the filter accepts (all without one), in a new list oldest first like every list, named and
// sized. Entries that cannot be read are left out. Null when no selection was given or the
// temporary files could not be made.
std::unique_ptr<UrlList> CopySelectionToNewList(UrlListFile& source, int firstRow, int lastRow,
                                                SelectionFilter* filter);

}  // namespace corvisant
