// The menu-bar window (class "Corvisant:MenuBarWindow", title "Corvisant 1.02"): the program's
// main window, nothing but its title bar and menu bar, 500 pixels wide. It owns the controller,
// which it keeps right below itself, and its menu leads to the tool windows, the settings and the
// hotlists. It answers the Windows shell's DDE conversation that opens URL list files, keeps the
// menu time that tells the engine the user is busy with a menu, and starts the exit.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/controller.h"
#include "app/url_list_view.h"
#include "app/win32/controller_dialog.h"
#include "app/win32/window_base.h"
#include "common/preferences.h"
#include "common/process_wide.h"

namespace corvisant {

constexpr const char* kMainFrameTitle = "Corvisant 1.02";

// Where the shell's DDE execute commands go ("[open(\"%1\")]" and the print commands).
class ShellCommandHandler {
 public:
  virtual ~ShellCommandHandler() = default;
  virtual bool OnDdeCommand(const std::string& command) = 0;
};

class MainFrame : public WindowBase {
 public:
  // shell: the handler of the shell's commands, which outlives the window.
  explicit MainFrame(ShellCommandHandler& shell);
  ~MainFrame() override;

  // Registers the window class (the program's icon, the arrow cursor).
  static bool RegisterWindowClass();
  // Makes the window at the remembered place with its controller, and shows both; false when it
  // could not be made.
  bool Create(const Preferences& preferences);
  // The hotlist menus from the files of the hotlist directory.
  void BuildHotlistMenus();
  // Answers the shell's DDE conversations from now on: the application name and the topic.
  void EnableShellOpen(const char* application, const char* topic);

  Controller& controller() { return controller_; }
  HWND controllerWindow() const { return controllerDialog_.hwnd(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool OnCreate();
  void OnMove();
  void OnCommand(int id);
  void OnClose();
  void OnDestroy();
  void OnDdeInitiate(HWND client, LPARAM atoms);
  void OnDdeExecute(HWND client, LPARAM lParam);

  void NewHotlist();
  void AddToHotlist(int index);
  void ShowHotlist(int index);
  std::string HotlistItemName(int menuPosition, int id);
  void ShowHelpPointer();
  void ShowAbout();

  ShellCommandHandler& shell_;
  ControllerDialog controllerDialog_;
  Controller controller_{controllerDialog_};
  // The real controller takes the place of the engine's stand-in while the window exists.
  Installed<ControllerPort> installedController_{&controller_};
  ATOM applicationAtom_ = 0;
  ATOM topicAtom_ = 0;
};

}  // namespace corvisant
