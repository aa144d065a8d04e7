// Fills a message's format with its arguments the way the system's wvsprintfA does: the
// directives %s %c %d %i %u %x %X with the flags "-", "0" and "#", a width and a precision, and
// "%%"; numbers are 32-bit as wvsprintfA reads them; the result is cut at kReportTextMax
// characters. Arguments are taken from the list only: a directive left without one is written
// as it stands, so a missing argument can be seen and is never read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/report.h"

namespace corvisant {

// wvsprintfA writes at most 1024 bytes with the terminating NUL.
constexpr std::size_t kReportTextMax = 1023;

std::string FormatReportText(std::string_view format, const std::vector<ReportArgument>& arguments);

}  // namespace corvisant
