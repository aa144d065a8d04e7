#include "history/hotlist.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "history/stream_copy.h"
#include "history/text_escapes.h"
#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/page_store.h"
#include "url/store_names.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

constexpr std::string_view kDefaultDocumentTail = "\\index.html";
constexpr std::string_view kExistsProbeMode = "rb";
constexpr std::string_view kReadMode = "rb";
constexpr std::string_view kCreateMode = "wt";

constexpr char kLineFeed = '\n';
// A line's end as a file written in text mode holds it.
constexpr std::string_view kTextModeLineEnd = "\r\n";

// A "<" in a page's title would open a tag in the hotlist page, and a line feed would split its
// line: it shows as a space, as a carriage return does in the history.
std::string TitleForPage(std::string_view title) {
  return ReplaceEach(ReplaceEach(title, '<', "&lt;"), kLineFeed, " ");
}

// The local copy's name relative to the store root, in URL form; empty when there is none.
std::string LocalCopyLink(std::string_view url) {
  std::string fileUrl(url);
  UrlToStoreFileUrl(fileUrl);
  std::string local = UrlToStorePath(fileUrl);
  if (local.empty()) return std::string();
  if (!LocalFileExists(fileUrl)) {
    // A site root whose default document is missing still links to the site's directory.
    bool siteRoot = !url.empty() && url.back() == '/';
    if (!siteRoot || local.size() <= kDefaultDocumentTail.size()) return std::string();
    local.resize(local.size() - kDefaultDocumentTail.size());
    if (Current<Files>()->Kind(local) == PathKind::kMissing) return std::string();
  }
  DosPathToUrlPath(local);
  return local;
}

std::string FormatVisitTime(UnixTime time) {
  std::time_t value = static_cast<std::time_t>(time);
  const std::tm* local = std::localtime(&value);
  std::tm when{};
  if (local != nullptr) {
    when = *local;
  } else {
    when.tm_year = 70;  // a time the C library cannot place shows as the epoch
    when.tm_mday = 1;
  }
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, " %02d/%02d/%02d %02d:%02d:%02d\n", when.tm_year + 1900,
                when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  return stamp;
}

}  // namespace

std::string UrlForAttribute(std::string_view url) {
  return ReplaceEach(ReplaceEach(url, '"', "%22"), kLineFeed, "%0A");
}

std::string HotlistHeader() {
  return "<HTML>\n<base href=\"file://" + StoreRootUrlPath() + "/\">\n";
}

std::string FormatHotlistEntry(std::string_view url, std::string_view title, UnixTime time) {
  std::string line =
      "<li><A HREF=\"" + UrlForAttribute(url) + "\">" + TitleForPage(title) + "</A> ";
  std::string local = LocalCopyLink(url);
  if (!local.empty()) line += "<A HREF=\"" + UrlForAttribute(local) + "\">(*)</A>";
  line += FormatVisitTime(time);
  return line;
}

bool IsValidHotlistName(std::string_view name) {
  // A name that the file system would read as something else (a device such as NUL or COM1, a
  // name it cuts at a trailing dot or space, a step up) is not a plain file of the directory.
  if (name.empty() || name.find_first_of("\\/") != std::string_view::npos) return false;
  return SafeStoreSegment(name, false, true) == name;
}

std::string HotlistPath(std::string_view name) { return DataFilePath(kHotlistDirectory, name); }

std::vector<std::string> HotlistNames() {
  std::vector<std::string> names;
  for (const DirectoryEntry& entry :
       Current<Files>()->List(DataDirectoryPath(kHotlistDirectory), "*")) {
    if (!entry.isDirectory) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

HotlistCreation CreateHotlist(std::string_view name) {
  if (!IsValidHotlistName(name)) return HotlistCreation::kInvalidName;
  Files& files = *Current<Files>();
  std::string path = HotlistPath(name);
  if (files.Open(path, kExistsProbeMode) != nullptr) return HotlistCreation::kExists;
  // Made whole or not at all: a header cut by a full disk would later read as a hotlist.
  if (!WriteWholeFile(path, HotlistHeader(), kCreateMode)) {
    Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateFile, {path});
    return HotlistCreation::kFailed;
  }
  return HotlistCreation::kCreated;
}

HotlistAddition AddNewestToHotlist(std::string_view name, UrlListFile& history) {
  if (!IsValidHotlistName(name)) return HotlistAddition::kNoHotlist;
  // Held while the hotlist is copied and put back, so that two adds never lose one another.
  ListLock lock(history);
  HistoryEntryPtr newest = history.ReadEntryFromNewest(0);
  if (!newest) return HotlistAddition::kNoEntry;
  Files& files = *Current<Files>();
  std::string path = HotlistPath(name);
  // Appending to a hotlist that was never created would make one without its header.
  StreamPtr old = files.Kind(path) == PathKind::kFile ? files.Open(path, kReadMode) : nullptr;
  if (!old) return HotlistAddition::kNoHotlist;
  // The hotlist is written anew beside itself with the line after its bytes (in the file's text
  // form) and put in its place, so that a full disk never leaves a line cut at its end.
  std::string line = FormatHotlistEntry(newest->url, newest->title, newest->time);
  WholeFileWriter writer(path);
  bool written = writer.stream() != nullptr && CopyStreamBytes(*old, *writer.stream(), kToTheEnd) &&
                 writer.stream()->WriteText(ReplaceEach(line, kLineFeed, kTextModeLineEnd));
  old.reset();
  if (!written || !writer.Commit()) {
    Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateFile, {path});
    return HotlistAddition::kNotWritten;
  }
  return HotlistAddition::kAdded;
}

}  // namespace corvisant
