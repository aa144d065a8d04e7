// The controller: six picture buttons, each up or down, that switch the browser link, start and
// stop automatic navigation and the replays, and switch the keeping of local copies (Rec) and the
// recording of the history (Track). Other parts set the buttons' pictures to show what the system
// does; a click runs the button's action. It also shows the pages of the manual in the browser.
// The window that holds the pictures is the controller's view.
#pragma once

#include <string_view>

#include "common/times.h"
#include "navigation/engine_ports.h"

namespace corvisant {

// What the controller's window does for it.
class ControllerView {
 public:
  virtual ~ControllerView() = default;
  virtual bool Exists() = 0;
  // Shows bitmap on the button (the picture of a state, or the launching picture).
  virtual void ShowPicture(int buttonId, int bitmapId) = 0;
  // Paints the button at once, before the thread goes on with a long wait.
  virtual void RedrawNow(int buttonId) = 0;
};

// The timing of the ON button's start of the browser.
namespace launch_wait {
constexpr unsigned kFirstPauseMs = 500;
constexpr int kAnswerChecks = 150;
constexpr unsigned kCheckPauseMs = 200;
constexpr unsigned kLastPauseMs = 200;
}  // namespace launch_wait

class Controller : public ControllerPort {
 public:
  // The six buttons start up; Rec and Track show the switches of the preferences.
  explicit Controller(ControllerView& view);

  void SetButtonPicture(int id, int state) override;
  void SetButton(int id, int state) override;
  int GetButtonState(int id) override;
  bool MainFrameExists() override { return mainFrameExists_; }
  UnixTime MenuTime() override { return menuTime_; }

  // A click on a button: its action for the other state.
  void Click(int id) { SetButton(id, 1 - GetButtonState(id)); }
  // Opens the manual page in the browser (bringing the link up for it when it is down).
  void ShowManualPage(std::string_view page);

  void SetMainFrameExists(bool exists) { mainFrameExists_ = exists; }
  void SetMenuTime(UnixTime time) { menuTime_ = time; }
  // An appointment has started the run: the next press of Auto navi. only stops it.
  void NoteScheduledRunStarted() { scheduledRunStarted_ = true; }

 private:
  struct Button {
    int id;
    int state;
    int upBitmap;
    int downBitmap;
  };
  Button* Find(int id);
  void SwitchLink(int state);
  bool LaunchAndWait();
  void SwitchAutoNavigation(int state);
  void SwitchReplay(int id, int state);
  // A button whose action cannot run while the link is down springs back up.
  bool SpringsBack(int id);

  ControllerView& view_;
  Button buttons_[6];
  bool mainFrameExists_ = false;
  UnixTime menuTime_ = 0;
  bool scheduledRunStarted_ = false;
};

}  // namespace corvisant
