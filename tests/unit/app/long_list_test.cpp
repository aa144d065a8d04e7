// The list control for very long lists without its window: scrolling, selection by clicks,
// the 256-line cache, inserts at the front, and the layout rules of the tool windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/long_list_model.h"
#include "app/tool_window_layout.h"

namespace corvisant {
namespace {

constexpr int kLineHeight = 16;

// An owner whose line i reads "line i", and which counts what it was asked.
class CountingOwner : public LongListOwner {
 public:
  std::optional<std::string> LineText(int index) override {
    asked.push_back(index);
    return "line " + std::to_string(index);
  }
  std::vector<int> asked;
};

struct ListUnderTest {
  ListUnderTest(int count, int linesPerPage) {
    model.SetLineHeight(kLineHeight);
    // A partly shown last line counts as a line of the page.
    model.SetClientSize(300, linesPerPage * kLineHeight - kLineHeight / 2);
    model.SetCount(count);
  }
  // The texts of the page as painted.
  std::vector<std::string> Page() {
    std::vector<std::string> page;
    model.PaintLines([&](const PaintedLine& line) {
      page.push_back(std::string(line.text) + (line.selected ? "*" : ""));
    });
    return page;
  }
  CountingOwner owner;
  LongListModel model{owner};
};

TEST(LongList, ScrollCommandsKeepTheTopBetweenZeroAndOneEmptyLineBelowTheLast) {
  using C = ScrollCommand;
  struct Case {
    int count, top;
    ScrollCommand command;
    int thumb, expected;
  } cases[] = {
      {100000, 0, C::kLineUp, 0, 0},
      {100000, 0, C::kLineDown, 0, 1},
      {100000, 0, C::kPageDown, 0, 25},
      {100000, 99970, C::kPageDown, 0, 99976},
      {100000, 99976, C::kLineDown, 0, 99976},
      {100000, 0, C::kBottom, 0, 99975},
      {100000, 5000, C::kTop, 0, 0},
      {100000, 30, C::kPageUp, 0, 5},
      {100000, 0, C::kThumbTrack, 99000, 99000},
      {100000, 0, C::kThumbTrack, 123456, 99976},
      {100000, 40, C::kOther, 7, 40},
      {10, 0, C::kPageDown, 0, 0},
      {10, 0, C::kLineDown, 0, 0},
      {10, 0, C::kBottom, 0, 0},
      {10, 0, C::kThumbTrack, 9, 0},
      {0, 0, C::kLineDown, 0, 0},
  };
  for (const Case& c : cases) {
    ListUnderTest list(c.count, 25);
    list.model.Scroll(C::kThumbTrack, c.top);
    list.model.Scroll(c.command, c.thumb);
    EXPECT_EQ(list.model.top(), c.expected) << c.count << " from " << c.top;
  }
  // A scroll message carries 16 bits of the thumb; the bar's tracking position all of them.
  EXPECT_EQ(WidenThumbPosition(99000 & 0xFFFF, 99000), 99000);
  EXPECT_EQ(WidenThumbPosition(300, 99000), 300);
}

TEST(LongList, AHundredThousandEntriesPageDownToTheEndAndShowOneEmptyLine) {
  ListUnderTest list(100000, 25);
  int pages = 0;
  while (list.model.Scroll(ScrollCommand::kPageDown)) ++pages;
  EXPECT_EQ(pages, 4000);
  std::vector<std::string> page = list.Page();
  EXPECT_EQ(page.front(), "line 99976");
  EXPECT_EQ(page[23], "line 99999");
  EXPECT_EQ(page[24], "");
  ScrollBarState bar = list.model.ScrollBar();
  EXPECT_EQ(std::vector<int>({bar.maximum, bar.page, bar.position, bar.enabled}),
            std::vector<int>({100000, 25, 99976, 1}));
  EXPECT_FALSE(ListUnderTest(10, 25).model.ScrollBar().enabled);
}

TEST(LongList, ClicksMoveTheCaretAndWithoutShiftTheAnchor) {
  struct Click {
    int line;
    bool shift;
    int anchor, caret;
  } clicks[] = {
      {3, true, 3, 3},  // Shift with nothing selected starts the selection there
      {5, false, 5, 5}, {2, true, 5, 2},
      {8, true, 5, 8},  {12, false, -1, -1},  // below the last of 10 entries: cleared
      {0, false, 0, 0},
  };
  ListUnderTest list(10, 25);
  for (const Click& click : clicks) {
    list.model.LeftButtonDown(click.line * kLineHeight + 3, click.shift);
    EXPECT_EQ(std::make_pair(list.model.anchor(), list.model.caret()),
              std::make_pair(click.anchor, click.caret))
        << click.line;
  }
  list.model.LeftButtonDown(2 * kLineHeight, false);
  list.model.LeftButtonDown(4 * kLineHeight, true);
  EXPECT_EQ(list.Page()[1] + list.Page()[2] + list.Page()[4] + list.Page()[5],
            "line 1line 2*line 4*line 5");
  int first = 0, last = 0;
  EXPECT_TRUE(list.model.SelectionRange(&first, &last));
  EXPECT_EQ(std::make_pair(first, last), std::make_pair(2, 4));
  list.model.SelectAll();
  EXPECT_EQ(std::make_pair(list.model.anchor(), list.model.caret()), std::make_pair(0, 9));
  EXPECT_FALSE(list.model.Select(10));
}

TEST(LongList, TheCacheKeepsThe256LinesGivenLastAndAHitDoesNotMove) {
  ListUnderTest list(1000, 25);
  for (int i = 0; i < 256; ++i) list.model.Line(i);
  list.model.Line(0);  // a hit: line 0 stays the oldest
  EXPECT_EQ(list.owner.asked.size(), 256u);
  list.model.Line(256);
  EXPECT_EQ(list.model.cache().Items().front(), 256);
  EXPECT_EQ(list.model.cache().Items().back(), 1);
  list.model.Line(0);  // evicted: asked again
  EXPECT_EQ(list.owner.asked.back(), 0);
  // A repaint of the same page asks for nothing; a page asks only for its own lines.
  ListUnderTest painted(100000, 25);
  painted.model.Scroll(ScrollCommand::kThumbTrack, 50000);
  painted.Page();
  painted.Page();
  EXPECT_EQ(painted.owner.asked.size(), 25u);
  EXPECT_EQ(painted.owner.asked.front(), 50000);
}

TEST(LongList, AnInsertAtTheFrontKeepsAScrolledViewAndShowsTheNewLineAtTheTop) {
  struct Case {
    int top, anchor, caret;
    bool keep;
    int top2, anchor2, caret2;
  } cases[] = {
      {50, 60, 70, false, 51, 61, 71},  // the user looks at entries 50 to 80
      {0, 0, 3, false, 0, 0, 4},        // at the top: line 0 is the new visit
      {1, -1, -1, false, 1, -1, -1},
      {0, 0, 0, true, 0, 1, 1},
  };
  for (const Case& c : cases) {
    ListUnderTest list(100, 31);
    list.model.Scroll(ScrollCommand::kThumbTrack, c.top);
    list.model.LeftButtonDown((c.anchor - c.top) * kLineHeight, false);
    list.model.LeftButtonDown((c.caret - c.top) * kLineHeight, true);
    if (c.anchor < 0) list.model.ClearSelection();
    list.model.InsertAtFront("new visit", c.keep);
    EXPECT_EQ(std::vector<int>(
                  {list.model.count(), list.model.top(), list.model.anchor(), list.model.caret()}),
              std::vector<int>({101, c.top2, c.anchor2, c.caret2}))
        << c.top;
  }
  ListUnderTest list(100, 25);
  list.Page();
  list.model.InsertAtFront("new visit");
  EXPECT_EQ(list.Page()[0] + "|" + list.Page()[1], "new visit|line 0");
  EXPECT_EQ(list.owner.asked.size(), 25u);  // the old lines' texts moved down with them
}

TEST(LongList, EnsureVisibleCentresALineOutsideTheFullyShownOnes) {
  struct Case {
    int top, item, expected;
  } cases[] = {{0, 10, 0},        {0, 23, 0}, {0, 24, 12},  {500, 499, 487},
               {0, 99999, 99976}, {40, 5, 0}, {40, -1, 40}, {40, 100000, 40}};
  for (const Case& c : cases) {
    ListUnderTest list(100000, 25);
    list.model.Scroll(ScrollCommand::kThumbTrack, c.top);
    list.model.EnsureVisible(c.item);
    EXPECT_EQ(list.model.top(), c.expected) << c.item;
  }
}

TEST(ToolWindowLayout, EachModePlacesTheChildAgainstTheClientRectangle) {
  using H = Horizontal;
  using V = Vertical;
  const LayoutRect client{0, 0, 400, 300};
  struct Case {
    LayoutRule rule;
    LayoutRect expected;
  } cases[] = {
      {{H::kAbsolute, V::kAbsolute, 5, 6, 50, 60}, {5, 6, 50, 60}},
      {{H::kLeftAnchored, V::kTopAnchored, 2, 2, 100, 20}, {2, 2, 102, 22}},
      {{H::kRightAnchored, V::kBottomAnchored, 64, 24, 10, 50}, {326, 226, 390, 250}},
      {{H::kStretched, V::kStretched, 2, 24, 2, 116}, {2, 24, 398, 184}},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyLayout(c.rule, client), c.expected);
}

}  // namespace
}  // namespace corvisant
