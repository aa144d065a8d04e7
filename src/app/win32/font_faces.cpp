#include "app/win32/font_faces.h"

namespace corvisant {
namespace {

// Vertical faces, drawn for top-to-bottom writing, are named with this mark in front.
constexpr char kVerticalFaceMark = '@';
constexpr LONG kNormalWeight = 400;
constexpr int kTenthsPerPoint = 10;
constexpr int kPointsPerInch = 72;

int CALLBACK TakeFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  if (font->lfFaceName[0] != kVerticalFaceMark) {
    reinterpret_cast<SortedStringList*>(data)->AddIfAbsent(font->lfFaceName);
  }
  return TRUE;
}

BYTE SystemFontCharacterSet(HDC context) {
  HGDIOBJ previous = ::SelectObject(context, ::GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(context, &metrics);
  ::SelectObject(context, previous);
  return metrics.tmCharSet;
}

}  // namespace

void BuildFontFaceList(HWND window, int size, SortedStringList* faces) {
  HDC context = ::GetDC(window);
  if (context == nullptr) return;
  LOGFONTA query{};
  query.lfHeight =
      -::MulDiv(size, ::GetDeviceCaps(context, LOGPIXELSY), kTenthsPerPoint * kPointsPerInch);
  query.lfWeight = kNormalWeight;
  query.lfQuality = DEFAULT_QUALITY;
  for (BYTE characterSet : {static_cast<BYTE>(ANSI_CHARSET), SystemFontCharacterSet(context)}) {
    query.lfCharSet = characterSet;
    ::EnumFontFamiliesExA(context, &query, TakeFace, reinterpret_cast<LPARAM>(faces), 0);
  }
  ::ReleaseDC(window, context);
  faces->Sort();
}

}  // namespace corvisant
