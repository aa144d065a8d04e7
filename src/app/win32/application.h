// The application: the start-up that turns a process into the running program (the command line,
// the single-instance rule, the store and the process-wide objects through the one wiring place,
// the window classes and first windows, the shell registration, the link to a running browser),
// the message loop, the shell's DDE commands for URL list files, and the shutdown after the
// menu-bar window is gone.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/process_objects.h"
#include "app/win32/list_windows.h"
#include "app/win32/main_frame.h"
#include "app/win32/ui_strings.h"
#include "browser/win32/win32_dde.h"
#include "browser/win32/win32_desktop.h"
#include "common/process_wide.h"
#include "navigation/win32/win32_local_storage_dialogs.h"

namespace corvisant {

class Application : public ShellCommandHandler {
 public:
  // showCommand: how the process was asked to show its main window.
  explicit Application(int showCommand);
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The start-up; false when the process is to end at once (exit code 0): an unknown argument,
  // a second instance, a store that cannot be made, a main window that cannot be made.
  bool InitInstance(int argc, char** argv);
  // The message loop until the menu-bar window is gone, then the shutdown; the exit code.
  int Run();

  // "[open(\"PATH\")]" opens a URL list pair; the print commands are taken, not printed.
  bool OnDdeCommand(const std::string& command) override;

 private:
  bool StartGlobals();
  bool MakeWindows();
  void RegisterShellFileTypes();
  void LinkUpWhenBrowserRuns();
  void OpenDocumentFile(const std::string& path);
  void ShowFrameForShell();
  void PumpMessage(MSG& message);
  void ShutdownGlobals();

  int showCommand_;
  // The show command the shell's first open is to use: the start's own when started for the
  // shell ("/dde"), else none (-1).
  int pendingShow_ = -1;
  // The user started the program, rather than the shell for one of its commands.
  bool userControl_ = true;

  ProcessOwned<UiStrings> strings_;
  std::unique_ptr<ProcessObjects> process_;
  std::unique_ptr<win32::Win32Dde> dde_;
  win32::Win32Desktop desktop_;
  UINT_PTR clockTimer_ = 0;
  std::unique_ptr<ListWindows> listWindows_;
  Win32LocalStorageDialogs localStorageDialogs_;
  Installed<LocalStorageDialogs> installedDialogs_{&localStorageDialogs_};
  std::unique_ptr<MainFrame> frame_;
  HWND offScreenFrame_ = nullptr;
  HACCEL accelerators_ = nullptr;
};

}  // namespace corvisant
