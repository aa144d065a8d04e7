// The portable half of the URL list window: what its list shows in each row, what its URL field
// and annotation field show for a row, what a double click does, and its keyboard shortcuts.
// Rows count from the newest entry (row 0); list indexes, which the replay uses, count from the
// oldest.
#pragma once

#include <string>
#include <string_view>

#include "history/url_list_file.h"

namespace corvisant {

// What a row shows when its entry cannot be read (a damaged index or data file): painting and the
// commands go on past it.
constexpr std::string_view kUnreadableEntryLine = "(this entry cannot be read)";
// The longest text the URL field gives to the browser.
constexpr std::size_t kUrlFieldMax = 1023;

// "%04d/%02d/%02d %02d:%02d:%02d %s": the row's visit time in local time and its title (at most
// 512 bytes), or the unreadable-entry line.
std::string ListLineText(UrlListFile& list, int row);

// The rows a window shows of list: its entries, as many as the list control can count.
int ListRows(UrlListFile& list);

// A row's list index and back (the list's newest entry is row 0 and index Count() - 1).
int RowToListIndex(UrlListFile& list, int row);
int ListIndexToRow(UrlListFile& list, int index);

// The row's URL; with localDisk the "file:" URL of its local copy, or empty when it has none.
// Empty for no row or an entry that cannot be read.
std::string RowUrl(UrlListFile& list, int row, bool localDisk);
// The URL of a list index as the window offers it to the replay.
std::string ListIndexUrl(UrlListFile& list, int index, bool localDisk);

// The annotation of the row's URL; empty for none, no row or no annotation store.
std::string RowAnnotation(UrlListFile& list, int row);

// What a double click does with the URL field's text: nothing while the link to the browser is
// down; open a URL whose page can be shown; beep for an empty field or a local copy that is gone.
enum class Activation { kNothing, kOpen, kBeep };
Activation ActivationFor(bool linkOn, std::string_view urlField);

// The window's shortcuts: a letter pressed right after the Ctrl key, with Ctrl still down.
enum class Shortcut { kNone, kSelectAll, kOpenFinder };
class ShortcutKeys {
 public:
  // The Windows virtual-key codes the shortcuts are made of.
  static constexpr int kControlKey = 0x11;
  static constexpr int kSelectAllKey = 'A';
  static constexpr int kFinderKey = 'F';

  // A key went down; controlDown: the Ctrl key is held.
  Shortcut KeyDown(int virtualKey, bool controlDown);

 private:
  int lastKey_ = 0;
};

}  // namespace corvisant
