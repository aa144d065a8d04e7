// FormatReportText against the system's own wvsprintfA, for the directives the messages use.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/report_format.h"

namespace corvisant {
namespace {

std::string SystemFormat(const char* format, ...) {
  char text[kReportTextMax + 1];
  va_list arguments;
  va_start(arguments, format);
  int length = ::wvsprintfA(text, format, arguments);
  va_end(arguments);
  return std::string(text, length > 0 ? length : 0);
}

TEST(FormatReportTextOnWindows, MatchesWvsprintfA) {
  const char* const numberFormats[] = {"0x%08X", "0x%08x", "%d",     "%x",  "%X", "%u",
                                       "[%6d]",  "[%-6d]", "[%06d]", "%#x", "%i", "%ld"};
  const int numbers[] = {0, 5, 183, -1, -42, 0x4009, static_cast<int>(0xC0000005), 2147483647};
  for (const char* format : numberFormats) {
    for (int number : numbers) {
      EXPECT_EQ(FormatReportText(format, {number}), SystemFormat(format, number))
          << format << " " << number;
    }
  }
  const char* const textFormats[] = {"%s", "[%8s]", "[%-8s]", "%.3s", "can't create %s."};
  for (const char* format : textFormats) {
    for (const char* text : {"", "temp", "Z:\\store\\CorvisantDatabase"}) {
      EXPECT_EQ(FormatReportText(format, {text}), SystemFormat(format, text)) << format;
    }
  }
  EXPECT_EQ(FormatReportText("directory  %s under %s by the reason %d. 100%%", {"temp", "Z:\\", 3}),
            SystemFormat("directory  %s under %s by the reason %d. 100%%", "temp", "Z:\\", 3));
}

}  // namespace
}  // namespace corvisant
