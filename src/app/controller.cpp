#include "app/controller.h"

#include <string>

#include "app/resources/resource_ids.h"
#include "common/preferences.h"
#include "navigation/browser_control.h"
#include "navigation/navigation_state.h"
#include "navigation/request_queue.h"
#include "navigation/url_range_navigator.h"
#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

Preferences& Settings() { return *Current<Preferences>(); }

void Pause(unsigned milliseconds) { Current<Clock>()->Sleep(milliseconds); }

bool BrowserFound() {
  BrowserWatch* watch = Current<BrowserWatch>();
  return watch != nullptr && watch->BrowserProcessFound();
}

bool BrowserAnswers() {
  BrowserControl* control = Current<BrowserControl>();
  return control != nullptr && control->link().BrowserAnswers();
}

void StopAndDelete(NavigatorPtr& navigator) {
  if (navigator == nullptr) return;
  navigator->stop();
  navigator.reset();
}

}  // namespace

Controller::Controller(ControllerView& view)
    : view_(view),
      buttons_{
          {button::kOn, button::kUp, IDB_CONTROLLER_ON_UP, IDB_CONTROLLER_ON_DOWN},
          {button::kAutoNavigation, button::kUp, IDB_CONTROLLER_AUTO_NAVI_UP,
           IDB_CONTROLLER_AUTO_NAVI_DOWN},
          {button::kForward, button::kUp, IDB_CONTROLLER_FORWARD_UP, IDB_CONTROLLER_FORWARD_DOWN},
          {button::kBack, button::kUp, IDB_CONTROLLER_BACK_UP, IDB_CONTROLLER_BACK_DOWN},
          {button::kRec, button::kUp, IDB_CONTROLLER_REC_UP, IDB_CONTROLLER_REC_DOWN},
          {button::kTrack, button::kUp, IDB_CONTROLLER_TRACK_UP, IDB_CONTROLLER_TRACK_DOWN}} {}

Controller::Button* Controller::Find(int id) {
  for (Button& button : buttons_) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

void Controller::SetButtonPicture(int id, int state) {
  Button* button = Find(id);
  if (button == nullptr || !view_.Exists()) return;
  button->state = state;
  view_.ShowPicture(id, state == button::kDown ? button->downBitmap : button->upBitmap);
}

int Controller::GetButtonState(int id) {
  Button* button = Find(id);
  return button != nullptr ? button->state : button::kUp;
}

void Controller::SetButton(int id, int state) {
  switch (id) {
    case button::kRec:
      Settings().keepLocalCopies = state;
      SetButtonPicture(id, state);
      break;
    case button::kTrack:
      Settings().recordHistory = state;
      SetButtonPicture(id, state);
      break;
    case button::kOn:
      SwitchLink(state);
      break;
    case button::kAutoNavigation:
      SwitchAutoNavigation(state);
      break;
    case button::kForward:
    case button::kBack:
      SwitchReplay(id, state);
      break;
    default:
      break;
  }
}

void Controller::SwitchLink(int state) {
  BrowserControl* control = Current<BrowserControl>();
  if (control == nullptr) return;
  if (state == button::kUp) {
    control->LinkOff();
    return;
  }
  if (!BrowserFound() && !LaunchAndWait()) return;
  control->LinkOn(BrowserFound());
}

// The browser is started and given time to answer; false (the button up again) when it cannot be
// started.
bool Controller::LaunchAndWait() {
  view_.ShowPicture(button::kOn, IDB_CONTROLLER_ON_LAUNCHING);
  view_.RedrawNow(button::kOn);
  BrowserWatch* watch = Current<BrowserWatch>();
  if (watch == nullptr || !watch->LaunchBrowser()) {
    SetButtonPicture(button::kOn, button::kUp);
    return false;
  }
  Pause(launch_wait::kFirstPauseMs);
  for (int check = 0; check < launch_wait::kAnswerChecks && !BrowserAnswers(); ++check) {
    Pause(launch_wait::kCheckPauseMs);
  }
  Pause(launch_wait::kLastPauseMs);
  return true;
}

bool Controller::SpringsBack(int id) {
  if (Settings().linkOn) return false;
  if (GetButtonState(button::kOn) == button::kUp) SetButtonPicture(id, button::kUp);
  return true;
}

void Controller::SwitchAutoNavigation(int state) {
  SetButtonPicture(button::kAutoNavigation, state);
  if (SpringsBack(button::kAutoNavigation)) return;
  SetButtonPicture(button::kForward, button::kUp);
  SetButtonPicture(button::kBack, button::kUp);
  NavigationState& navigation = *Current<NavigationState>();
  StopAndDelete(navigation.currentNavigator);
  Current<RequestQueue>()->clear();
  if (state != button::kDown) return;
  StopAndDelete(navigation.visitNavigator);
  if (scheduledRunStarted_) {
    scheduledRunStarted_ = false;
    return;
  }
  int kind = KindOfNavigationMethod(Settings().navigationMethod);
  StartNavigationRun(kind, RunStartUrl(kind));
}

void Controller::SwitchReplay(int id, int state) {
  SetButtonPicture(id, state);
  if (SpringsBack(id)) return;
  SetButtonPicture(button::kAutoNavigation, button::kUp);
  SetButtonPicture(id == button::kForward ? button::kBack : button::kForward, button::kUp);
  NavigationState& navigation = *Current<NavigationState>();
  StopAndDelete(navigation.currentNavigator);
  Current<RequestQueue>()->clear();
  if (state != button::kDown) return;
  StopAndDelete(navigation.visitNavigator);
  int direction =
      id == button::kForward ? replay_direction::kOldToNew : replay_direction::kNewToOld;
  if (!StartWholeListReplay(direction)) SetButtonPicture(id, button::kUp);
}

void Controller::ShowManualPage(std::string_view page) {
  bool wasOn = Settings().linkOn != 0;
  if (!wasOn) SetButton(button::kOn, button::kDown);
  if (Settings().linkOn) {
    std::string url = std::string("file://") + StoreRootUrlPath() + "/" + kDocumentDirectory + "/" +
                      std::string(page);
    if (LocalFileExists(url)) {
      Current<BrowserControl>()->OpenUrl(url, true);
    } else {
      Report(kReportNonFatal, kReportNeverCloses, message::kManualSectionNotFound, {page});
    }
  }
  if (!wasOn) SetButton(button::kOn, button::kUp);
}

}  // namespace corvisant
