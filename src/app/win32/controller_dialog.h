// The controller's window: the modeless, captionless dialog 155 owned by the menu-bar window,
// six picture buttons in two rows on a black ground. It shows the pictures the controller asks
// for and hands every click on a button to it.
#pragma once

#include <windows.h>

#include <map>

#include "app/controller.h"

namespace corvisant {

// A bitmap loaded from the program's resources, deleted with its owner.
class BitmapHandle {
 public:
  explicit BitmapHandle(HBITMAP bitmap) : bitmap_(bitmap) {}
  ~BitmapHandle() {
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
  }
  BitmapHandle(BitmapHandle&& other) noexcept : bitmap_(other.bitmap_) { other.bitmap_ = nullptr; }
  BitmapHandle(const BitmapHandle&) = delete;
  BitmapHandle& operator=(const BitmapHandle&) = delete;

  HBITMAP get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

class ControllerDialog : public ControllerView {
 public:
  ControllerDialog() = default;
  ~ControllerDialog() override;
  ControllerDialog(const ControllerDialog&) = delete;
  ControllerDialog& operator=(const ControllerDialog&) = delete;

  // Makes the dialog, owned by owner, its clicks going to controller; false when it could not
  // be made. It stays hidden until Show.
  bool Create(HWND owner, Controller& controller);
  void Destroy();
  // Right below the menu-bar window's frame, on the screen.
  void Place(const RECT& frame);
  void Show();
  HWND hwnd() const { return window_; }

  bool Exists() override { return window_ != nullptr && ::IsWindow(window_); }
  void ShowPicture(int buttonId, int bitmapId) override;
  void RedrawNow(int buttonId) override;

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam);
  HBITMAP Picture(int bitmapId);

  HWND window_ = nullptr;
  Controller* controller_ = nullptr;
  std::map<int, BitmapHandle> pictures_;
};

// Moves window towards the screen's left edge, 20 pixels at a time, after a second's pause: a
// settings dialog slides out of the way of the manual page its Help button opened.
void SlideToLeftEdge(HWND window);

}  // namespace corvisant
