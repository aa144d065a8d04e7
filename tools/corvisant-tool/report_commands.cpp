// report ID [ARG...]: the text of a string-table message filled with arguments, as the error
// dialog would show it.
#include <string>
#include <vector>

#include "app/message_table.h"
#include "app/report_format.h"
#include "tools/corvisant-tool/arguments.h"

namespace corvisant::tool {
namespace {

int RunReport(Context& context, const Arguments& arguments) {
  long long id = 0;
  if (arguments.empty() || !ParseNumber(arguments[0], &id)) return kExitUsage;
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
