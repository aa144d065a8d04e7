// The browser link over real DDEML, between this process (the system's DDE port, client and
// server "CORVISANT") and the stand-in browser in a process of its own: transactions per second
// of an open until its URL echo has arrived, and of a save of a 100 KB page until the saved file
// is complete, each beside the floor measured in the same run, one empty transaction
// ("WWW_Version"), and printed as a ratio to it.
//   usage: dde_bench STANDIN.EXE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_link.h"
#include "browser/item_texts.h"
#include "browser/reply_readers.h"
#include "browser/win32/win32_dde.h"
#include "platform/ports.h"

namespace {

using corvisant::BrowserLink;
using Seconds = std::chrono::duration<double>;

constexpr int kDefaultRounds = 100;
constexpr std::size_t kPageBytes = 100 * 1024;
constexpr ULONGLONG kStartMs = 30000;
constexpr ULONGLONG kRoundMs = 10000;
constexpr const char* kHost = "bench.test";

// A scratch folder of the bench's own: the stand-in's site and the saved files, removed at the end.
class Workspace {
 public:
  Workspace() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "corvisant-dde-bench-" + std::to_string(GetCurrentProcessId());
    for (const std::string& folder : {root_, site(), site() + "\\" + kHost}) Make(folder);
    Write(site() + "\\" + kHost + "\\index.html", "<title>Bench</title>");
    std::string page = "<title>Big</title>";
    page.resize(kPageBytes, 'x');
    Write(site() + "\\" + kHost + "\\big.html", page);
  }
  ~Workspace() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
      RemoveDirectoryA(folder->c_str());
    }
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const std::string& root() const { return root_; }
  std::string site() const { return root_ + "\\site"; }
  // A file below the root that the bench expects to appear, to be removed at the end.
  std::string Expect(const std::string& name) {
    files_.push_back(root_ + "\\" + name);
    return files_.back();
  }

 private:
  void Make(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    folders_.push_back(folder);
  }
  void Write(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    files_.push_back(path);
  }

  std::string root_;
  std::vector<std::string> files_;
  std::vector<std::string> folders_;
};

// The stand-in browser, ended with the bench.
class Standin {
 public:
  Standin(const std::string& program, const Workspace& workspace) {
    std::string command = "\"" + program + "\" --site \"" + workspace.site() + "\" --save-delay 0";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process_)) {
      CloseHandle(process_.hThread);
    }
  }
  ~Standin() {
    if (process_.hProcess == nullptr) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, INFINITE);
    CloseHandle(process_.hProcess);
  }
  Standin(const Standin&) = delete;
  Standin& operator=(const Standin&) = delete;

  bool started() const { return process_.hProcess != nullptr; }

 private:
  PROCESS_INFORMATION process_ = {};
};

class EchoCounter : public corvisant::UrlEchoHandler {
 public:
  void HandleUrlEcho(std::string_view) override { ++count_; }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

// Dispatches this thread's messages (the echoes among them) until done() or the time is up.
bool PumpUntil(const std::function<bool()>& done, ULONGLONG milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); !done(); now = GetTickCount64()) {
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  return true;
}

// A saved file is complete when the browser has let go of it and it has the page's size.
bool Complete(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool whole = GetFileSizeEx(file, &size) && size.QuadPart == static_cast<LONGLONG>(kPageBytes);
  CloseHandle(file);
  return whole;
}

// One kind of round and the seconds each of its rounds took.
struct Workload {
  const char* name;
  std::function<bool(int)> round;
  std::vector<double> times;

  // The median (the machine is shared: a mean would follow its hiccups).
  double Median() {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
  }
};

// Round i of every workload in turn, so that a busy moment of the machine falls on all of them
// alike; false when a round failed.
bool Measure(int rounds, std::vector<Workload>& workloads) {
  for (int i = 0; i < rounds; ++i) {
    for (Workload& workload : workloads) {
      const auto begin = std::chrono::steady_clock::now();
      if (!workload.round(i)) {
        std::fprintf(stderr, "dde_bench: %s: round %d failed\n", workload.name, i);
        return false;
      }
      workload.times.push_back(Seconds(std::chrono::steady_clock::now() - begin).count());
    }
  }
  return true;
}

int Run(const std::string& program, int rounds) {
  Workspace workspace;
  Standin standin(program, workspace);
  corvisant::win32::Win32Dde dde(corvisant::win32::DdeRole::kClientAndServer);
  BrowserLink link(dde, *corvisant::SystemPorts().clock);
  if (!standin.started() || !dde.started() ||
      !PumpUntil([&] { return link.BrowserAnswers(); }, kStartMs)) {
    std::fprintf(stderr, "dde_bench: the stand-in %s did not answer\n", program.c_str());
    return EXIT_FAILURE;
  }
  EchoCounter echoes;
  link.SetUrlEchoHandler(&echoes);
  link.RegisterUrlEcho();
  link.state().workWindowId = corvisant::kLastActiveWindow;
  const std::string url = std::string("http://") + kHost + "/";

  std::vector<Workload> workloads = {
      {"empty transaction (WWW_Version)", [&](int) { return link.BrowserAnswers(); }, {}},
      {"open until its echo",
       [&](int i) {
         const int before = echoes.count();
         return link.RequestOpen(url + "?n=" + std::to_string(i), false) &&
                PumpUntil([&] { return echoes.count() > before; }, kRoundMs);
       },
       {}},
      {"save 100 KB until the file is whole",
       [&](int i) {
         std::string name = "saved" + std::to_string(i) + ".html";
         std::string path = workspace.Expect(name);
         return corvisant::SaveResult(link.RequestSave(url + "big.html", workspace.root(), name)) ==
                    0 &&
                PumpUntil([&] { return Complete(path); }, kRoundMs);
       },
       {}},
  };
  const bool measured = Measure(rounds, workloads);
  link.UnregisterUrlEcho();
  link.SetUrlEchoHandler(nullptr);
  if (!measured) return EXIT_FAILURE;

  std::printf("%d rounds of each against the stand-in in its own process; medians\n", rounds);
  const double floor = workloads.front().Median();
  for (Workload& workload : workloads) {
    const double median = workload.Median();
    std::printf("%-36s %8.2f ms %8.1f /s %6.2f x floor   slowest %8.2f ms\n", workload.name,
                median * 1e3, 1 / median, median / floor, workload.times.back() * 1e3);
  }
  return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: dde_bench STANDIN.EXE [ROUNDS]\n");
    return 2;
  }
  int rounds = argc == 3 ? std::atoi(argv[2]) : kDefaultRounds;
  if (rounds <= 0) rounds = kDefaultRounds;
  return Run(argv[1], rounds);
}
