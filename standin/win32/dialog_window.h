#ifndef STANDIN_WIN32_DIALOG_WINDOW_H_
#define STANDIN_WIN32_DIALOG_WINDOW_H_

// A browser dialog as a real top-level window of this process, built from the core's
// description: its exact title bytes, its client size, its child controls with their styles.

#include <windows.h>

#include "standin/core/browser_types.h"
#include "standin/win32/handles.h"

namespace standin_shell {

class DialogEvents {
 public:
  // A button was clicked or sent WM_COMMAND with its id.
  virtual void DialogCommand(int dialog_id, int control_id) = 0;
  virtual void DialogClosing(int dialog_id) = 0;

 protected:
  ~DialogEvents() = default;
};

class DialogWindow {
 public:
  DialogWindow(HINSTANCE instance, DialogEvents& events, const standin::Dialog& dialog);
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

 private:
  static void RegisterClassesOnce(HINSTANCE instance);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ProgressProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void FitClientArea(HWND hwnd, int width, int height);
  void CreateControl(HWND hwnd, const standin::DialogControl& control);

  DialogEvents& events_;
  int id_;
  OwnedWindow window_;
};

}  // namespace standin_shell

#endif  // STANDIN_WIN32_DIALOG_WINDOW_H_
