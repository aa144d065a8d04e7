#include "app/long_list_model.h"

#include <algorithm>

namespace corvisant {
namespace {
constexpr int kThumbMessageBits = 0xFFFF;
}  // namespace

int WidenThumbPosition(int messagePosition, int trackPosition) {
  return (trackPosition & kThumbMessageBits) == messagePosition ? trackPosition : messagePosition;
}

void LongListModel::SetCount(int count) {
  count_ = std::max(count, 0);
  if (std::max(anchor_, caret_) >= count_) ClearSelection();
  top_ = LimitTop(top_);
}

void LongListModel::UpdateLinesPerPage() {
  linesPerPage_ = (clientHeight_ + lineHeight_ - 1) / lineHeight_;
}

void LongListModel::SetClientSize(int width, int height) {
  clientWidth_ = std::max(width, 0);
  clientHeight_ = std::max(height, 0);
  UpdateLinesPerPage();
}

void LongListModel::SetLineHeight(int pixels) {
  lineHeight_ = std::max(pixels, 1);
  UpdateLinesPerPage();
}

bool LongListModel::Select(int i) {
  if (i >= count_) return false;
  anchor_ = caret_ = std::max(i, kNoItem);
  return true;
}

void LongListModel::SelectAll() {
  if (count_ == 0) return;
  anchor_ = 0;
  caret_ = count_ - 1;
}

void LongListModel::ClearSelection() { anchor_ = caret_ = kNoItem; }

bool LongListModel::SelectionRange(int* first, int* last) const {
  if (!HasSelection()) {
    *first = *last = kNoItem;
    return false;
  }
  *first = std::min(anchor_, caret_);
  *last = std::max(anchor_, caret_);
  return true;
}

int LongListModel::FirstSelected() const {
  int first = kNoItem;
  int last = kNoItem;
  SelectionRange(&first, &last);
  return first;
}

bool LongListModel::IsSelected(int item) const {
  int first = kNoItem;
  int last = kNoItem;
  return SelectionRange(&first, &last) && item >= first && item <= last;
}

int LongListModel::LimitTop(int top) const {
  return std::max(std::min(top, count_ - linesPerPage_ + 1), 0);
}

bool LongListModel::Scroll(ScrollCommand command, int thumbPosition) {
  int top = top_;
  switch (command) {
    case ScrollCommand::kLineUp:
      top = top_ - 1;
      break;
    case ScrollCommand::kLineDown:
      top = top_ + 1;
      break;
    case ScrollCommand::kPageUp:
      top = top_ - linesPerPage_;
      break;
    case ScrollCommand::kPageDown:
      top = top_ + linesPerPage_;
      break;
    case ScrollCommand::kThumbTrack:
      top = thumbPosition;
      break;
    case ScrollCommand::kTop:
      top = 0;
      break;
    case ScrollCommand::kBottom:
      top = count_ - linesPerPage_;
      break;
    case ScrollCommand::kOther:
      break;
  }
  top = LimitTop(top);
  if (top == top_) return false;
  top_ = top;
  return true;
}

ScrollBarState LongListModel::ScrollBar() const {
  return ScrollBarState{count_, linesPerPage_, top_, LimitTop(count_) > 0};
}

void LongListModel::LeftButtonDown(int y, bool shift) {
  int item = top_ + std::max(y, 0) / lineHeight_;
  if (item >= count_) {
    ClearSelection();
    return;
  }
  // A Shift-click with no selection yet starts one there: a range needs both its ends.
  if (!shift || anchor_ == kNoItem) anchor_ = item;
  caret_ = item;
}

void LongListModel::EnsureVisible(int i) {
  if (i < 0 || i >= count_) return;
  // Half a page from the top, but never past the bottom position, where the scroll bar's thumb
  // could not follow.
  if (i < top_ || i >= top_ + linesPerPage_ - 1) top_ = LimitTop(i - linesPerPage_ / 2);
}

void LongListModel::InsertAtFront(std::string_view text, bool selectionKeepsItsItems) {
  ++count_;
  cache_.InsertAtFront(text);
  int firstMoved = selectionKeepsItsItems ? 0 : 1;
  if (anchor_ >= firstMoved) ++anchor_;
  if (caret_ >= firstMoved) ++caret_;
  // A view at the very top shows the new line; one scrolled down keeps its items in view.
  if (top_ > 1) ++top_;
}

const std::string* LongListModel::Line(int i) {
  if (i < 0 || i >= count_) return nullptr;
  if (const std::string* cached = cache_.Find(i)) return cached;
  std::optional<std::string> text = owner_.LineText(i);
  if (!text) return nullptr;
  return &cache_.Store(i, *text);
}

}  // namespace corvisant
