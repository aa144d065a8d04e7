#include "app/win32/long_list_box.h"

#include <windowsx.h>

namespace corvisant {
namespace {

ScrollCommand CommandOf(WORD code) {
  switch (code) {
    case SB_LINEUP:
      return ScrollCommand::kLineUp;
    case SB_LINEDOWN:
      return ScrollCommand::kLineDown;
    case SB_PAGEUP:
      return ScrollCommand::kPageUp;
    case SB_PAGEDOWN:
      return ScrollCommand::kPageDown;
    case SB_THUMBTRACK:
      return ScrollCommand::kThumbTrack;
    case SB_TOP:
      return ScrollCommand::kTop;
    case SB_BOTTOM:
      return ScrollCommand::kBottom;
    default:
      return ScrollCommand::kOther;
  }
}

bool RegisterLongListBoxClass() {
  return WindowBase::RegisterClass(WindowClass{
      kLongListBoxClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
      static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)), nullptr});
}

}  // namespace

bool LongListBox::Create(const RECT& rect, HWND parent, int controlId) {
  if (!RegisterLongListBoxClass()) return false;
  return WindowBase::Create(kLongListBoxClass, WS_EX_CLIENTEDGE, "",
                            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId))) != nullptr;
}

void LongListBox::Repaint() {
  if (hwnd() == nullptr) return;
  UpdateScrollBar();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void LongListBox::SetCount(int count) {
  model_.SetCount(count);
  Repaint();
}

void LongListBox::Select(int i) {
  if (model_.Select(i)) Repaint();
}

void LongListBox::SelectAll() {
  model_.SelectAll();
  Repaint();
}

void LongListBox::SetFont(HFONT font, bool redraw) {
  font_ = font;
  if (hwnd() != nullptr) {
    HDC context = ::GetDC(hwnd());
    HGDIOBJ old = ::SelectObject(context, font);
    TEXTMETRICA metrics;
    if (::GetTextMetricsA(context, &metrics)) {
      model_.SetLineHeight(metrics.tmHeight + metrics.tmExternalLeading);
    }
    ::SelectObject(context, old);
    ::ReleaseDC(hwnd(), context);
  }
  UpdateScrollBar();
  if (redraw) Repaint();
}

void LongListBox::EnsureVisible(int i) {
  model_.EnsureVisible(i);
  Repaint();
}

void LongListBox::InsertAtFront(std::string_view text, bool selectionKeepsItsItems) {
  model_.InsertAtFront(text, selectionKeepsItsItems);
  Repaint();
}

void LongListBox::UpdateScrollBar() {
  if (hwnd() == nullptr) return;
  ScrollBarState bar = model_.ScrollBar();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  // The bar stays shown, disabled, when nothing can scroll.
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = bar.maximum;
  info.nPage = static_cast<UINT>(bar.page);
  info.nPos = bar.position;
  // Drawn with the next paint rather than at once: a burst of scroll commands (the page-down key
  // held on a long list) then costs one drawing of the bar, not one per command.
  ::SetScrollInfo(hwnd(), SB_VERT, &info, FALSE);
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void LongListBox::Paint() {
  PAINTSTRUCT paint;
  HDC context = ::BeginPaint(hwnd(), &paint);
  HGDIOBJ oldFont = font_ != nullptr ? ::SelectObject(context, font_) : nullptr;
  RECT client;
  ::GetClientRect(hwnd(), &client);
  ::FillRect(context, &client, ::GetSysColorBrush(COLOR_WINDOW));
  int height = model_.lineHeight();
  model_.PaintLines([&](const PaintedLine& line) {
    RECT rect{0, line.line * height, model_.clientWidth(), (line.line + 1) * height};
    ::FillRect(context, &rect, ::GetSysColorBrush(line.selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetBkColor(context, ::GetSysColor(line.selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(context, ::GetSysColor(line.selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::TextOutA(context, 0, rect.top, line.text.data(), static_cast<int>(line.text.size()));
  });
  if (oldFont != nullptr) ::SelectObject(context, oldFont);
  ::EndPaint(hwnd(), &paint);
}

void LongListBox::VerticalScroll(WPARAM wParam) {
  WORD code = LOWORD(wParam);
  int position = HIWORD(wParam);
  if (code == SB_THUMBTRACK) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    if (::GetScrollInfo(hwnd(), SB_VERT, &info)) {
      position = WidenThumbPosition(position, info.nTrackPos);
    }
  }
  if (model_.Scroll(CommandOf(code), position)) Repaint();
}

void LongListBox::LeftButtonDown(LPARAM lParam, WPARAM keys) {
  model_.LeftButtonDown(GET_Y_LPARAM(lParam), (keys & MK_SHIFT) != 0);
  Repaint();
  ::SetFocus(hwnd());
  SelectionChanged(click::kLeft);
}

LRESULT LongListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SIZE:
      model_.SetClientSize(LOWORD(lParam), HIWORD(lParam));
      UpdateScrollBar();
      return 0;
    case WM_VSCROLL:
      VerticalScroll(wParam);
      return 0;
    case WM_LBUTTONDOWN:
      LeftButtonDown(lParam, wParam);
      return 0;
    case WM_RBUTTONDOWN:
      RightButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDBLCLK:
      Activated(click::kLeft);
      ::SetFocus(hwnd());
      return 0;
    case WM_RBUTTONDBLCLK:
      Activated(click::kRight);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      KeyDown(wParam);
      return 0;
    default:
      return WindowBase::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace corvisant
