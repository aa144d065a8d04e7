// A desktop whose processes, windows and registry a test lays out, and which keeps what the
// system did to it as one text: "hide H", "show H", "restore H", "move H X,Y", "front H",
// "send H MESSAGE FIRST SECOND", "post H MESSAGE", "wait", "start COMMANDLINE". A message sent
// to a window may make a test's reaction run (a dialog that closes when its button is pushed).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "browser/desktop_port.h"

namespace corvisant::testing {

struct ScriptedWindow {
  std::uint32_t process = 0;
  std::string text;
  std::string className;
  std::uint32_t style = 0;
  std::uint32_t extendedStyle = 0;
  int controlId = 0;
  bool visible = true;
  bool minimized = false;
  ScreenRect rect;
  std::vector<WindowHandle> children;
};

class ScriptedDesktop : public DesktopPort {
 public:
  // A top-level window, or a child of parent; its client area is its rectangle's size.
  void Add(WindowHandle handle, ScriptedWindow window, WindowHandle parent = kNoWindow);
  void Remove(WindowHandle handle);
  ScriptedWindow& operator[](WindowHandle handle) { return windows_[handle]; }
  // The actions so far, one per line, and cleared.
  std::string TakeLog();

  std::vector<ProcessEntry> processes;
  // "HKLM\KEY\VALUE" or "HKCU\KEY\VALUE".
  std::map<std::string, std::string> registryTexts;
  std::map<std::string, std::uint32_t> registryNumbers;
  // WinExec's result for a command line (2, file not found, for any other).
  std::map<std::string, std::uint32_t> startResults;
  std::function<void(WindowHandle window, unsigned message, std::uintptr_t first)> onSend;

  std::vector<ProcessEntry> Processes() override { return processes; }
  std::vector<WindowHandle> TopLevelWindows() override { return topLevel_; }
  std::vector<WindowHandle> ChildWindows(WindowHandle window) override;
  std::uint32_t ProcessOf(WindowHandle window) override;
  std::string WindowText(WindowHandle window) override;
  std::string ClassName(WindowHandle window) override;
  std::uint32_t Style(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  int ControlId(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  bool IsMinimized(WindowHandle window) override;
  std::optional<ScreenRect> Rect(WindowHandle window) override;
  std::optional<ScreenRect> ClientRect(WindowHandle window) override;
  void Show(WindowHandle window, ShowCommand command) override;
  void MoveTo(WindowHandle window, int left, int top) override;
  void SetForeground(WindowHandle window) override;
  WindowHandle Foreground() override { return foreground_; }
  void Send(WindowHandle window, unsigned message, std::uintptr_t first,
            std::intptr_t second) override;
  void Post(WindowHandle window, unsigned message, std::uintptr_t, std::intptr_t) override;
  void WaitMessage() override { Note("wait"); }
  std::optional<std::string> ReadRegistryText(RegistryRoot root, std::string_view key,
                                              std::string_view value,
                                              std::size_t maxBytes) override;
  std::optional<std::uint32_t> ReadRegistryNumber(RegistryRoot root, std::string_view key,
                                                  std::string_view value) override;
  std::uint32_t StartProgram(std::string_view commandLine) override;
  ScreenExtent Screen() override { return {1024, 768}; }

 private:
  const ScriptedWindow* Find(WindowHandle window) const;
  void Note(const std::string& line) { log_ += line + "\n"; }

  std::map<WindowHandle, ScriptedWindow> windows_;
  std::vector<WindowHandle> topLevel_;
  WindowHandle foreground_ = kNoWindow;
  std::string log_;
};

}  // namespace corvisant::testing
