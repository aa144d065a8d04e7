#include "app/tool_window_layout.h"

namespace corvisant {
namespace {

// One axis: the parent's low and high edges, the mode's two numbers, the child's two edges.
void ApplyHorizontal(Horizontal mode, int low, int high, int a, int c, int* left, int* right) {
  switch (mode) {
    case Horizontal::kAbsolute:
      *left = a, *right = c;
      break;
    case Horizontal::kLeftAnchored:
      *left = low + a, *right = low + a + c;
      break;
    case Horizontal::kRightAnchored:
      *left = high - a - c, *right = high - c;
      break;
    case Horizontal::kStretched:
      *left = low + a, *right = high - c;
      break;
  }
}

void ApplyVertical(Vertical mode, int low, int high, int b, int d, int* top, int* bottom) {
  switch (mode) {
    case Vertical::kAbsolute:
      *top = b, *bottom = d;
      break;
    case Vertical::kTopAnchored:
      *top = low + b, *bottom = low + b + d;
      break;
    case Vertical::kBottomAnchored:
      *top = high - d - b, *bottom = high - d;
      break;
    case Vertical::kStretched:
      *top = low + b, *bottom = high - d;
      break;
  }
}

}  // namespace

LayoutRect ApplyLayout(const LayoutRule& rule, const LayoutRect& client) {
  LayoutRect child{};
  ApplyHorizontal(rule.horizontal, client.left, client.right, rule.a, rule.c, &child.left,
                  &child.right);
  ApplyVertical(rule.vertical, client.top, client.bottom, rule.b, rule.d, &child.top,
                &child.bottom);
  return child;
}

}  // namespace corvisant
