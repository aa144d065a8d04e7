// The diagnostic trace: operations describe what they do ("Netscape is Busy", "Arrived too late
// %s") with a format and arguments. Normal builds discard it; a test or a debug build installs a
// sink that receives the formatted lines.
#pragma once

#include <cstdarg>

#include "common/process_wide.h"

namespace corvisant {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void TraceLine(const char* line) = 0;
};

// Lines go to Current<TraceSink>(). Formats only when a sink is installed, so the trace costs
// nothing in normal builds.
void Trace(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The longest line a sink receives; longer traces are cut.
constexpr int kTraceLineMax = 1023;

}  // namespace corvisant
