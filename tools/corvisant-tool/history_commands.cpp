// history add / count / list / line: the history store of the data directory.
#include <string>

#include "common/times.h"
#include "platform/clock.h"
#include "tools/corvisant-tool/history_tool.h"

namespace corvisant::tool {
namespace {

using namespace history;

// The clock of a visit recorded "--now T".
class FixedClock : public Clock {
 public:
  explicit FixedClock(UnixTime now) : now_(now) {}
  UnixTime Now() override { return now_; }
  void Sleep(unsigned) override {}

 private:
  UnixTime now_;
};

int RunAdd(Context& context, const Arguments& arguments) {
  ParsedArguments parsed = ParseArguments(arguments, {"--title", "--now"}, {});
  long long now = 0;
  if (!parsed.ok || parsed.words.size() != 1 ||
      !parsed.Number("--now", Current<Clock>()->Now(), &now)) {
    return kExitUsage;
  }
  if (now < kEarliestHistoryTime || now > kLatestHistoryTime) {
    return Failed(context, "the history files cannot hold the time " + std::to_string(now));
  }
  ListSource source(context);
  if (!source.Open(kHistorySource, false)) return Failed(context, "cannot open the history");
  FixedClock clock(now);
  Installed<Clock> recordingTime(&clock);
  bool titleKnown = parsed.Has("--title");
  std::string title(parsed.Value("--title"));
  HistoryFile& history = *source.history();
  bool recorded = history.RecordVisit(parsed.words[0], titleKnown, &title);
  // A visit the rules leave out writes nothing and fails nothing.
  if (!recorded && !history.failedWrite().empty()) return FailedWrite(history);
  std::fprintf(context.out, "%s\n", recorded ? "recorded" : "skipped");
  return kExitDone;
}

int RunCount(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  ListSource source(context);
  if (!source.Open(kHistorySource, false)) return Failed(context, "cannot open the history");
  std::fprintf(context.out, "%lld\n", static_cast<long long>(source.list().Count()));
  return kExitDone;
}

int RunList(Context& context, const Arguments& arguments) {
  ParsedArguments parsed = ParseArguments(arguments, {"--first", "--count"}, {"--oldest-first"});
  long long first = 0;
  long long count = 0;
  if (!parsed.ok || !parsed.words.empty() || !parsed.Number("--first", 0, &first) ||
      !parsed.Number("--count", -1, &count)) {
    return kExitUsage;
  }
  ListSource source(context);
  if (!source.Open(kHistorySource, false)) return Failed(context, "cannot open the history");
  PrintEntries(context, source.list(), parsed.Has("--oldest-first"), first, count);
  return kExitDone;
}

int RunLine(Context& context, const Arguments& arguments) {
  long long line = 0;
  if (arguments.size() != 1 || !ParseNumber(arguments[0], &line)) {
    return kExitUsage;
  }
  ListSource source(context);
  if (!source.Open(kHistorySource, false)) return Failed(context, "cannot open the history");
  HistoryEntryPtr entry = source.list().ReadEntryFromNewest(line);
  if (!entry) return Failed(context, "no readable entry " + std::string(arguments[0]));
  std::fprintf(context.out, "%s\n",
               Printable(FormatLocalDisplayLine(entry->time, entry->title)).c_str());
  return kExitDone;
}

const Command kHistoryCommands[] = {
    {"history", "add", "URL [--title TITLE] [--now T]", "record a visit (recorded or skipped)",
     RunAdd},
    {"history", "count", "", "the number of history entries", RunCount},
    {"history", "list", "[--oldest-first] [--first I] [--count N]",
     "the entries, newest first: I, time, URL, title", RunList},
    {"history", "line", "I", "the History window's text of line I", RunLine},
};
const CommandRegistration registerHistory(kHistoryCommands);

}  // namespace
}  // namespace corvisant::tool
