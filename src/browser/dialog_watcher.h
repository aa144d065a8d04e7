// The watcher of the browser's dialogs: it finds them among the top-level windows, tells new
// ones from those it saw at its last watch, brings them to the user's attention and, when it is
// allowed to, pushes their button: the OK buttons of an alert, else the bottom-right button. It
// also dismisses the browser's progress dialogs. Whether it may answer, and what an answer
// means to the engine, is its caller's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "browser/browser_link.h"
#include "browser/desktop_port.h"
#include "browser/dialog_rules.h"
#include "platform/clock.h"

namespace corvisant {

namespace dialog_answer {
// A dialog is answered this long after it was found, so that the user sees it first.
constexpr unsigned kAnswerWaitMs = 3000;
// An OK button is released this long after it was pressed.
constexpr unsigned kPressMs = 100;
// The point inside the button at which it is pressed: (5, 5).
constexpr std::intptr_t kPressPoint = 0x00050005;
constexpr const char* kOkText = "OK";
constexpr const char* kButtonClass = "Button";
// The texts read when looking for OK buttons and button classes.
constexpr std::size_t kOkTextMax = 511;
constexpr std::size_t kButtonClassMax = 254;
}  // namespace dialog_answer

// Told when a dialog is found new or alert: whether it may be answered, and that it was.
class DialogAnswerPolicy {
 public:
  virtual ~DialogAnswerPolicy() = default;
  virtual bool MayAnswer() = 0;
  virtual void Answered() = 0;
};

// A dialog one watch found, as the tool prints it.
struct FoundDialog {
  WindowHandle window = kNoWindow;
  std::string title;
  bool acted = false;
  bool answered = false;
};

class DialogWatcher {
 public:
  // Sets the link's raise and refocus flags.
  DialogWatcher(DesktopPort& desktop, BrowserLink& link, Clock& clock);

  // One watch of the dialogs of process browserProcessId: true when a dialog needs attention
  // (one was acted on, or the last one reported still exists). Each dialog found is added to
  // found when it is given.
  bool Watch(std::uint32_t browserProcessId, DialogAnswerPolicy& policy,
             std::vector<FoundDialog>* found = nullptr);
  // Answers every progress dialog of the process.
  void Dismiss(std::uint32_t browserProcessId);

  // Pushes the dialog's button: OK buttons for an alert, else the bottom-right button after
  // the answer wait.
  void AnswerBrowserDialog(WindowHandle dialog);
  // Presses every control labelled OK in the tree below and including window.
  void PushOkButtons(WindowHandle window);

  UnixTime lastBrowserDialogTime() const { return lastBrowserDialogTime_; }
  UnixTime pendingDialogTime() const { return pendingDialogTime_; }
  const std::vector<WindowHandle>& knownDialogs() const { return knownDialogs_; }

 private:
  DialogRules Rules() { return DialogRules(desktop_, link_.state().browserVersion); }
  WindowHandle BottomRightButton(WindowHandle dialog);
  void Attend(FoundDialog& dialog, DialogAnswerPolicy& policy);

  DesktopPort& desktop_;
  BrowserLink& link_;
  Clock& clock_;
  std::vector<WindowHandle> knownDialogs_;
  UnixTime lastBrowserDialogTime_ = 0;
  UnixTime pendingDialogTime_ = 0;
  WindowHandle lastDialogWindow_ = kNoWindow;
};

}  // namespace corvisant
