// list append / show / sort / reverse: a URL list pair BASE.urli and BASE.urld.
#include <string>

#include "common/times.h"
#include "tools/corvisant-tool/history_tool.h"

namespace corvisant::tool {
namespace {

using namespace history;

constexpr const char* kHistoryNotRewritten =
    "the history only grows by visits: it is not appended to, sorted or reversed as a pair";

int RunAppend(Context& context, const Arguments& arguments) {
  long long time = 0;
  if (arguments.size() != 4 || !ParseNumber(arguments[3], &time)) {
    return kExitUsage;
  }
  if (time < kEarliestHistoryTime || time > kLatestHistoryTime) {
    return Failed(context, "the list files cannot hold the time " + std::to_string(time));
  }
  ListSource source(context);
  if (!source.Open(arguments[0], true)) return Failed(context, "cannot open the list pair");
  UrlList* pair = source.pair();
  if (pair == nullptr) return Failed(context, kHistoryNotRewritten);
  if (!pair->AppendEntry(arguments[1], arguments[2], time)) return FailedWrite(*pair);
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
  UrlList* pair = source.pair();
  if (pair == nullptr) return Failed(context, kHistoryNotRewritten);
  RecordCount count = pair->Count();
  if (count > kMostRecordsInMemory) {
    return Failed(context, "the list has " + std::to_string(count) + " records: more than the " +
                               std::to_string(kMostRecordsInMemory) +
                               " that are sorted or reversed in memory");
  }
  bool done = sort ? pair->SortByTime() : pair->ReverseOrder();
  if (done) return kExitDone;
  if (!pair->failedWrite().empty()) return FailedWrite(*pair);
  return Failed(context, "cannot read the list index whole");
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
