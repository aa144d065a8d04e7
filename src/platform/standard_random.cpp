#include "platform/random.h"

namespace corvisant {
namespace {
constexpr unsigned kMultiplier = 214013u;
constexpr unsigned kIncrement = 2531011u;
constexpr unsigned kResultShift = 16;
}  // namespace

int StandardRandom::Next() {
  state_ = state_ * kMultiplier + kIncrement;
  return static_cast<int>((state_ >> kResultShift) & kRandomMax);
}

}  // namespace corvisant
