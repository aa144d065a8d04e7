#include "common/trace.h"

#include <cstdio>

namespace corvisant {

void Trace(const char* format, ...) {
  TraceSink* traceSink = Current<TraceSink>();
  if (traceSink == nullptr) return;
  char line[kTraceLineMax + 1];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  traceSink->TraceLine(line);
}

}  // namespace corvisant
