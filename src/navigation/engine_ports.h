// What the engine asks of the parts of the system above it and beside it: the controller's
// buttons and the main frame (the application's windows), and the browser's process, windows and
// dialogs (the discovery and the dialog watcher). Each is installed as the process-wide object of
// its type; the wiring place installs a stand-in for each until the real one exists.
#pragma once

#include "common/times.h"

namespace corvisant {

// The controller's picture buttons by their control ids.
namespace button {
constexpr int kOn = 1001;
constexpr int kForward = 1002;
constexpr int kAutoNavigation = 1003;
constexpr int kBack = 1006;
constexpr int kRec = 204;
constexpr int kTrack = 205;
constexpr int kUp = 0;
constexpr int kDown = 1;
}  // namespace button

class ControllerPort {
 public:
  virtual ~ControllerPort() = default;
  // Shows the button's picture for state without running its action.
  virtual void SetButtonPicture(int id, int state) = 0;
  // Runs the button's action for state (Rec: keepLocalCopies is the state, and its picture).
  virtual void SetButton(int id, int state) = 0;
  virtual int GetButtonState(int id) = 0;
  // The menu-bar window exists (the process is not going down).
  virtual bool MainFrameExists() = 0;
  // When one of the system's own menus was last opened (0 when none is open).
  virtual UnixTime MenuTime() = 0;
};

class BrowserWatch {
 public:
  virtual ~BrowserWatch() = default;
  // The browser's process runs (looked up again at every call).
  virtual bool BrowserProcessFound() = 0;
  // Starts the browser from its installation; false (reported) when it cannot be started.
  virtual bool LaunchBrowser() = 0;
  // The work window exists and a browser window is visible.
  virtual bool BrowserPresent() = 0;
  // Opens and places the system's own browser window and finds its browser window id; false when
  // there is none afterwards. browserRunning: the browser process was found.
  virtual bool OpenWorkWindow(bool browserRunning) = 0;
  virtual void CloseWorkWindow() = 0;
  // Brings the first visible browser window to the front, and reports whether the window in the
  // foreground is one of the browser's.
  virtual void BringBrowserToFront() = 0;
  virtual bool BrowserInForeground() = 0;
  // The system's own main window to the front.
  virtual void BringMainFrameToFront() = 0;
  // One watch of the browser's dialogs: true when one needs attention.
  virtual bool WatchDialogs() = 0;
  virtual void DismissDialogs() = 0;
  // When a dialog of the browser was last found (0: never), and the same moment until the watcher
  // has answered that dialog (0 then).
  virtual UnixTime LastBrowserDialogTime() = 0;
  virtual UnixTime PendingDialogTime() = 0;
};

// The appointment check the tick makes every ten seconds.
class AppointmentCheck {
 public:
  virtual ~AppointmentCheck() = default;
  virtual void CheckAppointments(UnixTime now) = 0;
};

}  // namespace corvisant
