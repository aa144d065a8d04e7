// A clock that stands still until a test moves it; sleeping moves it by the time slept.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace corvisant::testing {

class FakeClock : public Clock {
 public:
  explicit FakeClock(UnixTime start = 0) : milliseconds_(start * kMillisecondsPerSecond) {}

  UnixTime Now() override { return milliseconds_ / kMillisecondsPerSecond; }
  void Sleep(unsigned milliseconds) override {
    milliseconds_ += milliseconds;
    slept_ += milliseconds;
  }

  void Advance(UnixTime seconds) { milliseconds_ += seconds * kMillisecondsPerSecond; }
  void Set(UnixTime seconds) { milliseconds_ = seconds * kMillisecondsPerSecond; }
  // Milliseconds passed in Sleep since the clock was made.
  std::int64_t TotalSlept() const { return slept_; }

 private:
  static constexpr std::int64_t kMillisecondsPerSecond = 1000;
  std::int64_t milliseconds_;
  std::int64_t slept_ = 0;
};

}  // namespace corvisant::testing
