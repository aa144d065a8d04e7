#pragma once

#include "platform/clock.h"

namespace corvisant {

class Win32Clock : public Clock {
 public:
  UnixTime Now() override;
  void Sleep(unsigned milliseconds) override;
};

}  // namespace corvisant
