// "jump to the History": from an entry of any URL list window to the history entry of the same
// visit. The history is narrowed by time (it is in time order, newest first) and then scanned
// over a short run for the URL, or for the page that shows the entry's picture.
#pragma once

#include <optional>
#include <string_view>

#include "common/times.h"
#include "history/url_list_file.h"

namespace corvisant {

// The narrowing stops when the range holds fewer entries than this; the scan starts this many
// rows before it.
constexpr int kNarrowedRange = 5;
constexpr int kScanBackRows = 3;

// The time the history is searched for the entry at row of source: its visit time; or, when
// source is the history itself, the modification time of the page's local copy (nothing when it
// has none).
std::optional<UnixTime> JumpTime(UrlListFile& source, int row, bool sourceIsHistory);

// The history row a jump to time t and url selects, or -1 when it selects none (an empty
// history, a scan that ran past the oldest entry, or one that stopped at the current row).
int JumpTarget(UrlListFile& history, UnixTime t, std::string_view url, int currentRow);

// The part of an image URL after its last "/" (a final "/" not counted), which a page that shows
// the picture holds; empty for a URL that names no image.
std::string_view PictureName(std::string_view url);

}  // namespace corvisant
