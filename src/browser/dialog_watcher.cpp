#include "browser/dialog_watcher.h"

#include <algorithm>

#include "common/trace.h"

namespace corvisant {
namespace {

using namespace dialog_answer;

unsigned TraceHandle(WindowHandle window) { return static_cast<unsigned>(window); }

std::string Cut(std::string text, std::size_t max) {
  if (text.size() > max) text.resize(max);
  return text;
}

}  // namespace

DialogWatcher::DialogWatcher(DesktopPort& desktop, BrowserLink& link, Clock& clock)
    : desktop_(desktop), link_(link), clock_(clock) {}

// A dialog found new, or an alert found again: shown in front, and answered when allowed.
void DialogWatcher::Attend(FoundDialog& dialog, DialogAnswerPolicy& policy) {
  Trace("Browser dialog hwnd=%x \"%s\"", TraceHandle(dialog.window), dialog.title.c_str());
  lastBrowserDialogTime_ = pendingDialogTime_ = clock_.Now();
  lastDialogWindow_ = dialog.window;
  link_.state().raiseBrowserBeforeSave = true;
  desktop_.Show(dialog.window, ShowCommand::kShow);
  desktop_.SetForeground(dialog.window);
  dialog.acted = true;
  if (policy.MayAnswer()) {
    AnswerBrowserDialog(dialog.window);
    dialog.answered = true;
    policy.Answered();
  }
}

bool DialogWatcher::Watch(std::uint32_t browserProcessId, DialogAnswerPolicy& policy,
                          std::vector<FoundDialog>* found) {
  DialogRules rules = Rules();
  std::vector<FoundDialog> dialogs;
  std::vector<bool> alerts;
  for (WindowHandle window : desktop_.TopLevelWindows()) {
    if (!rules.IsCandidate(window, browserProcessId)) continue;
    bool alert = rules.IsBrowserAlert(window);
    if (!alert && rules.IsBrowserProgressDialog(window)) {
      Trace("Browser progress dialog hwnd=%x left alone", TraceHandle(window));
      continue;
    }
    dialogs.push_back({window, desktop_.WindowText(window)});
    alerts.push_back(alert);
  }
  bool acted = false;
  for (std::size_t i = 0; i < dialogs.size(); ++i) {
    bool known = std::find(knownDialogs_.begin(), knownDialogs_.end(), dialogs[i].window) !=
                 knownDialogs_.end();
    if (alerts[i] || !known) {
      Attend(dialogs[i], policy);
      acted = true;
    }
  }
  knownDialogs_.clear();
  for (const FoundDialog& dialog : dialogs) knownDialogs_.push_back(dialog.window);
  if (found != nullptr) found->insert(found->end(), dialogs.begin(), dialogs.end());
  if (lastDialogWindow_ != kNoWindow && desktop_.Rect(lastDialogWindow_)) return true;
  return acted;
}

void DialogWatcher::Dismiss(std::uint32_t browserProcessId) {
  DialogRules rules = Rules();
  std::vector<WindowHandle> progress;
  for (WindowHandle window : desktop_.TopLevelWindows()) {
    if (browserProcessId != 0 && desktop_.ProcessOf(window) == browserProcessId &&
        !rules.IsBrowserAlert(window) && rules.HasModalFrameAndTabStop(window) &&
        rules.IsBrowserProgressDialog(window)) {
      progress.push_back(window);
    }
  }
  for (WindowHandle window : progress) {
    AnswerBrowserDialog(window);
    Trace("Browser progress dialog hwnd=%x dismissed", TraceHandle(window));
  }
}

// The button whose screen rectangle lies within the dialog's right and bottom edges and is
// farthest right, then farthest down; a later one wins only when strictly farther.
WindowHandle DialogWatcher::BottomRightButton(WindowHandle dialog) {
  std::optional<ScreenRect> frame = desktop_.Rect(dialog);
  if (!frame) return kNoWindow;
  WindowHandle chosen = kNoWindow;
  int right = 0;
  int bottom = 0;
  for (WindowHandle child : desktop_.ChildWindows(dialog)) {
    if (Cut(desktop_.ClassName(child), kButtonClassMax) != kButtonClass) continue;
    std::optional<ScreenRect> place = desktop_.Rect(child);
    if (!place || place->right > frame->right || place->bottom > frame->bottom) continue;
    if (place->right > right || (place->right == right && place->bottom > bottom)) {
      chosen = child;
      right = place->right;
      bottom = place->bottom;
    }
  }
  return chosen;
}

void DialogWatcher::AnswerBrowserDialog(WindowHandle dialog) {
  if (Rules().IsBrowserAlert(dialog)) {
    PushOkButtons(dialog);
  } else {
    WindowHandle button = BottomRightButton(dialog);
    clock_.Sleep(kAnswerWaitMs);
    if (button != kNoWindow) {
      auto id = static_cast<std::uintptr_t>(static_cast<unsigned>(desktop_.ControlId(button)));
      desktop_.Send(dialog, window_message::kCommand, id, 0);
    }
  }
  link_.state().refocusAfterDialog = true;
  pendingDialogTime_ = 0;
}

void DialogWatcher::PushOkButtons(WindowHandle window) {
  if (Cut(desktop_.WindowText(window), kOkTextMax) == kOkText) {
    Trace("Pushing OK hwnd=%x, sendto=%x, GetDlgCtrlID(hwnd)=%x", TraceHandle(window),
          TraceHandle(window), static_cast<unsigned>(desktop_.ControlId(window)));
    desktop_.Send(window, window_message::kLeftDown, window_message::kLeftButton, kPressPoint);
    clock_.Sleep(kPressMs);
    desktop_.WaitMessage();
    desktop_.Send(window, window_message::kLeftUp, 0, kPressPoint);
    return;
  }
  for (WindowHandle child : desktop_.ChildWindows(window)) PushOkButtons(child);
}

}  // namespace corvisant
