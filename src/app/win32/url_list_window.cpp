#include "app/win32/url_list_window.h"

#include <commctrl.h>

#include <vector>

#include "app/history_jump.h"
#include "app/resources/resource_ids.h"
#include "app/win32/page_beep.h"
#include "app/win32/screen.h"
#include "app/win32/ui_strings.h"
#include "app/win32/window_fonts.h"
#include "app/window_positions.h"
#include "common/preferences.h"
#include "history/history_file.h"
#include "navigation/browser_control.h"
#include "navigation/url_range_navigator.h"
#include "views/annotation_store.h"

namespace corvisant {
namespace {

using H = Horizontal;
using V = Vertical;

// The fields' shortcut handler's id among the subclasses of a field.
constexpr UINT_PTR kFieldSubclassId = 1;

struct ChildControl {
  int id;
  const char* className;
  UINT label;  // a UI string, or 0 for none
  DWORD style;
  DWORD exStyle;
  LayoutRule rule;
  bool userFont;
};

// Every child but the list, with its layout rule and font.
const ChildControl kChildren[] = {
    {list_control::kUrlField,
     "EDIT",
     0,
     ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE,
     {H::kStretched, V::kTopAnchored, 2, 2, 2, 20},
     true},
    {list_control::kAnnotationGroup,
     "BUTTON",
     IDS_ANNOTATION,
     BS_GROUPBOX,
     0,
     {H::kStretched, V::kBottomAnchored, 2, 100, 2, 2},
     false},
    {list_control::kOriginalSite,
     "BUTTON",
     IDS_ORIGINAL_SITE,
     BS_RADIOBUTTON,
     0,
     {H::kRightAnchored, V::kBottomAnchored, 100, 13, 2, 100},
     false},
    {list_control::kLocalDisk,
     "BUTTON",
     IDS_LOCAL_DISK,
     BS_RADIOBUTTON,
     0,
     {H::kRightAnchored, V::kBottomAnchored, 100, 13, 102, 100},
     false},
    {list_control::kAnnotationField,
     "EDIT",
     0,
     ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL,
     WS_EX_CLIENTEDGE,
     {H::kStretched, V::kBottomAnchored, 8, 80, 80, 8},
     true},
    {list_control::kAttach,
     "BUTTON",
     IDS_ATTACH,
     BS_PUSHBUTTON,
     0,
     {H::kRightAnchored, V::kBottomAnchored, 64, 24, 10, 50},
     false},
    {list_control::kRemove,
     "BUTTON",
     IDS_REMOVE,
     BS_PUSHBUTTON,
     0,
     {H::kRightAnchored, V::kBottomAnchored, 64, 24, 10, 20},
     false},
};
constexpr LayoutRule kViewRule = {H::kStretched, V::kStretched, 2, 24, 2, 116};

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  int length = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// Ctrl+A in a field selects all of its text.
LRESULT CALLBACK FieldShortcuts(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*id*/, DWORD_PTR keys) {
  if (message == WM_KEYDOWN &&
      reinterpret_cast<ShortcutKeys*>(keys)->KeyDown(static_cast<int>(wParam), ControlKeyHeld()) ==
          Shortcut::kSelectAll) {
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    return 0;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(field, FieldShortcuts, kFieldSubclassId);
  return ::DefSubclassProc(field, message, wParam, lParam);
}

constexpr int kClassNameMax = 64;

// The top-level windows in z-order, the URL list windows of this process among them.
BOOL CALLBACK CollectListWindow(HWND window, LPARAM parameter) {
  char className[kClassNameMax] = "";
  ::GetClassNameA(window, className, sizeof className);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (std::string_view(className) != kUrlListWindowClass || process != ::GetCurrentProcessId()) {
    return TRUE;
  }
  if (auto* list = static_cast<UrlListWindow*>(WindowBase::FromHandle(window))) {
    reinterpret_cast<std::vector<UrlListWindow*>*>(parameter)->push_back(list);
  }
  return TRUE;
}

UrlListWindow* FindFrontmost(bool historyOnly) {
  for (UrlListWindow* window : UrlListWindow::All()) {
    if (!historyOnly || window->IsHistory()) return window;
  }
  return nullptr;
}

}  // namespace

UrlListWindow::UrlListWindow(std::unique_ptr<UrlListFile> owned, UrlListFile* list, bool isHistory)
    : owned_(std::move(owned)),
      list_(list),
      isHistory_(isHistory),
      liveness_(std::make_shared<UrlListWindow*>(this)) {}

UrlListWindow* UrlListWindow::Made(UrlListWindow* window, const std::string& title,
                                   const RECT* rect) {
  if (!RegisterToolClass(kUrlListWindowClass) ||
      !window->Create(title.c_str(), ::FindWindowA(kMenuBarWindowClass, nullptr), rect,
                      WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE)) {
    // A window that never came to be was not deleted by its destruction.
    if (!window->ownsItself_) delete window;
    return nullptr;
  }
  window->view_.AttachList(window->list_);
  window->ShowRow(0);
  ::SetFocus(window->Child(list_control::kAnnotationField));
  return window;
}

UrlListWindow* UrlListWindow::Open(std::unique_ptr<UrlListFile> list, const std::string& title,
                                   const RECT* rect) {
  if (list == nullptr) return nullptr;
  UrlListFile* shown = list.get();
  return Made(new UrlListWindow(std::move(list), shown, false), title, rect);
}

UrlListWindow* UrlListWindow::OpenHistory(const RECT& rect) {
  HistoryFile* history = Current<HistoryFile>();
  if (history == nullptr) return nullptr;
  UrlListWindow* window =
      Made(new UrlListWindow(nullptr, history, true), UiString(IDS_HISTORY), &rect);
  if (window != nullptr) CheckHistoryMenuItem(true);
  return window;
}

std::vector<UrlListWindow*> UrlListWindow::All() {
  std::vector<UrlListWindow*> windows;
  ::EnumWindows(CollectListWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

UrlListWindow* UrlListWindow::Frontmost() { return FindFrontmost(false); }

UrlListWindow* UrlListWindow::FindHistoryWindow() { return FindFrontmost(true); }

void UrlListWindow::CreateChildren() {
  ownsItself_ = true;
  RECT none{0, 0, 0, 0};
  if (view_.Create(none, hwnd(), list_control::kView)) Lay(view_.hwnd(), kViewRule);
  WindowFonts* fonts = Current<WindowFonts>();
  for (const ChildControl& control : kChildren) {
    std::string label = control.label != 0 ? UiString(control.label) : std::string();
    HWND child = AddChild(control.className, label.c_str(), control.style, control.exStyle,
                          control.id, control.rule);
    if (child != nullptr && fonts != nullptr) {
      ::SendMessageA(child, WM_SETFONT,
                     reinterpret_cast<WPARAM>(control.userFont ? fonts->user() : fonts->ui()),
                     FALSE);
    }
  }
  if (fonts != nullptr) view_.SetFont(fonts->user(), false);
  ::SendMessageA(Child(list_control::kOriginalSite), BM_SETCHECK, BST_CHECKED, 0);
  ::SetWindowSubclass(Child(list_control::kUrlField), FieldShortcuts, kFieldSubclassId,
                      reinterpret_cast<DWORD_PTR>(&urlFieldKeys_));
  ::SetWindowSubclass(Child(list_control::kAnnotationField), FieldShortcuts, kFieldSubclassId,
                      reinterpret_cast<DWORD_PTR>(&annotationFieldKeys_));
}

bool UrlListWindow::LocalDiskChecked() const {
  return ::SendMessageA(Child(list_control::kLocalDisk), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string UrlListWindow::UrlFieldText() const {
  return WindowText(Child(list_control::kUrlField));
}

std::string UrlListWindow::AnnotationFieldText() const {
  return WindowText(Child(list_control::kAnnotationField));
}

void UrlListWindow::ShowUrlField(int row) {
  ::SetWindowTextA(Child(list_control::kUrlField), RowUrl(*list_, row, LocalDiskChecked()).c_str());
}

void UrlListWindow::ShowRow(int row) {
  ::SetWindowTextA(Child(list_control::kAnnotationField), RowAnnotation(*list_, row).c_str());
  ShowUrlField(row);
}

void UrlListWindow::OpenUrlField() {
  const Preferences* preferences = Current<Preferences>();
  BrowserControl* browser = Current<BrowserControl>();
  bool linkOn = preferences != nullptr && preferences->linkOn && browser != nullptr;
  std::string url = UrlFieldText().substr(0, kUrlFieldMax);
  switch (ActivationFor(linkOn, url)) {
    case Activation::kOpen:
      browser->OpenUrl(url, false);
      break;
    case Activation::kBeep:
      BeepPageNotShown();
      break;
    case Activation::kNothing:
      break;
  }
}

void UrlListWindow::AddVisitLine(std::string_view line) {
  // Text the user is typing into the annotation field stays, with the entry it is meant for.
  HWND annotation = Child(list_control::kAnnotationField);
  bool typing = ::SendMessageA(annotation, EM_GETMODIFY, 0, 0) != 0;
  view_.InsertAtFront(line, typing);
  if (typing) {
    ShowUrlField(view_.FirstSelected());
  } else {
    ShowRow(0);
  }
}

void UrlListWindow::Jump(UnixTime t, std::string_view url, int currentRow) {
  int row = JumpTarget(*list_, t, url, currentRow);
  if (row < 0) return;
  view_.Select(row);
  view_.EnsureVisible(row);
  ShowRow(row);
}

void UrlListWindow::TakeNewFont(HFONT font) {
  view_.SetFont(font, true);
  for (int id : {list_control::kUrlField, list_control::kAnnotationField}) {
    ::SendMessageA(Child(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void UrlListWindow::ChooseSource(int id) {
  ::SendMessageA(Child(list_control::kLocalDisk), BM_SETCHECK,
                 id == list_control::kLocalDisk ? BST_CHECKED : BST_UNCHECKED, 0);
  ::SendMessageA(Child(list_control::kOriginalSite), BM_SETCHECK,
                 id == list_control::kOriginalSite ? BST_CHECKED : BST_UNCHECKED, 0);
  ShowUrlField(view_.FirstSelected());
}

void UrlListWindow::AttachAnnotation() {
  AnnotationStore* annotations = Current<AnnotationStore>();
  HistoryEntryPtr entry = list_->ReadEntryFromNewest(view_.FirstSelected());
  if (annotations == nullptr || !entry) return;
  std::string text = AnnotationFieldText();
  if (text.empty()) {
    annotations->Delete(entry->url);
  } else {
    annotations->Put(entry->url, text);
  }
  ::SendMessageA(Child(list_control::kAnnotationField), EM_SETMODIFY, FALSE, 0);
}

void UrlListWindow::RemoveAnnotation() {
  AnnotationStore* annotations = Current<AnnotationStore>();
  HistoryEntryPtr entry = list_->ReadEntryFromNewest(view_.FirstSelected());
  if (annotations == nullptr || !entry) return;
  annotations->Delete(entry->url);
  ::SetWindowTextA(Child(list_control::kAnnotationField), "");
}

void UrlListWindow::ShowListMenu(POINT point) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_URL_LIST_MENU));
  if (menu == nullptr) return;
  ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_CENTERALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   hwnd(), nullptr);
  ::DestroyMenu(menu);
}

void UrlListWindow::Command(int id) {
  switch (id) {
    case list_control::kAttach:
      AttachAnnotation();
      break;
    case list_control::kRemove:
      RemoveAnnotation();
      break;
    case list_control::kLocalDisk:
    case list_control::kOriginalSite:
      ChooseSource(id);
      break;
    case ID_LIST_FROM_SELECTION:
      CreateListFromSelection(*this);
      break;
    case ID_LIST_REPLAY_OLD_TO_NEW:
      ReplayWindowSelection(*this, 1);
      break;
    case ID_LIST_REPLAY_NEW_TO_OLD:
      ReplayWindowSelection(*this, 0);
      break;
    case ID_LIST_SAVE_HOTLIST:
    case ID_LIST_SAVE_VISIT_TAGS:
    case ID_LIST_SAVE_URL_LIST:
      SaveWholeList(*this, id);
      break;
    case ID_LIST_JUMP_TO_HISTORY:
      JumpToHistory(*this);
      break;
    default:
      break;  // "open Domain View" waits for the Domain View
  }
}

void UrlListWindow::RememberHistoryPlace() {
  Preferences* preferences = Current<Preferences>();
  // A minimised window's place is not one to open at again.
  if (!isHistory_ || preferences == nullptr || ::IsIconic(hwnd())) return;
  RECT frame;
  ::GetWindowRect(hwnd(), &frame);
  SetHistoryPosition(*preferences, ToWindowRect(frame), TheScreen());
}

LRESULT UrlListWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateChildren();
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && ::GetFocus() != Child(list_control::kAnnotationField)) {
        ::SetFocus(Child(list_control::kAnnotationField));
      }
      return 0;
    case WM_KEYDOWN:
      // Ctrl+F would open the Finder, which comes later: nothing happens until it exists.
      keys_.KeyDown(static_cast<int>(wParam), ControlKeyHeld());
      return 0;
    case WM_MOVE:
      RememberHistoryPlace();
      break;
    case WM_SIZE:
      RememberHistoryPlace();
      break;
    case WM_DESTROY:
      if (isHistory_) CheckHistoryMenuItem(false);
      break;
    default:
      break;
  }
  return ToolWindow::HandleMessage(message, wParam, lParam);
}

void UrlListWindow::OnFinalMessage() {
  *liveness_ = nullptr;
  if (ownsItself_) delete this;
}

bool HistoryWindowLine::AddVisitLine(std::string_view line) {
  UrlListWindow* window = UrlListWindow::FindHistoryWindow();
  if (window == nullptr) return false;
  window->AddVisitLine(line);
  return true;
}

}  // namespace corvisant
