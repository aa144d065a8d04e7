#include "app/win32/window_fonts.h"

#include "common/preferences.h"

namespace corvisant {
namespace {
// Point sizes are given in tenths; a point is 1/72 inch.
constexpr int kTenthsPerInch = 720;
}  // namespace

HFONT FontHandle::Release() {
  HFONT font = font_;
  font_ = nullptr;
  return font;
}

HFONT MakePointFont(int size, const std::string& face) {
  HDC screen = ::GetDC(nullptr);
  LOGFONTA font{};
  font.lfHeight = -::MulDiv(size, ::GetDeviceCaps(screen, LOGPIXELSY), kTenthsPerInch);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  face.copy(font.lfFaceName, sizeof font.lfFaceName - 1);
  ::ReleaseDC(nullptr, screen);
  return ::CreateFontIndirectA(&font);
}

WindowFonts::WindowFonts(int size, const std::string& face) {
  int defaultSize = 0;
  std::string defaultFace;
  ParseFontSetting(kDefaultFontSetting, &defaultSize, &defaultFace);
  ui_.Reset(MakePointFont(defaultSize, defaultFace));
  user_.Reset(MakePointFont(size, face));
}

HFONT WindowFonts::ReplaceUserFont(int size, const std::string& face) {
  HFONT old = user_.Release();
  user_.Reset(MakePointFont(size, face));
  return old;
}

}  // namespace corvisant
