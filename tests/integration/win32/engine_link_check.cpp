// The engine over the real link, under Wine or Windows: DDEML between this program and the
// stand-in browser, the 800 ms timer of the program's message loop, the store in the working
// directory. A person (the stand-in's --browse) opens the site's pages one after the other; every
// page must get one history entry with its title and a rewritten local copy in the store.
// usage: engine_link_check SITEDIR PAGES SECONDS   (run in an empty store directory)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/process_objects.h"
#include "browser/win32/win32_dde.h"
#include "url/page_store.h"
#include "url/store_files.h"
#include "url/store_names.h"

namespace {

using namespace corvisant;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { Current<NavigationClock>()->OnTimer(); }

// Runs the message loop until the history holds pages entries or the time is up.
void RunUntilRecorded(int pages, DWORD seconds) {
  UINT_PTR timer = ::SetTimer(nullptr, 0, tick::kTimerPeriodMs, OnTimer);
  ULONGLONG deadline = ::GetTickCount64() + seconds * 1000ull;
  while (::GetTickCount64() < deadline && Current<HistoryFile>()->Count() < pages) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  }
  ::KillTimer(nullptr, timer);
}

// Every entry: the site's title of the page ("Page N"), and its copy stored with its links made
// relative (no link left to the site's host).
int CheckEntries(int pages) {
  int faults = 0;
  HistoryFile& history = *Current<HistoryFile>();
  for (int i = 0; i < history.Count(); ++i) {
    HistoryEntryPtr entry = history.ReadEntryFromOldest(i);
    std::string copy;
    bool stored = entry && ReadWholeFile(UrlToStorePath(entry->url), &copy);
    bool relative = stored && copy.find("http://") == std::string::npos;
    bool titled = entry && entry->title.rfind("Page ", 0) == 0;
    std::printf("%s\t%s\t%s\n", entry ? entry->url.c_str() : "?", entry ? entry->title.c_str() : "",
                stored ? (relative ? "rewritten copy" : "copy with web links") : "no copy");
    faults += !titled || !relative;
  }
  if (history.Count() != pages) {
    std::printf("history: %lld entries, %d pages browsed\n",
                static_cast<long long>(history.Count()), pages);
    ++faults;
  }
  return faults;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: engine_link_check SITEDIR PAGES SECONDS\n");
    return 2;
  }
  int pages = std::atoi(argv[2]);
  ProcessObjects process({SystemPorts()});
  StoreOptions program;
  program.use = StoreUse::kProgram;
  if (!process.OpenStore(program)) return 3;
  win32::Win32Dde dde(win32::DdeRole::kClientAndServer);
  process.OpenEngine(dde);
  Current<BrowserControl>()->LinkOn(true);
  if (!Current<Preferences>()->linkOn) {
    std::printf("the link did not come up\n");
    return 1;
  }
  RunUntilRecorded(pages, static_cast<DWORD>(std::atoi(argv[3])));
  int faults = CheckEntries(pages);
  process.CloseStore();
  std::printf("%s\n", faults == 0 ? "passed" : "failed");
  return faults == 0 ? 0 : 1;
}
