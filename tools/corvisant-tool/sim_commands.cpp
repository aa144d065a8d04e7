// sim --site SITEDIR [--seed N] [--save-delay MS] [--alert-every N] COMMAND ...: the engine
// against the browser in the process (raising an Alert after every Nth page it shows), over the
// store of --root with its saved preferences, the link on.
//   visit [--interval S] URL...   a user opens each URL, one every S seconds; the engine then
//                                  runs until it has nothing left to do
//   trace ...                      the same, with every transaction and echo printed
#include <cstdio>
#include <string>
#include <vector>

#include "history/history_file.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/arguments.h"
#include "tools/simulation/simulation.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant::tool {
namespace {

constexpr long long kDefaultVisitInterval = 20;
constexpr long long kDefaultSeed = 1;
constexpr long long kMaxSaveDelayMs = 600000;
constexpr long long kMaxAlertEvery = 1000000;
constexpr long long kMaxVisitInterval = 86400;
constexpr std::uint64_t kMillisecondsPerSecond = 1000;
// How long the engine may go on after the last visit before the run counts as stuck.
constexpr std::uint64_t kSettleLimitMs = 3600 * kMillisecondsPerSecond;

// The files below the store root's site directories (the stored copies).
long long StoredFileCount() {
  long long count = 0;
  Files& files = *Current<Files>();
  for (const DirectoryEntry& entry : files.List(StoreRoot(), "*")) {
    if (!entry.isDirectory || entry.name == kDatabaseDirectory ||
        entry.name == kDocumentDirectory) {
      continue;
    }
    WalkTree(entry.name, nullptr, nullptr, [&count](const std::string&) {
      ++count;
      return 0;
    });
  }
  return count;
}

void PrintHistorySince(Context& context, int before) {
  HistoryFile* history = Current<HistoryFile>();
  if (history == nullptr) return;
  for (int i = before; i < history->Count(); ++i) {
    HistoryEntryPtr entry = history->ReadEntryFromOldest(i);
    if (!entry) continue;
    std::fprintf(context.out, "history %s\t%s\n", Printable(entry->url).c_str(),
                 Printable(entry->title).c_str());
  }
}

struct SimRun {
  simulation::SimulationOptions options;
  std::vector<std::string_view> words;
  ParsedArguments parsed;
};

int RunVisits(Context& context, SimRun& run) {
  long long interval = 0;
  if (run.words.size() < 2 || !run.parsed.Number("--interval", kDefaultVisitInterval, &interval) ||
      interval < 0 || interval > kMaxVisitInterval) {
    return kExitUsage;
  }
  PrepareStore();
  simulation::Simulation simulation(*context.process, run.options);
  if (!simulation.linkUp()) return Failed(context, "the simulated browser did not come up");
  HistoryFile* history = Current<HistoryFile>();
  int before = history != nullptr ? history->Count() : 0;
  long long storedBefore = StoredFileCount();
  for (std::size_t i = 1; i < run.words.size(); ++i) {
    simulation.UserOpens(run.words[i]);
    simulation.Run(static_cast<std::uint64_t>(interval) * kMillisecondsPerSecond);
  }
  bool settled = simulation.RunUntilIdle(kSettleLimitMs);
  PrintHistorySince(context, before);
  std::fprintf(context.out, "stored=%lld\n", StoredFileCount() - storedBefore);
  return settled ? kExitDone : Failed(context, "the engine did not come to rest");
}

int RunSim(Context& context, const Arguments& arguments) {
  SimRun run;
  run.parsed = ParseArguments(
      arguments, {"--site", "--seed", "--save-delay", "--interval", "--alert-every"}, {});
  long long seed = kDefaultSeed;
  long long saveDelay = run.options.saveDelayMs;
  long long alertEvery = 0;
  if (run.parsed.Has("--alert-every") &&
      !ParseNumberIn(run.parsed.Value("--alert-every"), 0, kMaxAlertEvery, &alertEvery)) {
    return kExitUsage;
  }
  run.options.alertEvery = static_cast<std::uint32_t>(alertEvery);
  if (!run.parsed.ok || run.parsed.words.empty() || !run.parsed.Has("--site") ||
      !run.parsed.Number("--seed", kDefaultSeed, &seed) ||
      !run.parsed.Number("--save-delay", saveDelay, &saveDelay) || saveDelay < 0 ||
      saveDelay > kMaxSaveDelayMs) {
    return kExitUsage;
  }
  run.words = run.parsed.words;
  run.options.siteDirectory = std::string(run.parsed.Value("--site"));
  run.options.seed = static_cast<unsigned>(seed);
  run.options.saveDelayMs = static_cast<std::uint32_t>(saveDelay);
  std::string_view subcommand = run.words[0];
  if (subcommand == "trace") run.options.trace = context.out;
  if (subcommand == "visit" || subcommand == "trace") return RunVisits(context, run);
  return kExitUsage;
}

const Command kSimCommands[] = {
    {"sim", nullptr,
     "--site SITEDIR [--seed N] [--save-delay MS] [--alert-every N] visit|trace [--interval S] "
     "URL...",
     "the engine against a browser in the process: history lines, then stored=N", RunSim},
};
const CommandRegistration registerSim(kSimCommands);

}  // namespace
}  // namespace corvisant::tool
