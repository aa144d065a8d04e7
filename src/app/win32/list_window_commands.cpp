// The commands of the "URL List Menu" that reach beyond the window: a new list window from the
// selection, the three exports of the whole list, and the jump to the History.
#include <windows.h>

#include <string>

#include "app/history_jump.h"
#include "app/list_from_selection.h"
#include "app/resources/resource_ids.h"
#include "app/win32/screen.h"
#include "app/win32/url_list_window.h"
#include "app/window_positions.h"
#include "common/preferences.h"
#include "history/list_export.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

// The save dialog's path buffer.
constexpr std::size_t kSavePathSize = 260;

struct SaveChoice {
  const char* extension;  // added to the initial name, with its dot
  const char* filter;     // the dialog's filter: a label and a pattern, each ended by a NUL
  const char* defaultExtension;
};

const SaveChoice kHotlistChoice = {".html", "*.html\0*.html\0", "html"};
const SaveChoice kVisitTagChoice = {".v.html", "*.v.html\0*.v.html\0", "v.html"};
const SaveChoice kUrlListChoice = {"", "*.*\0*.*\0", nullptr};

std::string WindowTitle(HWND window) {
  char title[kSavePathSize] = "";
  ::GetWindowTextA(window, title, sizeof title);
  return title;
}

// The standard save dialog, starting from the window's title as a store name; false when it was
// cancelled.
bool AskSavePath(HWND owner, const SaveChoice& choice, std::string* path) {
  std::string initial = WindowTitle(owner);
  MapToStoreChars(initial);
  initial += choice.extension;
  char buffer[kSavePathSize] = "";
  initial.copy(buffer, sizeof buffer - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = choice.filter;
  dialog.lpstrFile = buffer;
  dialog.nMaxFile = sizeof buffer;
  dialog.lpstrDefExt = choice.defaultExtension;
  dialog.Flags = OFN_PATHMUSTEXIST;
  if (!::GetSaveFileNameA(&dialog)) return false;
  *path = buffer;
  return true;
}

}  // namespace

void CreateListFromSelection(UrlListWindow& window) {
  int first = kNoItem;
  int last = kNoItem;
  if (!window.view().SelectionRange(&first, &last)) return;
  std::unique_ptr<UrlList> list = CopySelectionToNewList(window.list(), first, last, nullptr);
  if (list == nullptr) return;
  POINT cursor{0, 0};
  ::GetCursorPos(&cursor);
  WindowRect place = PlaceWindowAt(cursor.x, cursor.y, kNewListWidth, kNewListHeight, TheScreen());
  RECT rect = ToRect(place);
  std::string title = list->name().value_or(std::string());
  UrlListWindow::Open(std::move(list), title, &rect);
}

void SaveWholeList(UrlListWindow& window, int command) {
  const SaveChoice& choice = command == ID_LIST_SAVE_HOTLIST      ? kHotlistChoice
                             : command == ID_LIST_SAVE_VISIT_TAGS ? kVisitTagChoice
                                                                  : kUrlListChoice;
  std::string path;
  if (!AskSavePath(window.hwnd(), choice, &path)) return;
  ::UpdateWindow(window.hwnd());
  if (command == ID_LIST_SAVE_HOTLIST) {
    SaveAsHotlist(window.list(), path);
  } else if (command == ID_LIST_SAVE_VISIT_TAGS) {
    const Preferences* preferences = Current<Preferences>();
    SaveAsVisitList(window.list(), path, window.LocalDiskChecked(),
                    preferences != nullptr ? preferences->showPage : kDefaultShowPage);
  } else {
    SaveAsUrlList(window.list(), path);
  }
}

void JumpToHistory(UrlListWindow& window) {
  int row = window.view().FirstSelected();
  if (row < 0) return;
  std::optional<UnixTime> time = JumpTime(window.list(), row, window.IsHistory());
  HistoryEntryPtr entry = window.list().ReadEntryFromNewest(row);
  if (!time || !entry) return;
  int current = window.IsHistory() ? row : -1;
  UrlListWindow* history = BringUpHistoryWindow();
  if (history != nullptr) history->Jump(*time, entry->url, current);
}

}  // namespace corvisant
