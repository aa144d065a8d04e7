#include "common/trace.h"

#include <cstdio>

namespace corvisant {
namespace {
TraceSink* traceSink = nullptr;
}  // namespace

TraceSink* SetTraceSink(TraceSink* sink) {
  TraceSink* previous = traceSink;
  traceSink = sink;
  return previous;
}

void Trace(const char* format, ...) {
  if (traceSink == nullptr) return;
  char line[kTraceLineMax + 1];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  traceSink->TraceLine(line);
}

}  // namespace corvisant
