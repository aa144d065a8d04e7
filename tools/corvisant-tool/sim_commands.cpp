// sim --site SITEDIR [--seed N] [--save-delay MS] COMMAND ...: the engine against the browser in
// the process, over the store of --root with its saved preferences, the link on.
//   visit [--interval S] URL...   a user opens each URL, one every S seconds; the engine then
//                                  runs until it has nothing left to do
//   trace ...                      the same, with every transaction and echo printed
//   navigate --method M ...        a run of automatic navigation started as the controller
//                                  starts it: "open URL" for every page it opens, then
//                                  "finished" (it ran out) or "stopped" (--steps reached)
//   replay BASE --from I --to J --forward|--back [--repeat]
//                                  the URL list window's replay of entries I to J of BASE
#include <cstdio>
#include <string>
#include <vector>

#include "history/history_file.h"
#include "navigation/local_storage_dialogs.h"
#include "navigation/navigation_clock.h"
#include "navigation/navigation_state.h"
#include "navigation/url_range_navigator.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/arguments.h"
#include "tools/simulation/list_window_files.h"
#include "tools/simulation/simulation.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant::tool {
namespace {

constexpr long long kDefaultVisitInterval = 20;
constexpr long long kDefaultSeed = 1;
constexpr long long kMaxSaveDelayMs = 600000;
constexpr long long kMaxVisitInterval = 86400;
constexpr std::uint64_t kMillisecondsPerSecond = 1000;
// How long the engine may go on after the last visit before the run counts as stuck.
constexpr std::uint64_t kSettleLimitMs = 3600 * kMillisecondsPerSecond;
// A run that opens nothing for this long is stopped: its page never comes.
constexpr std::uint64_t kRunStallLimitMs = 3600 * kMillisecondsPerSecond;
constexpr long long kMaxSteps = 100000000;
constexpr long long kMaxShowSeconds = 3600;
constexpr long long kMaxListIndex = 0x7FFFFFFF;

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

// The answer the tool gives to "Create a density file again?"; the walk runs unwatched.
class AnsweringDensityDialogs : public LocalStorageDialogs {
 public:
  explicit AnsweringDensityDialogs(DensityAnswer answer) : answer_(answer) {}
  DensityAnswer AskRecreateDensity() override { return answer_; }
  std::unique_ptr<ScanningDialog> OpenScanningDialog(std::string_view) override { return nullptr; }

 private:
  DensityAnswer answer_;
};

struct NamedValue {
  std::string_view name;
  int value;
};

constexpr NamedValue kMethods[] = {
    {"bfs", navigation_method::kBreadthFirst},
    {"dfs", navigation_method::kDepthFirst},
    {"random-web", navigation_method::kRandomFromWeb},
    {"url-list", navigation_method::kRandomFromUrlList},
    {"local", navigation_method::kRandomFromLocalStorage},
    {"rider", navigation_method::kSearchEngineRider},
};
constexpr NamedValue kScopes[] = {
    {"any", navigation_method::kToAnywhere},
    {"site", navigation_method::kWithinCurrentSite},
    {"dir", navigation_method::kWithinCurrentDirectory},
};
constexpr NamedValue kDensityAnswers[] = {
    {"recreate", static_cast<int>(DensityAnswer::kRecreate)},
    {"use-old", static_cast<int>(DensityAnswer::kUseOld)},
    {"cancel", static_cast<int>(DensityAnswer::kCancel)},
};

template <std::size_t N>
bool Lookup(const NamedValue (&table)[N], std::string_view name, int* value) {
  for (const NamedValue& entry : table) {
    if (entry.name == name) {
      *value = entry.value;
      return true;
    }
  }
  return false;
}

// The options every run takes: --steps (0: until the run ends) and --show.
struct RunLimits {
  long long steps = 0;
  long long show = -1;
};

bool ReadLimits(const ParsedArguments& parsed, RunLimits* limits) {
  return (!parsed.Has("--steps") ||
          ParseNumberIn(parsed.Value("--steps"), 1, kMaxSteps, &limits->steps)) &&
         (!parsed.Has("--show") ||
          ParseNumberIn(parsed.Value("--show"), 0, kMaxShowSeconds, &limits->show));
}

// Prints every URL the browser is asked to open from the moment it is made.
class OpenPrinter {
 public:
  OpenPrinter(Context& context, simulation::Simulation& simulation)
      : simulation_(simulation), lastOpenMs_(simulation.clock().milliseconds()) {
    simulation.browser().ObserveOpens([this, &context](const std::string& url) {
      std::fprintf(context.out, "open %s\n", Printable(url).c_str());
      ++opens_;
      lastOpenMs_ = simulation_.clock().milliseconds();
    });
  }
  ~OpenPrinter() { simulation_.browser().ObserveOpens(nullptr); }
  OpenPrinter(const OpenPrinter&) = delete;
  OpenPrinter& operator=(const OpenPrinter&) = delete;

  long long opens() const { return opens_; }
  bool stalled() const {
    return simulation_.clock().milliseconds() - lastOpenMs_ > kRunStallLimitMs;
  }

 private:
  simulation::Simulation& simulation_;
  long long opens_ = 0;
  std::uint64_t lastOpenMs_;
};

// Runs the started run until it ends, has opened --steps pages or opens nothing any more.
int RunToEnd(Context& context, simulation::Simulation& simulation, const OpenPrinter& printer,
             const RunLimits& limits) {
  while (NavigatorRuns() && (limits.steps == 0 || printer.opens() < limits.steps) &&
         !printer.stalled()) {
    simulation.Run(tick::kTimerPeriodMs);
  }
  bool running = NavigatorRuns();
  StopNavigationRun(true);
  std::fprintf(context.out, "%s\n", running ? "stopped" : "finished");
  return kExitDone;
}

// The run's settings for this run only: the saved preferences are not written.
void ApplyRunSettings(const RunLimits& limits, int method, int scope) {
  Preferences& preferences = *Current<Preferences>();
  int keptScope = scope != 0 ? 0 : preferences.navigationMethod & navigation_method::kScopeGroup;
  preferences.navigationMethod = method | scope | keptScope;
  if (limits.show >= 0) preferences.showPage = static_cast<int>(limits.show);
}

int RunNavigate(Context& context, SimRun& run) {
  const ParsedArguments& parsed = run.parsed;
  int method = 0;
  int scope = 0;
  int answer = static_cast<int>(DensityAnswer::kRecreate);
  RunLimits limits;
  if (run.words.size() != 1 || !Lookup(kMethods, parsed.Value("--method"), &method) ||
      (parsed.Has("--scope") && !Lookup(kScopes, parsed.Value("--scope"), &scope)) ||
      (parsed.Has("--density") && !Lookup(kDensityAnswers, parsed.Value("--density"), &answer)) ||
      !ReadLimits(parsed, &limits)) {
    return kExitUsage;
  }
  // The random picks never end by themselves.
  bool endless = method == navigation_method::kRandomFromUrlList ||
                 method == navigation_method::kRandomFromLocalStorage;
  if (endless && limits.steps == 0) return Failed(context, "this method needs --steps");
  PrepareStore();
  simulation::Simulation simulation(*context.process, run.options);
  if (!simulation.linkUp()) return Failed(context, "the simulated browser did not come up");
  simulation::FileListWindow window;
  simulation::FileListWindows windows;
  if (parsed.Has("--list")) {
    if (!window.Open(std::string(parsed.Value("--list")))) {
      return Failed(context, "cannot open the URL list " + std::string(parsed.Value("--list")));
    }
    windows.frontmost = &window;
  }
  Installed<UrlListWindows> windowsInstalled(&windows);
  AnsweringDensityDialogs dialogs(static_cast<DensityAnswer>(answer));
  Installed<LocalStorageDialogs> dialogsInstalled(&dialogs);
  ApplyRunSettings(limits, method, scope);
  int kind = KindOfNavigationMethod(method);
  std::string start =
      parsed.Has("--start") ? std::string(parsed.Value("--start")) : RunStartUrl(kind);
  OpenPrinter printer(context, simulation);
  StartNavigationRun(kind, start);
  return RunToEnd(context, simulation, printer, limits);
}

int RunReplay(Context& context, SimRun& run) {
  const ParsedArguments& parsed = run.parsed;
  long long from = 0;
  long long to = 0;
  RunLimits limits;
  bool forward = parsed.Has("--forward");
  if (run.words.size() != 2 || forward == parsed.Has("--back") || !parsed.Has("--from") ||
      !parsed.Has("--to") || !ParseNumberIn(parsed.Value("--from"), 0, kMaxListIndex, &from) ||
      !ParseNumberIn(parsed.Value("--to"), 0, kMaxListIndex, &to) || !ReadLimits(parsed, &limits)) {
    return kExitUsage;
  }
  bool repeat = parsed.Has("--repeat");
  if (repeat && limits.steps == 0) return Failed(context, "--repeat needs --steps");
  PrepareStore();
  simulation::Simulation simulation(*context.process, run.options);
  if (!simulation.linkUp()) return Failed(context, "the simulated browser did not come up");
  std::string base(run.words[1]);
  simulation::FileListWindow window;
  if (!window.Open(base)) return Failed(context, "cannot open the URL list " + base);
  if (std::max(from, to) >= window.list()->Count()) {
    return Failed(context,
                  "the URL list " + base + " has no entry " + std::to_string(std::max(from, to)));
  }
  window.Select(static_cast<int>(from), static_cast<int>(to));
  Preferences& preferences = *Current<Preferences>();
  preferences.replayMode = repeat ? preferences.replayMode | replay_mode::kReplayRepeatedly
                                  : preferences.replayMode & ~replay_mode::kReplayRepeatedly;
  if (limits.show >= 0) preferences.showPage = static_cast<int>(limits.show);
  OpenPrinter printer(context, simulation);
  ReplaySelectedRange(window.Offer(),
                      forward ? replay_direction::kOldToNew : replay_direction::kNewToOld);
  return RunToEnd(context, simulation, printer, limits);
}

int RunSim(Context& context, const Arguments& arguments) {
  SimRun run;
  run.parsed =
      ParseArguments(arguments,
                     {"--site", "--seed", "--save-delay", "--interval", "--method", "--scope",
                      "--start", "--list", "--steps", "--show", "--density", "--from", "--to"},
                     {"--forward", "--back", "--repeat"});
  long long seed = kDefaultSeed;
  long long saveDelay = run.options.saveDelayMs;
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
  if (subcommand == "navigate") return RunNavigate(context, run);
  if (subcommand == "replay") return RunReplay(context, run);
  return kExitUsage;
}

const Command kSimCommands[] = {
    {"sim", nullptr,
     "--site SITEDIR [--seed N] [--save-delay MS] visit|trace [--interval S] URL... | navigate "
     "--method bfs|dfs|random-web|url-list|local|rider [--scope any|site|dir] [--start URL] "
     "[--list BASE] [--steps N] [--show S] [--density recreate|use-old|cancel] | replay BASE "
     "--from I --to J --forward|--back [--repeat] [--steps N]",
     "the engine against a browser in the process: history lines, then stored=N; or the pages a "
     "navigation or replay opens, then finished or stopped",
     RunSim},
};
const CommandRegistration registerSim(kSimCommands);

}  // namespace
}  // namespace corvisant::tool
