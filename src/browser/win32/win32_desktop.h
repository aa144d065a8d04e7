// The desktop port over Win32: the Toolhelp process snapshot with each process's full image
// path, EnumWindows and the window functions, the registry and WinExec.
#pragma once

#include "browser/desktop_port.h"

namespace corvisant::win32 {

class Win32Desktop final : public DesktopPort {
 public:
  std::vector<ProcessEntry> Processes() override;
  std::vector<WindowHandle> TopLevelWindows() override;
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
  WindowHandle Foreground() override;
  void Send(WindowHandle window, unsigned message, std::uintptr_t first,
            std::intptr_t second) override;
  void Post(WindowHandle window, unsigned message, std::uintptr_t first,
            std::intptr_t second) override;
  void WaitMessage() override;
  std::optional<std::string> ReadRegistryText(RegistryRoot root, std::string_view key,
                                              std::string_view value,
                                              std::size_t maxBytes) override;
  std::optional<std::uint32_t> ReadRegistryNumber(RegistryRoot root, std::string_view key,
                                                  std::string_view value) override;
  std::uint32_t StartProgram(std::string_view commandLine) override;
  ScreenExtent Screen() override;
};

}  // namespace corvisant::win32
