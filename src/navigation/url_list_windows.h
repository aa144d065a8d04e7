// What the replay and the random pick from a URL list ask of the URL list windows (the history
// window or any other list window). The windows live above the engine; they install a
// UrlListWindows as the process-wide object of its type. Until they exist, the tool's simulation
// and the tests install one over a URL list file pair.
#pragma once

#include <memory>
#include <string>

namespace corvisant {

// One list window's list, held by a navigator for as long as it replays or picks from it. The
// holder may outlive the window: it then answers that the window is gone.
class UrlListWindowList {
 public:
  virtual ~UrlListWindowList() = default;

  // The window is still open. Once it has answered false it never answers true again.
  virtual bool WindowExists() = 0;
  // Entries of the list; list indexes run from 0 (the oldest) to Count() - 1 (the newest).
  virtual int Count() = 0;
  // The URL of the entry at a list index, as the window offers it (the original site's URL, or
  // the file: URL of its local copy when the window shows the local disk); empty when the entry
  // cannot be read.
  virtual std::string EntryUrl(int index) = 0;
  // The selection as list indexes: *low the smaller, *high the larger (the window translates
  // its rows). False when nothing is selected.
  virtual bool SelectedRange(int* low, int* high) = 0;
  // The list index of the first selected row, or of row 0 when nothing is selected; -1 when the
  // list is empty.
  virtual int FirstSelectedIndex() = 0;
};

class UrlListWindows {
 public:
  virtual ~UrlListWindows() = default;

  // The list of the frontmost URL list window, or null when no URL list window is open.
  virtual std::unique_ptr<UrlListWindowList> FrontmostList() = 0;
  // The history window is open and its "local disk" button is checked: runs then start from the
  // local copy of the newest visit.
  virtual bool HistoryShowsLocalDisk() = 0;
};

}  // namespace corvisant
