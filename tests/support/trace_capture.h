// Collects the trace while it lives, and restores the previous sink afterwards.
#pragma once

#include <string>
#include <vector>

#include "common/trace.h"

namespace corvisant::testing {

class TraceCapture : public TraceSink {
 public:
  TraceCapture() = default;
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  void TraceLine(const char* line) override { lines_.emplace_back(line); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  Installed<TraceSink> installed_{this};
  std::vector<std::string> lines_;
};

}  // namespace corvisant::testing
