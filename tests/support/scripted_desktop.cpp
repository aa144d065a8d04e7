#include "tests/support/scripted_desktop.h"

#include <algorithm>
#include <utility>

namespace corvisant::testing {
namespace {

std::string RegistryName(RegistryRoot root, std::string_view key, std::string_view value) {
  return (root == RegistryRoot::kLocalMachine ? "HKLM\\" : "HKCU\\") + std::string(key) + "\\" +
         std::string(value);
}

}  // namespace

void ScriptedDesktop::Add(WindowHandle handle, ScriptedWindow window, WindowHandle parent) {
  windows_[handle] = std::move(window);
  if (parent == kNoWindow) {
    topLevel_.push_back(handle);
  } else {
    windows_[parent].children.push_back(handle);
  }
}

void ScriptedDesktop::Remove(WindowHandle handle) {
  windows_.erase(handle);
  topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), handle), topLevel_.end());
}

std::string ScriptedDesktop::TakeLog() { return std::exchange(log_, std::string()); }

const ScriptedWindow* ScriptedDesktop::Find(WindowHandle window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

std::vector<WindowHandle> ScriptedDesktop::ChildWindows(WindowHandle window) {
  const ScriptedWindow* found = Find(window);
  return found ? found->children : std::vector<WindowHandle>();
}

std::uint32_t ScriptedDesktop::ProcessOf(WindowHandle window) {
  return Find(window) ? Find(window)->process : 0;
}
std::string ScriptedDesktop::WindowText(WindowHandle window) {
  return Find(window) ? Find(window)->text : "";
}
std::string ScriptedDesktop::ClassName(WindowHandle window) {
  return Find(window) ? Find(window)->className : "";
}
std::uint32_t ScriptedDesktop::Style(WindowHandle window) {
  return Find(window) ? Find(window)->style : 0;
}
std::uint32_t ScriptedDesktop::ExtendedStyle(WindowHandle window) {
  return Find(window) ? Find(window)->extendedStyle : 0;
}
int ScriptedDesktop::ControlId(WindowHandle window) {
  return Find(window) ? Find(window)->controlId : 0;
}
bool ScriptedDesktop::IsVisible(WindowHandle window) {
  return Find(window) && Find(window)->visible;
}
bool ScriptedDesktop::IsMinimized(WindowHandle window) {
  return Find(window) && Find(window)->minimized;
}

std::optional<ScreenRect> ScriptedDesktop::Rect(WindowHandle window) {
  if (!Find(window)) return std::nullopt;
  return Find(window)->rect;
}

std::optional<ScreenRect> ScriptedDesktop::ClientRect(WindowHandle window) {
  std::optional<ScreenRect> rect = Rect(window);
  if (!rect) return std::nullopt;
  return ScreenRect{0, 0, rect->right - rect->left, rect->bottom - rect->top};
}

void ScriptedDesktop::Show(WindowHandle window, ShowCommand command) {
  const char* names[] = {"hide", "show", "restore"};
  Note(names[static_cast<int>(command)] + (" " + std::to_string(window)));
  if (windows_.count(window)) windows_[window].visible = command != ShowCommand::kHide;
}

void ScriptedDesktop::MoveTo(WindowHandle window, int left, int top) {
  Note("move " + std::to_string(window) + " " + std::to_string(left) + "," + std::to_string(top));
  if (!windows_.count(window)) return;
  ScreenRect& rect = windows_[window].rect;
  rect = {left, top, left + rect.right - rect.left, top + rect.bottom - rect.top};
}

void ScriptedDesktop::SetForeground(WindowHandle window) {
  Note("front " + std::to_string(window));
  foreground_ = window;
}

void ScriptedDesktop::Send(WindowHandle window, unsigned message, std::uintptr_t first,
                           std::intptr_t second) {
  Note("send " + std::to_string(window) + " " + std::to_string(message) + " " +
       std::to_string(first) + " " + std::to_string(second));
  if (onSend) onSend(window, message, first);
}

void ScriptedDesktop::Post(WindowHandle window, unsigned message, std::uintptr_t, std::intptr_t) {
  Note("post " + std::to_string(window) + " " + std::to_string(message));
}

std::optional<std::string> ScriptedDesktop::ReadRegistryText(RegistryRoot root,
                                                             std::string_view key,
                                                             std::string_view value,
                                                             std::size_t maxBytes) {
  auto found = registryTexts.find(RegistryName(root, key, value));
  if (found == registryTexts.end() || found->second.size() >= maxBytes) return std::nullopt;
  return found->second;
}

std::optional<std::uint32_t> ScriptedDesktop::ReadRegistryNumber(RegistryRoot root,
                                                                 std::string_view key,
                                                                 std::string_view value) {
  auto found = registryNumbers.find(RegistryName(root, key, value));
  if (found == registryNumbers.end()) return std::nullopt;
  return found->second;
}

std::uint32_t ScriptedDesktop::StartProgram(std::string_view commandLine) {
  Note("start " + std::string(commandLine));
  auto found = startResults.find(std::string(commandLine));
  return found == startResults.end() ? 2 : found->second;
}

}  // namespace corvisant::testing
