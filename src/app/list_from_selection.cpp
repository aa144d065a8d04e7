#include "app/list_from_selection.h"

#include <cstdio>

#include "common/process_wide.h"
#include "history/open_files.h"

namespace corvisant {
namespace {

constexpr const char* kSelectionListName = "Selected URLs %d";
constexpr std::size_t kNameSize = 64;

bool CopyRows(UrlListFile& source, int firstRow, int lastRow, SelectionFilter* filter,
              UrlList& target) {
  for (int row = firstRow; row <= lastRow; ++row) {
    if (filter != nullptr && filter->Stopped()) break;
    HistoryEntryPtr entry = source.ReadEntryFromNewest(row);
    if (!entry || (filter != nullptr && !filter->Accepts(*entry))) continue;
    if (!target.AppendEntry(entry->url, entry->title, entry->time)) return false;
  }
  return true;
}

}  // namespace

std::string TakeSelectionListName() {
  static int made = 0;
  char name[kNameSize];
  std::snprintf(name, sizeof name, kSelectionListName, made++);
  return name;
}

std::unique_ptr<UrlList> CopySelectionToNewList(UrlListFile& source, int firstRow, int lastRow,
                                                SelectionFilter* filter) {
  if (firstRow < 0 || lastRow < firstRow) return nullptr;
  auto list = std::make_unique<UrlList>(*Current<OpenFilesTable>());
  if (!CreateTempUrlList(*list)) return nullptr;
  // A list that cannot be written whole is not offered as the selection's copy.
  if (!CopyRows(source, firstRow, lastRow, filter, *list) || !list->ReverseOrder()) return nullptr;
  list->SetName(filter != nullptr ? std::string(filter->word()) : TakeSelectionListName());
  list->SetSizes(kSelectionListSize, kSelectionListSize);
  return list;
}

}  // namespace corvisant
