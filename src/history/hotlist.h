// Hotlists: HTML pages of links to visited pages, each line with the visit time and, when the
// page has a local copy, a "(*)" link to it. Named hotlists live in "CorvisantDatabase\hotlist";
// the URL list window exports whole lists in the same form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/times.h"
#include "history/url_list_file.h"

namespace corvisant {

// "<HTML>\n<base href=\"file://%s/\">\n" with the store root in URL form, so that the relative
// "(*)" links reach the local copies.
std::string HotlistHeader();
// The closing line of an exported hotlist; named hotlists have none.
constexpr std::string_view kHotlistEnd = "</html>\n";

// The URL as an attribute value in quotes: a quote, which would end it early, as "%22", and a
// line feed, which would split the line, as "%0A" (the same bytes in a URL).
std::string UrlForAttribute(std::string_view url);

// One entry line: the link with the title, the "(*)" link to the local copy when there is one,
// and the visit time in local time, ending in "\n"; the line's only line feed is that one.
std::string FormatHotlistEntry(std::string_view url, std::string_view title, UnixTime time);

// A user-given hotlist name that names a plain file of the hotlist directory: not empty, without
// "\" or "/", and a name the file system keeps as it stands (no device name such as NUL or COM1,
// no trailing dot or space, no "." or "..", none of the characters a file name cannot hold).
bool IsValidHotlistName(std::string_view name);
// "CorvisantDatabase\hotlist\" + name.
std::string HotlistPath(std::string_view name);

// The names of the hotlists: every file of the hotlist directory, byte-wise ascending, the order
// of the hotlist menus.
std::vector<std::string> HotlistNames();

enum class HotlistCreation { kCreated, kExists, kInvalidName, kFailed };
// Creates the named hotlist holding only the header; an existing one is left as it is. A file
// that cannot be created is reported (40005).
HotlistCreation CreateHotlist(std::string_view name);
enum class HotlistAddition { kAdded, kNoEntry, kNoHotlist, kNotWritten };
// Appends the entry line of the history's newest entry to the named hotlist, the history's lock
// held. The hotlist is written whole beside itself and put in its place: a file that cannot be
// written is reported (40005) and stays as it was.
HotlistAddition AddNewestToHotlist(std::string_view name, UrlListFile& history);

}  // namespace corvisant
