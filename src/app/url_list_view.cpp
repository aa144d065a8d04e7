#include "app/url_list_view.h"

#include <algorithm>
#include <limits>

#include "common/process_wide.h"
#include "common/times.h"
#include "url/store_names.h"
#include "views/annotation_store.h"

namespace corvisant {

std::string ListLineText(UrlListFile& list, int row) {
  HistoryEntryPtr entry = list.ReadEntryFromNewest(row);
  if (!entry) return std::string(kUnreadableEntryLine);
  return FormatLocalDisplayLine(entry->time, entry->title);
}

int ListRows(UrlListFile& list) {
  return static_cast<int>(std::min<RecordCount>(list.Count(), std::numeric_limits<int>::max()));
}

int RowToListIndex(UrlListFile& list, int row) { return ListRows(list) - row - 1; }

int ListIndexToRow(UrlListFile& list, int index) { return ListRows(list) - index - 1; }

namespace {

std::string OfferedUrl(HistoryEntryPtr entry, bool localDisk) {
  if (!entry) return std::string();
  std::string url = std::move(entry->url);
  if (!localDisk) return url;
  // No local copy to show: the field stays empty rather than offering the site instead.
  if (!UrlToStoreFileUrl(url) || !LocalFileExists(url)) return std::string();
  return url;
}

}  // namespace

std::string RowUrl(UrlListFile& list, int row, bool localDisk) {
  if (row < 0) return std::string();
  return OfferedUrl(list.ReadEntryFromNewest(row), localDisk);
}

std::string ListIndexUrl(UrlListFile& list, int index, bool localDisk) {
  if (index < 0) return std::string();
  return OfferedUrl(list.ReadEntryFromOldest(index), localDisk);
}

std::string RowAnnotation(UrlListFile& list, int row) {
  AnnotationStore* annotations = Current<AnnotationStore>();
  if (row < 0 || annotations == nullptr) return std::string();
  HistoryEntryPtr entry = list.ReadEntryFromNewest(row);
  return entry ? annotations->Get(entry->url) : std::string();
}

Activation ActivationFor(bool linkOn, std::string_view urlField) {
  if (!linkOn) return Activation::kNothing;
  // An empty field (no local copy, an unreadable entry) has no page to open.
  if (urlField.empty()) return Activation::kBeep;
  return LocalFileExists(urlField.substr(0, kUrlFieldMax)) ? Activation::kOpen : Activation::kBeep;
}

Shortcut ShortcutKeys::KeyDown(int virtualKey, bool controlDown) {
  bool afterControl = lastKey_ == kControlKey && controlDown;
  lastKey_ = virtualKey;
  if (!afterControl) return Shortcut::kNone;
  if (virtualKey == kSelectAllKey) return Shortcut::kSelectAll;
  if (virtualKey == kFinderKey) return Shortcut::kOpenFinder;
  return Shortcut::kNone;
}

}  // namespace corvisant
