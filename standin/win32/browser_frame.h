#ifndef STANDIN_WIN32_BROWSER_FRAME_H_
#define STANDIN_WIN32_BROWSER_FRAME_H_

// One browser window on the screen: its caption as the browser writes it, the URL, the page's
// title and its links as a list that a person can follow (double-click or Enter).

#include <windows.h>

#include <string>
#include <vector>

#include "standin/core/browser_types.h"
#include "standin/win32/handles.h"

namespace standin_shell {

// What a frame reports to whoever keeps the browser.
class FrameEvents {
 public:
  virtual void FrameActivated(standin::WindowId id) = 0;
  virtual void FrameShown(standin::WindowId id, bool visible) = 0;
  virtual void LinkChosen(standin::WindowId id, const std::string& url) = 0;
  virtual void FrameClosing(standin::WindowId id) = 0;

 protected:
  ~FrameEvents() = default;
};

class BrowserFrame {
 public:
  // The main frame (the first one) leaves its place in the registry when it goes.
  BrowserFrame(HINSTANCE instance, FrameEvents& events, standin::WindowId id, bool is_main);
  ~BrowserFrame();
  BrowserFrame(const BrowserFrame&) = delete;
  BrowserFrame& operator=(const BrowserFrame&) = delete;

  void Show(const standin::BrowserWindow& window, const std::string& caption);
  HWND hwnd() const { return window_.get(); }

 private:
  static void RegisterClassOnce(HINSTANCE instance);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateChildren(HWND hwnd);
  void Layout(int width, int height);
  void FollowSelected();
  void RememberPlace() const;

  FrameEvents& events_;
  standin::WindowId id_;
  bool is_main_;
  std::vector<std::string> link_urls_;
  HWND url_box_ = nullptr;  // children go with their frame
  HWND title_box_ = nullptr;
  HWND links_box_ = nullptr;
  OwnedWindow window_;
};

}  // namespace standin_shell

#endif  // STANDIN_WIN32_BROWSER_FRAME_H_
