// hotlist create / add / format: the named hotlists of the data directory.
#include <string>

#include "history/hotlist.h"
#include "tools/corvisant-tool/history_tool.h"

namespace corvisant::tool {
namespace {

using namespace history;

int RunCreate(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  PrepareHistoryStore();
  switch (CreateHotlist(arguments[0])) {
    case HotlistCreation::kCreated:
      std::fprintf(context.out, "created\n");
      return kExitDone;
    case HotlistCreation::kExists:
      std::fprintf(context.out, "exists\n");
      return kExitDone;
    case HotlistCreation::kInvalidName:
      return Failed(context, "not a hotlist name: " + std::string(arguments[0]));
    case HotlistCreation::kFailed:  // reported with its message
      break;
  }
  return kExitNothing;
}

int RunAdd(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  ListSource source(context);
  if (!source.Open(kHistorySource, false)) return Failed(context, "cannot open the history");
  switch (AddNewestToHotlist(arguments[0], source.list())) {
    case HotlistAddition::kAdded:
      return kExitDone;
    case HotlistAddition::kNoEntry:
    case HotlistAddition::kNoHotlist:
      return Failed(context, "no newest entry, or no hotlist " + std::string(arguments[0]));
    case HotlistAddition::kNotWritten:
      break;
  }
  return kExitNothing;
}

int RunFormat(Context& context, const Arguments& arguments) {
  long long time = 0;
  if (arguments.size() != 3 || !ParseNumber(arguments[2], &time)) {
    return kExitUsage;
  }
  std::string line = FormatHotlistEntry(arguments[0], arguments[1], time);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  std::fprintf(context.out, "%s\n", Printable(line).c_str());
  return kExitDone;
}

const Command kHotlistCommands[] = {
    {"hotlist", "create", "NAME", "create a named hotlist with its header", RunCreate},
    {"hotlist", "add", "NAME", "append the newest history entry to a hotlist", RunAdd},
    {"hotlist", "format", "URL TITLE T", "the hotlist line of one entry", RunFormat},
};
const CommandRegistration registerHotlist(kHotlistCommands);

}  // namespace
}  // namespace corvisant::tool
