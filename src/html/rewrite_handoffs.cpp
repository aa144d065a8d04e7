#include "html/rewrite_handoffs.h"

#include "platform/report.h"

namespace corvisant {
void ReportPageFileFailure(int messageId, std::string_view path) {
  Report(kReportNonFatal, kReportClosesAfter5s, messageId, {path});
}

}  // namespace corvisant
