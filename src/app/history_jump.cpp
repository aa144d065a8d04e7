#include "app/history_jump.h"

#include <algorithm>
#include <string>

#include "app/url_list_view.h"
#include "common/process_wide.h"
#include "platform/files.h"
#include "url/classify.h"
#include "url/store_names.h"
#include "url/url_parts.h"
#include "views/page_search.h"

namespace corvisant {
namespace {

// The row's time; an unreadable record counts as the time looked for, which ends the narrowing
// there and leaves the rest to the scan.
UnixTime RowTime(UrlListFile& list, int row, UnixTime t) {
  IndexRecord record;
  return list.ReadRecordFromNewest(row, &record) == 0 ? record.time : t;
}

// The newest row lo of a short range at whose end the visit at t lies.
int NarrowByTime(UrlListFile& history, int count, UnixTime t) {
  int lo = 0;
  int hi = count - 1;
  while (hi - lo >= kNarrowedRange) {
    int middle = (lo + hi) / 2;
    UnixTime time = RowTime(history, middle, t);
    if (time == t) break;
    if (time < t) {
      hi = middle;
    } else {
      lo = middle;
    }
  }
  return lo;
}

}  // namespace

std::string_view PictureName(std::string_view url) {
  if (!IsImageUrl(url)) return std::string_view();
  std::string_view path = url;
  if (!path.empty() && path.back() == '/') path.remove_suffix(1);
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<UnixTime> JumpTime(UrlListFile& source, int row, bool sourceIsHistory) {
  HistoryEntryPtr entry = source.ReadEntryFromNewest(row);
  if (!entry) return std::nullopt;
  if (!sourceIsHistory) return entry->time;
  std::string copy = entry->url;
  if (!UrlToStoreFileUrl(copy) || !HasFilePrefix(copy)) return std::nullopt;
  FileFacts facts;
  std::string path = UrlToStorePath(copy);
  if (path.empty() || !Current<Files>()->Facts(path, &facts)) return std::nullopt;
  return facts.modified;
}

int JumpTarget(UrlListFile& history, UnixTime t, std::string_view url, int currentRow) {
  int count = ListRows(history);
  if (count < 1) return -1;
  std::string_view picture = PictureName(url);
  int exactHit = -1;
  int pictureHit = -1;
  int row = std::max(NarrowByTime(history, count, t) - kScanBackRows, 0);
  for (; row < count; ++row) {
    HistoryEntryPtr entry = history.ReadEntryFromNewest(row);
    if (entry && !picture.empty() && StoredPageContains(entry->url, picture, false)) {
      pictureHit = row;
    }
    if (entry && SameUrl(url, entry->url)) {
      exactHit = row;
      break;
    }
    if ((entry ? entry->time : RowTime(history, row, t)) <= t) break;
  }
  if (row >= count || row == currentRow) return -1;
  if (exactHit >= 0) return exactHit;
  return pictureHit >= 0 ? pictureHit : row;
}

}  // namespace corvisant
