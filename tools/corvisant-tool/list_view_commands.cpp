// list lines / list jump: the history or a URL list pair as its URL list window shows it, rows
// counted from the newest entry.
#include <algorithm>
#include <climits>
#include <string>

#include "app/history_jump.h"
#include "app/url_list_view.h"
#include "tools/corvisant-tool/history_tool.h"

namespace corvisant::tool {
namespace {

using namespace history;

int RunLines(Context& context, const Arguments& arguments) {
  ParsedArguments parsed = ParseArguments(arguments, {"--first", "--count"}, {});
  long long first = 0;
  long long count = 0;
  if (!parsed.ok || parsed.words.size() != 1 || !parsed.Number("--first", 0, &first) ||
      !parsed.Number("--count", INT_MAX, &count) || first < 0 || count < 0) {
    return kExitUsage;
  }
  ListSource source(context);
  if (!source.Open(parsed.words[0], false)) return Failed(context, "cannot open the list");
  long long end = std::min<long long>(source.list().Count(), first + count);
  for (long long row = first; row < end; ++row) {
    std::string line = ListLineText(source.list(), static_cast<int>(row));
    std::fprintf(context.out, "%s\n", Printable(line).c_str());
  }
  return kExitDone;
}

int RunJump(Context& context, const Arguments& arguments) {
  ParsedArguments parsed = ParseArguments(arguments, {"--current"}, {});
  long long time = 0;
  long long current = -1;
  if (!parsed.ok || parsed.words.size() != 3 || !ParseNumber(parsed.words[1], &time) ||
      !parsed.Number("--current", -1, &current) || current < INT_MIN || current > INT_MAX) {
    return kExitUsage;
  }
  ListSource source(context);
  if (!source.Open(parsed.words[0], false)) return Failed(context, "cannot open the list");
  int row = JumpTarget(source.list(), time, parsed.words[2], static_cast<int>(current));
  if (row < 0) {
    std::fprintf(context.out, "none\n");
  } else {
    std::fprintf(context.out, "%d\n", row);
  }
  return kExitDone;
}

const Command kListViewCommands[] = {
    {"list", "lines", "BASE|history [--first I] [--count N]",
     "the lines the list window paints, row 0 the newest", RunLines},
    {"list", "jump", "BASE|history TIME URL [--current I]",
     "the row the jump to the History selects, or none", RunJump},
};
const CommandRegistration registerListView(kListViewCommands);

}  // namespace
}  // namespace corvisant::tool
