// report ID [ARG...]: the text of a string-table message filled with arguments, as the error
// dialog would show it.
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/message_table.h"
#include "app/report_format.h"
#include "tools/corvisant-tool/tool.h"

namespace corvisant::tool {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;

// A whole number written in decimal (with an optional "-") or in "0x" hex.
bool ParseNumber(std::string_view word, long long* value) {
  std::string text(word);
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::size_t digitsFrom = hex ? 2 : (!text.empty() && text[0] == '-' ? 1 : 0);
  if (digitsFrom == text.size()) return false;
  for (std::size_t i = digitsFrom; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!(hex ? std::isxdigit(c) : std::isdigit(c))) return false;
  }
  errno = 0;
  char* end = nullptr;
  *value = hex ? static_cast<long long>(std::strtoull(text.c_str() + 2, &end, kHexBase))
               : std::strtoll(text.c_str(), &end, kDecimalBase);
  return errno == 0;
}

int RunReport(Context& context, const Arguments& arguments) {
  long long id = 0;
  if (arguments.empty() || !ParseNumber(arguments[0], &id)) {
    std::fprintf(context.err, "usage: corvisant-tool report ID [ARG...]\n");
    return kExitUsage;
  }
  const char* format = MessageText(static_cast<int>(id));
  if (format == nullptr || id != static_cast<int>(id)) {
    std::fprintf(context.err, "corvisant-tool: no message %lld\n", id);
    return kExitNothing;
  }
  std::vector<ReportArgument> values;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    long long number = 0;
    if (ParseNumber(arguments[i], &number)) {
      values.emplace_back(number);
    } else {
      values.emplace_back(arguments[i]);
    }
  }
  std::string text = FormatReportText(format, values);
  std::fprintf(context.out, "%s\n", text.c_str());
  return kExitDone;
}

const Command kReportCommands[] = {
    {"report", nullptr, "ID [ARG...]", "print message ID filled with the arguments", RunReport},
};
const CommandRegistration registerReport(kReportCommands);

}  // namespace
}  // namespace corvisant::tool
