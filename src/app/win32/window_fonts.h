// The two fonts of the system's windows: uiFont for labels and buttons (8 point "MS Sans Serif",
// made once) and userFont for the content of lists and edit fields (the preference record's size
// and face, made anew when they change). Owned here, lent to the windows.
#pragma once

#include <windows.h>

#include <string>

namespace corvisant {

// A font object, deleted with its owner.
class FontHandle {
 public:
  FontHandle() = default;
  explicit FontHandle(HFONT font) : font_(font) {}
  ~FontHandle() { Reset(nullptr); }
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;

  HFONT get() const { return font_; }
  // The font, no longer owned here.
  HFONT Release();
  void Reset(HFONT font) {
    if (font_ != nullptr) ::DeleteObject(font_);
    font_ = font;
  }

 private:
  HFONT font_ = nullptr;
};

// A font of size tenths of a point and face, as the screen shows points.
HFONT MakePointFont(int size, const std::string& face);

class WindowFonts {
 public:
  // uiFont from the default font setting, userFont from size and face.
  WindowFonts(int size, const std::string& face);

  HFONT ui() const { return ui_.get(); }
  HFONT user() const { return user_.get(); }
  // A new userFont; the old one is handed back, to be deleted once the windows have taken the
  // new one.
  HFONT ReplaceUserFont(int size, const std::string& face);

 private:
  FontHandle ui_;
  FontHandle user_;
};

}  // namespace corvisant
