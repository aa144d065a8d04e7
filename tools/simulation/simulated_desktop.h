// The desktop of the browser in the process: the stand-in's browser windows and dialogs as the
// system's desktop port sees the real program's windows. One process runs while the browser has
// a window; its windows carry their captions, its dialogs their titles, sizes, styles and
// controls; hiding, showing and raising a window, a command or a click sent to a dialog's button
// and a close sent to a window are done to the stand-in as the person at the screen would.
#pragma once

#include <cstdint>
#include <map>

#include "browser/desktop_port.h"
#include "standin/core/standin_browser.h"

namespace corvisant::simulation {

class SimulatedDesktop : public DesktopPort {
 public:
  explicit SimulatedDesktop(standin::Browser& browser) : browser_(browser) {}

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
  bool IsMinimized(WindowHandle) override { return false; }
  std::optional<ScreenRect> Rect(WindowHandle window) override;
  std::optional<ScreenRect> ClientRect(WindowHandle window) override;
  void Show(WindowHandle window, ShowCommand command) override;
  void MoveTo(WindowHandle window, int left, int top) override;
  void SetForeground(WindowHandle window) override;
  WindowHandle Foreground() override;
  void Send(WindowHandle window, unsigned message, std::uintptr_t first,
            std::intptr_t second) override;
  void Post(WindowHandle window, unsigned message, std::uintptr_t first,
            std::intptr_t second) override {
    Send(window, message, first, second);
  }
  // Nothing waits: the simulation's clock moves only when it is moved.
  void WaitMessage() override {}
  std::optional<std::string> ReadRegistryText(RegistryRoot root, std::string_view key,
                                              std::string_view value,
                                              std::size_t maxBytes) override;
  std::optional<std::uint32_t> ReadRegistryNumber(RegistryRoot, std::string_view,
                                                  std::string_view) override {
    return std::nullopt;
  }
  // The browser already runs in the process; nothing else can be started.
  std::uint32_t StartProgram(std::string_view) override { return kNothingStarted; }
  ScreenExtent Screen() override;

 private:
  static constexpr std::uint32_t kNothingStarted = 2;  // ERROR_FILE_NOT_FOUND
  struct Found;
  Found Find(WindowHandle window) const;
  std::string InstallFolder() const;

  standin::Browser& browser_;
  // Where windows were moved to; the others stand where they opened.
  std::map<standin::WindowId, ScreenRect> placed_;
  WindowHandle foreground_ = kNoWindow;
  WindowHandle pressed_ = kNoWindow;
};

}  // namespace corvisant::simulation
