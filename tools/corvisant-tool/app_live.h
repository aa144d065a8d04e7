// The running Corvisant as its windows show it to another process, found by the platform side of
// the tool: none in a build without windows. The tool only posts to those windows what a
// person's clicks would post; it reads nothing of the program's memory.
#pragma once

#include <memory>

namespace corvisant::tool {

// What became of a message for the running program.
enum class AppPost {
  kPosted,
  kNotRunning,    // no menu-bar window of Corvisant
  kNoController,  // the menu-bar window owns no controller
  kRefused,       // the window would not take the message
};

class LiveApp {
 public:
  virtual ~LiveApp() = default;
  // A menu-bar window of Corvisant exists.
  virtual bool Running() = 0;
  // The click on the controller's button with this control id.
  virtual AppPost PressButton(int id) = 0;
  // The command of the menu-bar window's menu with this id.
  virtual AppPost MenuCommand(int id) = 0;
  // "Close" of the menu-bar window's system menu.
  virtual AppPost Close() = 0;
};

// Null when this build has no windows.
std::unique_ptr<LiveApp> OpenLiveApp();

}  // namespace corvisant::tool
