// The list control for very long lists as a Windows child control of the class "LongListBox": it
// paints only the lines of its page, asking LineText for those its cache lacks, keeps one
// contiguous selection, scrolls with its vertical bar and tells its subclass of clicks.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/long_list_model.h"
#include "app/win32/window_base.h"

namespace corvisant {

constexpr const char* kLongListBoxClass = "LongListBox";

// How a click reached the list.
namespace click {
constexpr int kLeft = 1;
constexpr int kRight = 2;
}  // namespace click

class LongListBox : public WindowBase, protected LongListOwner {
 public:
  LongListBox() = default;

  // Makes the control (with a border and a client edge) at rect of parent; false on failure.
  virtual bool Create(const RECT& rect, HWND parent, int controlId);

  void SetCount(int count);
  // When i < count: i alone is selected; repaints.
  void Select(int i);
  void SelectAll();
  int FirstSelected() const { return model_.FirstSelected(); }
  bool SelectionRange(int* first, int* last) const { return model_.SelectionRange(first, last); }
  // Measures the line height with font, keeps the font (not owned) and updates the scroll bar.
  void SetFont(HFONT font, bool redraw);
  virtual void EnsureVisible(int i);
  virtual void InsertAtFront(std::string_view text, bool selectionKeepsItsItems = false);

  const LongListModel& model() const { return model_; }
  // Repaints the whole control and its scroll bar.
  void Repaint();

 protected:
  virtual void SelectionChanged(int /*how*/) {}
  virtual void Activated(int /*how*/) {}
  std::optional<std::string> LineText(int /*index*/) override { return std::nullopt; }
  // A right button press at point (client coordinates): Selection changed (2) unless replaced.
  virtual void RightButtonDown(POINT /*point*/) { SelectionChanged(click::kRight); }
  // A key went down in the control; the base has no keyboard handling of its own.
  virtual void KeyDown(WPARAM /*virtualKey*/) {}
  // The list attached anew: its lines are read anew.
  void ForgetLines() { model_.ForgetLines(); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  void UpdateScrollBar();
  void VerticalScroll(WPARAM wParam);
  void LeftButtonDown(LPARAM lParam, WPARAM keys);

  LongListModel model_{*this};
  HFONT font_ = nullptr;
};

}  // namespace corvisant
