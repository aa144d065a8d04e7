// The clock port: the current time in whole seconds and sleeps in milliseconds. Tests use a fake
// whose sleeps advance it, so that no test waits out a rule for real.
#pragma once

#include "common/times.h"

namespace corvisant {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual UnixTime Now() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace corvisant
