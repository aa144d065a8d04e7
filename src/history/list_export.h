// The three forms in which a whole list leaves the system: a hotlist page, a Visit-tag list for
// the replay, and a ".urli"/".urld" pair that opens again as a list.
#pragma once

#include <string>
#include <string_view>

#include "history/url_list_file.h"

namespace corvisant {

// The Visit-tag list: "<html>\n<visit repeat=1>\n", one "<visit href=\"%s\" spend=%dsecs>\n" per
// entry, "</html>\n".
std::string FormatVisitTagLine(std::string_view href, int spendSeconds);

// Each writes every readable entry of the list, oldest first; an entry that cannot be read is
// left out. A file that cannot be created is reported (40005) and the export ends: false.
bool SaveAsHotlist(UrlListFile& list, const std::string& path);
// href is the entry's URL, or with useLocalCopies the "file:" URL of its local copy.
bool SaveAsVisitList(UrlListFile& list, const std::string& path, bool useLocalCopies,
                     int spendSeconds);
// Writes baseName + ".urli" and baseName + ".urld". A list whose records all name data file 1
// is copied as it stands; one whose texts lie in other data files (a history past its first
// data file) is written entry by entry into the one ".urld", so that the pair holds every text
// it lists. A pair is never saved over itself (reported as a file that cannot be created).
bool SaveAsUrlList(UrlListFile& list, const std::string& baseName);

}  // namespace corvisant
