// export hotlist / visit / urllist: a whole list (the history or a pair) in one of its three
// export forms. A failure is reported by the export itself (its message on the error stream).
#include <limits>
#include <string>

#include "history/list_export.h"
#include "tools/corvisant-tool/history_tool.h"

namespace corvisant::tool {
namespace {

using namespace history;

int RunHotlist(Context& context, const Arguments& arguments) {
  if (arguments.size() != 2) return kExitUsage;
  ListSource source(context);
  if (!source.Open(arguments[0], false)) return Failed(context, "cannot open the list");
  return SaveAsHotlist(source.list(), std::string(arguments[1])) ? kExitDone : kExitNothing;
}

int RunVisit(Context& context, const Arguments& arguments) {
  ParsedArguments parsed = ParseArguments(arguments, {"--spend"}, {"--local"});
  long long spend = 0;
  if (!parsed.ok || parsed.words.size() != 2 ||
      !parsed.Number("--spend", kDefaultSpendSeconds, &spend)) {
    return kExitUsage;
  }
  if (spend < 0 || spend > std::numeric_limits<int>::max()) {
    return Failed(context,
                  "a Visit-tag list cannot hold the display time " + std::to_string(spend));
  }
  ListSource source(context);
  if (!source.Open(parsed.words[0], false)) return Failed(context, "cannot open the list");
  bool saved = SaveAsVisitList(source.list(), std::string(parsed.words[1]), parsed.Has("--local"),
                               static_cast<int>(spend));
  return saved ? kExitDone : kExitNothing;
}

int RunUrlList(Context& context, const Arguments& arguments) {
  if (arguments.size() != 2) return kExitUsage;
  ListSource source(context);
  if (!source.Open(arguments[0], false)) return Failed(context, "cannot open the list");
  return SaveAsUrlList(source.list(), std::string(arguments[1])) ? kExitDone : kExitNothing;
}

const Command kExportCommands[] = {
    {"export", "hotlist", "SOURCE PATH", "save a list (history or BASE) as a hotlist page",
     RunHotlist},
    {"export", "visit", "SOURCE PATH [--local] [--spend N]", "save a list as a Visit-tag list",
     RunVisit},
    {"export", "urllist", "SOURCE BASE", "save a list as BASE.urli and BASE.urld", RunUrlList},
};
const CommandRegistration registerExport(kExportCommands);

}  // namespace
}  // namespace corvisant::tool
