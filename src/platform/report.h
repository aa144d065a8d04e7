// The report port: how the core tells the user of a failure. A report names a string-table
// message (message_ids.h) and its arguments; the installed reporter shows it (the error dialog
// in the program) and ends the process after a fatal one.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/process_wide.h"

namespace corvisant {

// "Keep running": 1 for a non-fatal report, 0 for a fatal one.
constexpr int kReportFatal = 0;
constexpr int kReportNonFatal = 1;
// Self-close seconds of a report that waits for OK, and of one that may close itself.
constexpr int kReportNeverCloses = 0;
constexpr int kReportClosesAfter5s = 5;

// One argument of a message: a number (%d, %x, %08X) or a text (%s).
struct ReportArgument {
  ReportArgument(int value) : isText(false), number(value) {}
  ReportArgument(unsigned value) : isText(false), number(static_cast<long long>(value)) {}
  ReportArgument(long value) : isText(false), number(value) {}
  ReportArgument(long long value) : isText(false), number(value) {}
  ReportArgument(unsigned long value) : isText(false), number(static_cast<long long>(value)) {}
  ReportArgument(unsigned long long value) : isText(false), number(static_cast<long long>(value)) {}
  ReportArgument(const char* value) : isText(true), text(value) {}
  ReportArgument(std::string_view value) : isText(true), text(value) {}
  ReportArgument(const std::string& value) : isText(true), text(value) {}

  bool isText;
  long long number = 0;
  std::string text;
};

struct ReportRequest {
  int keepRunning = kReportNonFatal;
  int selfCloseSeconds = kReportNeverCloses;
  int messageId = 0;
  std::vector<ReportArgument> arguments;
};

class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void Report(const ReportRequest& request) = 0;
};

// Reports go to Current<Reporter>(); while none is installed, a report is a line on stderr with
// the message id and arguments, and a fatal one ends the process with -1.
void Report(int keepRunning, int selfCloseSeconds, int messageId,
            std::initializer_list<ReportArgument> arguments = {});

}  // namespace corvisant
