// A desktop that a test lays out, keeping what the system did to it as one text ("hide H", "move
// H X,Y", "front H", "send H MESSAGE FIRST SECOND", "wait", ...); onSend reacts to a message.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
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
  void Add(WindowHandle handle, ScriptedWindow window, WindowHandle parent = kNoWindow) {
    windows_[handle] = std::move(window);
    if (parent == kNoWindow) topLevel_.push_back(handle);
    if (parent != kNoWindow) windows_[parent].children.push_back(handle);
  }
  void Remove(WindowHandle handle) {
    windows_.erase(handle);
    topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), handle), topLevel_.end());
  }
  ScriptedWindow& operator[](WindowHandle handle) { return windows_[handle]; }
  std::string TakeLog() { return std::exchange(log_, std::string()); }

  // "HKCU\KEY\VALUE": the 4-byte values of the current user's keys.
  std::map<std::string, std::uint32_t> registryNumbers;
  std::function<void(WindowHandle window, unsigned message)> onSend;

  std::vector<ProcessEntry> Processes() override { return {}; }
  std::vector<WindowHandle> TopLevelWindows() override { return topLevel_; }
  std::vector<WindowHandle> ChildWindows(WindowHandle w) override { return At(w).children; }
  std::uint32_t ProcessOf(WindowHandle w) override { return At(w).process; }
  std::string WindowText(WindowHandle w) override { return At(w).text; }
  std::string ClassName(WindowHandle w) override { return At(w).className; }
  std::uint32_t Style(WindowHandle w) override { return At(w).style; }
  std::uint32_t ExtendedStyle(WindowHandle w) override { return At(w).extendedStyle; }
  int ControlId(WindowHandle w) override { return At(w).controlId; }
  bool IsVisible(WindowHandle w) override { return windows_.count(w) && At(w).visible; }
  bool IsMinimized(WindowHandle w) override { return At(w).minimized; }
  std::optional<ScreenRect> Rect(WindowHandle w) override {
    return windows_.count(w) ? std::optional<ScreenRect>(At(w).rect) : std::nullopt;
  }
  std::optional<ScreenRect> ClientRect(WindowHandle w) override {
    ScreenRect r = At(w).rect;
    return windows_.count(w) ? std::optional<ScreenRect>({0, 0, r.right - r.left, r.bottom - r.top})
                             : std::nullopt;
  }
  void Show(WindowHandle w, ShowCommand command) override {
    const char* names[] = {"hide", "show", "restore"};
    Note(names[static_cast<int>(command)], w);
    if (windows_.count(w)) windows_[w].visible = command != ShowCommand::kHide;
  }
  void MoveTo(WindowHandle w, int left, int top) override {
    Note("move", w, " " + std::to_string(left) + "," + std::to_string(top));
    ScreenRect& r = windows_[w].rect;
    r = {left, top, left + r.right - r.left, top + r.bottom - r.top};
  }
  void SetForeground(WindowHandle w) override { Note("front", w); }
  WindowHandle Foreground() override { return kNoWindow; }
  void Send(WindowHandle w, unsigned message, std::uintptr_t first, std::intptr_t second) override {
    Note(
        "send", w,
        " " + std::to_string(message) + " " + std::to_string(first) + " " + std::to_string(second));
    if (onSend) onSend(w, message);
  }
  void Post(WindowHandle w, unsigned message, std::uintptr_t, std::intptr_t) override {
    Note("post", w, " " + std::to_string(message));
  }
  void WaitMessage() override { log_ += "wait\n"; }
  std::optional<std::string> ReadRegistryText(RegistryRoot, std::string_view, std::string_view,
                                              std::size_t) override {
    return std::nullopt;
  }
  std::optional<std::uint32_t> ReadRegistryNumber(RegistryRoot root, std::string_view key,
                                                  std::string_view value) override {
    auto found = registryNumbers.find((root == RegistryRoot::kCurrentUser ? "HKCU\\" : "HKLM\\") +
                                      std::string(key) + "\\" + std::string(value));
    return found == registryNumbers.end() ? std::nullopt : std::optional(found->second);
  }
  std::uint32_t StartProgram(std::string_view) override { return 0; }
  ScreenExtent Screen() override { return {1024, 768}; }

 private:
  // A window that is gone reads as an empty one.
  const ScriptedWindow& At(WindowHandle w) const {
    static const ScriptedWindow kGone;
    auto found = windows_.find(w);
    return found == windows_.end() ? kGone : found->second;
  }
  void Note(const char* what, WindowHandle w, const std::string& more = "") {
    log_ += what + (" " + std::to_string(w)) + more + "\n";
  }

  std::map<WindowHandle, ScriptedWindow> windows_;
  std::vector<WindowHandle> topLevel_;
  std::string log_;
};

}  // namespace corvisant::testing
