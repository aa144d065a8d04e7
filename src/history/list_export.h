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
// left out. The list is read a block of records at a time under its lock. Each file is written
// beside its destination and takes its place only when whole: a file that cannot be written whole
// is reported (40005), the destination stays as it was, and the export ends: false. A destination
// that is one of the list's own files (UrlListFile::IsOwnFile) is refused the same way.
bool SaveAsHotlist(UrlListFile& list, const std::string& path);
// href is the entry's URL, or with useLocalCopies the "file:" URL of its local copy.
bool SaveAsVisitList(UrlListFile& list, const std::string& path, bool useLocalCopies,
                     int spendSeconds);
// Writes baseName + ".urli" and baseName + ".urld". A list whose records all name data file 1
// is copied as it stands; one whose texts lie in other data files (a history past its first
// data file) is written entry by entry into the one ".urld", so that the pair holds every text
// it lists. Neither file takes its place unless both were written whole, and the ".urld" not
// when the ".urli" could not take its place.
bool SaveAsUrlList(UrlListFile& list, const std::string& baseName);

}  // namespace corvisant
