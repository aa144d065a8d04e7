// The reporter of the command-line front: a report is its message text, filled with its
// arguments as the error dialog would show it, on a line of its own after the program's name; a
// fatal report then ends the process with -1.
#pragma once

#include <cstdio>

#include "platform/report.h"

namespace corvisant {

class TextReporter : public Reporter {
 public:
  TextReporter(std::FILE* out, const char* programName) : out_(out), programName_(programName) {}
  void Report(const ReportRequest& request) override;

 private:
  std::FILE* out_;
  const char* programName_;
};

}  // namespace corvisant
