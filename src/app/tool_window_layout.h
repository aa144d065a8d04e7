// The layout rule that each child control of a tool window carries (the URL list window, the
// Domain View, the Finder): a horizontal and a vertical mode and four numbers a, b, c, d in
// pixels, applied against the parent's client rectangle whenever the parent is restored or
// maximised.
#pragma once

namespace corvisant {

enum class Horizontal {
  kAbsolute,       // left a, right c
  kLeftAnchored,   // left L + a, width c
  kRightAnchored,  // width a, right margin c
  kStretched,      // left L + a, right margin c
};

enum class Vertical {
  kAbsolute,        // top b, bottom d
  kTopAnchored,     // top T + b, height d
  kBottomAnchored,  // height b, bottom margin d
  kStretched,       // top T + b, bottom margin d
};

struct LayoutRule {
  Horizontal horizontal;
  Vertical vertical;
  int a;
  int b;
  int c;
  int d;
};

struct LayoutRect {
  int left;
  int top;
  int right;
  int bottom;
};

inline bool operator==(const LayoutRect& x, const LayoutRect& y) {
  return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
}

// Where the rule puts the child in a parent whose client rectangle is client.
LayoutRect ApplyLayout(const LayoutRule& rule, const LayoutRect& client);

}  // namespace corvisant
