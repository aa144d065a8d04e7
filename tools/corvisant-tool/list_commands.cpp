// list append / show / sort / reverse: a URL list pair BASE.urli and BASE.urld.
#include <string>

#include "tools/corvisant-tool/history_tool.h"

namespace corvisant::tool {
namespace {

using namespace history;

int RunAppend(Context& context, const Arguments& arguments) {
  long long time = 0;
  if (arguments.size() != 4 || !ParseNumber(arguments[3], &time)) {
    return kExitUsage;
  }
  ListSource source(context);
  if (!source.Open(arguments[0], true)) return Failed(context, "cannot open the list pair");
  if (!source.pair()->AppendEntry(arguments[1], arguments[2], time)) {
    return Failed(context, "cannot append to the list pair");
  }
  return kExitDone;
}

int RunShow(Context& context, const Arguments& arguments) {
  ParsedArguments parsed = ParseArguments(arguments, {"--first", "--count"}, {"--oldest-first"});
  long long first = 0;
  long long count = 0;
  if (!parsed.ok || parsed.words.size() != 1 || !parsed.Number("--first", 0, &first) ||
      !parsed.Number("--count", -1, &count)) {
    return kExitUsage;
  }
  ListSource source(context);
  if (!source.Open(parsed.words[0], false)) return Failed(context, "cannot open the list pair");
  PrintEntries(context, source.list(), parsed.Has("--oldest-first"), first, count);
  return kExitDone;
}

int RunRewrite(Context& context, const Arguments& arguments, bool sort) {
  if (arguments.size() != 1) return kExitUsage;
  ListSource source(context);
  if (!source.Open(arguments[0], false)) return Failed(context, "cannot open the list pair");
  bool done = sort ? source.pair()->SortByTime() : source.pair()->ReverseOrder();
  return done ? kExitDone : Failed(context, "cannot rewrite the list index");
}

int RunSort(Context& context, const Arguments& arguments) {
  return RunRewrite(context, arguments, true);
}

int RunReverse(Context& context, const Arguments& arguments) {
  return RunRewrite(context, arguments, false);
}

const Command kListCommands[] = {
    {"list", "append", "BASE URL TITLE T", "append an entry to BASE.urli/BASE.urld", RunAppend},
    {"list", "show", "BASE [--oldest-first] [--first I] [--count N]",
     "the entries of a pair, newest first", RunShow},
    {"list", "sort", "BASE", "order a pair's index by time, oldest first", RunSort},
    {"list", "reverse", "BASE", "reverse the order of a pair's index", RunReverse},
};
const CommandRegistration registerList(kListCommands);

}  // namespace
}  // namespace corvisant::tool
