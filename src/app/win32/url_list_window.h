// The URL list window (class "Corvisant:URLListWindow"): one URL list in a LongListBox, with a
// field for the selected URL, the choice between the page's original site and its local copy,
// and an editor for the entry's annotation. Any number may be open; the one that shows the
// history is the history window. The system keeps no pointers to them: it finds them by class.
// A window owns itself and is deleted when it is destroyed.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/url_list_view.h"
#include "app/win32/tool_window.h"
#include "app/win32/url_list_view_control.h"
#include "common/times.h"
#include "history/history_ports.h"
#include "history/url_list_file.h"

namespace corvisant {

constexpr const char* kUrlListWindowClass = "Corvisant:URLListWindow";
constexpr const char* kMenuBarWindowClass = "Corvisant:MenuBarWindow";

// The window's child controls.
namespace list_control {
constexpr int kView = 200;
constexpr int kAnnotationGroup = 201;
constexpr int kAttach = 202;
constexpr int kRemove = 203;
constexpr int kLocalDisk = 204;
constexpr int kOriginalSite = 205;
constexpr int kUrlField = 206;
constexpr int kAnnotationField = 207;
}  // namespace list_control

// A list window made from a selection opens at the mouse cursor with this size.
constexpr int kNewListWidth = 350;
constexpr int kNewListHeight = 420;

class UrlListWindow : public ToolWindow {
 public:
  // Answers whether the window it was taken from still exists: a replay holds one, and may
  // outlive the window.
  using Liveness = std::shared_ptr<UrlListWindow*>;

  // Opens a window over list (owned), titled, at rect (null: where the system chooses); null
  // when the window could not be made.
  static UrlListWindow* Open(std::unique_ptr<UrlListFile> list, const std::string& title,
                             const RECT* rect);
  // Opens the history window over the process's history at its placed rectangle.
  static UrlListWindow* OpenHistory(const RECT& rect);
  // The frontmost URL list window, and the frontmost one that shows the history; null for none.
  static UrlListWindow* Frontmost();
  static UrlListWindow* FindHistoryWindow();
  // Every open URL list window, frontmost first.
  static std::vector<UrlListWindow*> All();

  const char* ClassName() const override { return kUrlListWindowClass; }
  bool IsHistory() const { return isHistory_; }
  UrlListFile& list() { return *list_; }
  UrlListView& view() { return view_; }
  bool LocalDiskChecked() const;
  Liveness liveness() const { return liveness_; }

  // The URL field and the annotation field show the entry of row (empty for none).
  void ShowRow(int row);
  // Only the URL field, as the local-disk choice gives it.
  void ShowUrlField(int row);
  // A double click: the URL field's page in the browser, or a beep.
  void OpenUrlField();
  // The "URL List Menu" at point (screen coordinates).
  void ShowListMenu(POINT point);
  // A new visit as the history window's line 0, its entry shown in the fields.
  void AddVisitLine(std::string_view line);
  // The history window's jump to the visit at t of url; currentRow is not jumped to again.
  void Jump(UnixTime t, std::string_view url, int currentRow);
  // userFont changed: the list and the two fields take font.
  void TakeNewFont(HFONT font);

  // The URL field's and the annotation field's texts.
  std::string UrlFieldText() const;
  std::string AnnotationFieldText() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage() override;

 private:
  UrlListWindow(std::unique_ptr<UrlListFile> owned, UrlListFile* list, bool isHistory);
  static UrlListWindow* Made(UrlListWindow* window, const std::string& title, const RECT* rect);

  void CreateChildren();
  void Command(int id);
  void ChooseSource(int id);
  void AttachAnnotation();
  void RemoveAnnotation();
  void RememberHistoryPlace();
  HWND Child(int id) const { return ::GetDlgItem(hwnd(), id); }

  std::unique_ptr<UrlListFile> owned_;
  UrlListFile* list_;
  bool isHistory_;
  bool ownsItself_ = false;
  UrlListView view_{*this};
  ShortcutKeys keys_;
  Liveness liveness_;
  // The fields' own shortcut state (Ctrl+A selects all of a field's text).
  ShortcutKeys urlFieldKeys_;
  ShortcutKeys annotationFieldKeys_;
};

// The list window commands of the "URL List Menu" (list_window_commands.cpp).
void CreateListFromSelection(UrlListWindow& window);
void SaveWholeList(UrlListWindow& window, int command);
void JumpToHistory(UrlListWindow& window);
// Brings up the history window: to the top and restored when it is open, else opened at its
// placed and remembered rectangle (history_window.cpp). Null when it could not be opened.
UrlListWindow* BringUpHistoryWindow();
// The "History" item of the menu-bar window's menu follows the history window.
void CheckHistoryMenuItem(bool open);

// The engine's URL-list replay of the window's selected range, direction 1 old to new and 0 new
// to old, while the link to the browser is up; false when it did not start
// (url_list_window_navigation.cpp).
bool ReplayWindowSelection(UrlListWindow& window, int direction);

// The history store's window line: the history window's "Add visit line", false while no
// history window is open.
class HistoryWindowLine : public HistoryWindowView {
 public:
  bool AddVisitLine(std::string_view line) override;
};

}  // namespace corvisant
