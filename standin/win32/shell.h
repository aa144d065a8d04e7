#ifndef STANDIN_WIN32_SHELL_H_
#define STANDIN_WIN32_SHELL_H_

// Netscape.exe around the core: the world the core asks for (clock, DDE, disk, network,
// windows) and the message loop that runs the core's clock.

#include <windows.h>

#include <map>
#include <memory>

#include "standin/core/host.h"
#include "standin/core/standin_browser.h"
#include "standin/win32/browser_frame.h"
#include "standin/win32/dde_server.h"
#include "standin/win32/dialog_window.h"
#include "standin/win32/echo_client.h"
#include "standin/win32/files.h"
#include "standin/win32/handles.h"
#include "standin/win32/http_fetch.h"

namespace standin_shell {

class Shell : public standin::Host, public FrameEvents, public DialogEvents {
 public:
  Shell(HINSTANCE instance, standin::Options options);

  // Opens the log, registers the DDE service and the first window; false after logging why.
  bool Start();
  // The message loop, until the last window closes or the browse list is done.
  int Run();
  // Reported to stderr and to the log, if there is one.
  void Fail(const std::string& message);

  // standin::Host
  std::uint64_t NowMs() override;
  bool Poke(const std::string& service, const std::string& topic, const std::string& item) override;
  standin::LocalFile ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  standin::Fetched Fetch(const std::string& url) override;
  void WindowOpened(const standin::BrowserWindow& window) override;
  void WindowChanged(const standin::BrowserWindow& window) override;
  void DialogOpened(const standin::Dialog& dialog) override;
  void DialogClosed(int dialog_id) override;
  void QuitRequested() override;
  void Log(const std::string& line) override;

  // FrameEvents and DialogEvents
  void FrameActivated(standin::WindowId id) override;
  void FrameShown(standin::WindowId id, bool visible) override;
  void LinkChosen(standin::WindowId id, const std::string& url) override;
  void FrameClosing(standin::WindowId id) override;
  void DialogCommand(int dialog_id, int control_id) override;
  void DialogClosing(int dialog_id) override;

 private:
  static LRESULT CALLBACK PumpProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Pump(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  bool CreatePump();
  void Kick();
  void RunDue();

  HINSTANCE instance_;
  standin::Options options_;
  LogFile log_;
  HttpFetcher http_;
  standin::Browser browser_;
  EchoClient echoes_;
  DdeServer dde_;  // after the browser: it goes first
  OwnedWindow pump_;
  std::map<standin::WindowId, std::unique_ptr<BrowserFrame>> frames_;
  std::map<int, std::unique_ptr<DialogWindow>> dialogs_;
  bool have_main_frame_ = false;
};

}  // namespace standin_shell

#endif  // STANDIN_WIN32_SHELL_H_
