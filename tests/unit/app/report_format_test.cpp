#include "app/report_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvisant {
namespace {

struct FormatCase {
  const char* format;
  std::vector<ReportArgument> arguments;
  std::string expected;
};

TEST(FormatReportText, FillsDirectivesAsWvsprintfDoes) {
  std::string longText(2 * kReportTextMax, 'a');
  const FormatCase cases[] = {
      {"can't create %s.", {"C:\\x\\y"}, "can't create C:\\x\\y."},
      {"ERROR 0x%08X.", {0xC0000005u}, "ERROR 0xC0000005."},
      {"ERROR 0x%08x.", {255}, "ERROR 0x000000ff."},
      {"ERROR 0x%08X.", {0}, "ERROR 0x00000000."},
      {"reason %d.", {-5}, "reason -5."},
      {"%d", {0xFFFFFFFFu}, "-1"},
      {"%d", {(1LL << 32) | 7}, "7"},
      {"%x|%X", {-1, 0xabcdefLL}, "ffffffff|ABCDEF"},
      {"%u", {-1}, "4294967295"},
      {"%i", {2147483647}, "2147483647"},
      {"%ld %hd", {3, 4}, "3 4"},
      {"[%5d|%-5d|%05d]", {42, 42, 42}, "[   42|42   |00042]"},
      {"[%05d|%-05d]", {-42, -42}, "[-0042|-42  ]"},
      {"[%6s|%-6s]", {"ab", "ab"}, "[    ab|ab    ]"},
      {"%.2s", {"abcdef"}, "ab"},
      {"%.5d", {42}, "00042"},
      {"%#x %#X %#x", {255, 255, 0}, "0xff 0XFF 0x0"},
      {"%c%c", {65, "bc"}, "Ab"},
      {"100%%", {}, "100%"},
      {"", {"unused"}, ""},
      // An argument of the other kind is shown as given.
      {"reason %d, %s MB", {"unknown", 12}, "reason unknown, 12 MB"},
      // An argument that was not given is never read; the directive stays as it stands.
      {"%s under %s by %d", {"temp"}, "temp under %s by %d"},
      {"%08X", {}, "%08X"},
      {"ends with %", {}, "ends with %"},
      {"ends with %-08", {1}, "ends with %-08"},
      {"%q %s", {"x"}, "%q x"},  // an unknown directive takes no argument
      // The text is cut at the limit.
      {"%s!", {longText}, std::string(kReportTextMax, 'a')},
      {"%99999999999999999999d", {7}, std::string(kReportTextMax - 1, ' ') + "7"},
  };
  for (const FormatCase& test : cases) {
    EXPECT_EQ(FormatReportText(test.format, test.arguments), test.expected) << test.format;
  }
}

}  // namespace
}  // namespace corvisant
