// The list control for very long lists, without its window: it stores no items, only their
// number; it asks its owner for the text of a line when the line is painted, keeps the last 256
// texts, and keeps one contiguous selection between an anchor and a caret. The Windows control
// (app/win32/long_list_box.h) feeds it sizes, scroll commands and clicks and paints what it says.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/long_list_cache.h"

namespace corvisant {

// The line height until a font has been measured, in pixels.
constexpr int kUnmeasuredLineHeight = 10;
// No item: the anchor and caret of an empty selection.
constexpr int kNoItem = -1;

class LongListOwner {
 public:
  virtual ~LongListOwner() = default;
  // The text of line index, or nothing.
  virtual std::optional<std::string> LineText(int index) = 0;
};

// What the vertical scroll bar shows: range 0 to maximum, a page of page lines, the thumb at
// position. Nothing can scroll when the whole list fits: the bar is then shown disabled.
struct ScrollBarState {
  int maximum = 0;
  int page = 0;
  int position = 0;
  bool enabled = false;
};

enum class ScrollCommand {
  kLineUp,
  kLineDown,
  kPageUp,
  kPageDown,
  kThumbTrack,
  kTop,
  kBottom,
  kOther,
};

// The thumb position of a scroll message carries only 16 bits, too few for a list of more than
// 65,535 lines; the scroll bar's own tracking position has all of them. The message's value is
// kept when the two disagree (a message that no tracking made).
int WidenThumbPosition(int messagePosition, int trackPosition);

// One line of a paint: line number on the control, the item shown there, whether it is selected,
// and its text (empty beyond the last item or when the owner gave nothing).
struct PaintedLine {
  int line;
  int item;
  bool selected;
  std::string_view text;
};

class LongListModel {
 public:
  explicit LongListModel(LongListOwner& owner) : owner_(owner) {}

  int count() const { return count_; }
  int linesPerPage() const { return linesPerPage_; }
  int top() const { return top_; }
  int anchor() const { return anchor_; }
  int caret() const { return caret_; }
  int lineHeight() const { return lineHeight_; }
  int clientWidth() const { return clientWidth_; }

  // A new number of lines; a selection or top index beyond it is given up.
  void SetCount(int count);
  // The client area's size; lines per page is its height over the line height, rounded up.
  void SetClientSize(int width, int height);
  void SetLineHeight(int pixels);

  // When i < count: anchor = caret = i (a negative i clears the selection). False otherwise.
  bool Select(int i);
  void SelectAll();
  void ClearSelection();
  bool HasSelection() const { return caret_ != kNoItem; }
  bool IsSelected(int item) const;
  // The smaller end of the selection, or kNoItem.
  int FirstSelected() const;
  // The selection as (smaller, larger); both kNoItem and false when there is none.
  bool SelectionRange(int* first, int* last) const;

  // The new top index of a scroll command: limited to count - lines per page + 1, so that the
  // bottom position leaves one empty line, and to at least 0. True when it changed.
  bool Scroll(ScrollCommand command, int thumbPosition = 0);
  ScrollBarState ScrollBar() const;

  // A left button press at height y of the client area: the item there becomes the caret (and,
  // without Shift, the anchor); below the last item the selection is cleared.
  void LeftButtonDown(int y, bool shift);

  // Brings i into view, half a page from the top, when it lies outside the fully shown lines.
  void EnsureVisible(int i);
  // A new line 0 (the history's newest visit): the items, the selection and a top index beyond
  // the first lines move one down, so that a view scrolled down keeps showing the same items. An
  // end of the selection on line 0 stays on line 0, and so on the new item, unless
  // selectionKeepsItsItems.
  void InsertAtFront(std::string_view text, bool selectionKeepsItsItems = false);

  // The text of line i through the cache; null when i is not a line or the owner gave nothing.
  const std::string* Line(int i);
  // Every line of the page in order, asking the owner only for the shown items.
  template <typename Paint>
  void PaintLines(Paint paint) {
    for (int line = 0; line < linesPerPage_; ++line) {
      int item = top_ + line;
      const std::string* text = Line(item);
      paint(PaintedLine{line, item, IsSelected(item), text ? std::string_view(*text) : ""});
    }
  }
  // A list attached anew: its lines are read anew.
  void ForgetLines() { cache_.Clear(); }
  const LineCache& cache() const { return cache_; }

 private:
  int LimitTop(int top) const;
  void UpdateLinesPerPage();

  LongListOwner& owner_;
  int count_ = 0;
  int linesPerPage_ = 0;
  int top_ = 0;
  int anchor_ = kNoItem;
  int caret_ = kNoItem;
  int lineHeight_ = kUnmeasuredLineHeight;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  LineCache cache_;
};

}  // namespace corvisant
