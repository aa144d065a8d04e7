#ifndef STANDIN_CORE_BROWSER_TYPES_H_
#define STANDIN_CORE_BROWSER_TYPES_H_

// The things the stand-in browser shows: its browser windows and its dialogs. Both are plain
// descriptions; an embedding (the Win32 shell, a simulated desktop) turns them into windows.

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// A browser window's DDE id. Ids count up from 1; two values are reserved in requests.
using WindowId = std::uint32_t;
inline constexpr WindowId kNewWindow = 0;
inline constexpr WindowId kLastActiveWindow = 0xFFFFFFFFu;

struct Link {
  std::string text;
  std::string url;  // absolute, resolved against the page's URL
};

struct BrowserWindow {
  WindowId id = 0;
  std::string url;    // empty until the first document is shown
  std::string title;  // the page's title; empty until the first document is shown
  std::string mime;
  std::vector<Link> links;
  bool visible = true;
};

// One child window of a dialog, laid out in client coordinates.
struct DialogControl {
  int id = 0;
  std::string class_name;  // "Button", "Static" or "NSProgress"
  std::string text;
  int x = 0, y = 0, width = 0, height = 0;
  bool tab_stop = false;
  bool group = false;
  bool closes = false;  // pressing it closes the dialog
};

struct Dialog {
  int id = 0;
  std::string title;  // exact bytes (the Japanese titles are Shift-JIS)
  int client_width = 0;
  int client_height = 0;
  bool modal_frame = true;  // extended style WS_EX_DLGMODALFRAME
  std::vector<DialogControl> controls;
};

}  // namespace standin

#endif  // STANDIN_CORE_BROWSER_TYPES_H_
