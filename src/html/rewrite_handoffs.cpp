#include "html/rewrite_handoffs.h"

#include "platform/report.h"

namespace corvisant {
namespace {

RewriteHandoffs& Installed() {
  static RewriteHandoffs handoffs;
  return handoffs;
}

}  // namespace

const RewriteHandoffs& CurrentRewriteHandoffs() { return Installed(); }

RewriteHandoffs InstallRewriteHandoffs(const RewriteHandoffs& handoffs) {
  RewriteHandoffs previous = Installed();
  Installed() = handoffs;
  return previous;
}

void ReportPageFileFailure(int messageId, std::string_view path) {
  Report(kReportNonFatal, kReportClosesAfter5s, messageId, {path});
}

}  // namespace corvisant
