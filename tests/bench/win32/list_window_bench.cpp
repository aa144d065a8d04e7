// The history window at scale, under Wine or Windows: opening it on a history of 10,000 and of
// 1,000,000 visits and painting its first page, and scrolling it to its last page, each beside
// the floor measured in the same run (a plain window painting the same number of lines from an
// array in memory). Prints each time as a ratio to its floor, and how much the ratios grow from
// 10,000 to 1,000,000 visits: a list that is never loaded whole keeps them the same. Each time is
// the best of a few rounds.
//   usage: list_window_bench [--hold SECONDS]   (--hold: the window stays shown for a screenshot)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/win32/list_windows.h"
#include "app/win32/url_list_window.h"
#include "tests/support/large_history.h"
#include "tests/support/test_process.h"

namespace {

using namespace corvisant;
using Clock = std::chrono::steady_clock;

constexpr int kSizes[] = {10000, 1000000};
constexpr int kRounds = 15;
constexpr UnixTime kStep = 60;
constexpr const char* kFloorClass = "Corvisant:BenchFloorWindow";
constexpr DWORD kMillisecondsPerSecond = 1000;

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// The floor: a window that paints lines it holds in memory, with the list's font and size.
class FloorWindow : public WindowBase {
 public:
  FloorWindow(std::vector<std::string> lines, HFONT font, int lineHeight, const RECT& rect)
      : lines_(std::move(lines)), font_(font), lineHeight_(lineHeight) {
    RegisterClass(WindowClass{kFloorClass, 0, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr});
    Create(kFloorClass, 0, "floor", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr);
    ::UpdateWindow(hwnd());
  }
  void ShowFrom(std::size_t first) {
    first_ = first;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ::UpdateWindow(hwnd());
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_PAINT) return WindowBase::HandleMessage(message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC context = ::BeginPaint(hwnd(), &paint);
    HGDIOBJ old = ::SelectObject(context, font_);
    RECT client;
    ::GetClientRect(hwnd(), &client);
    ::FillRect(context, &client, ::GetSysColorBrush(COLOR_WINDOW));
    for (std::size_t line = 0;
         first_ + line < lines_.size() && static_cast<int>(line) * lineHeight_ < client.bottom;
         ++line) {
      const std::string& text = lines_[first_ + line];
      ::TextOutA(context, 0, static_cast<int>(line) * lineHeight_, text.data(),
                 static_cast<int>(text.size()));
    }
    ::SelectObject(context, old);
    ::EndPaint(hwnd(), &paint);
    return 0;
  }

 private:
  std::vector<std::string> lines_;
  std::size_t first_ = 0;
  HFONT font_;
  int lineHeight_;
};

struct Times {
  double open = 1e300;
  double lastPage = 1e300;
  double floorOpen = 1e300;
  double floorLastPage = 1e300;
};

// One round of the history window: opened and painted, then scrolled to its end and painted.
void MeasureWindow(Times& times) {
  Clock::time_point start = Clock::now();
  UrlListWindow* window = BringUpHistoryWindow();
  if (window == nullptr) std::exit(1);
  ::UpdateWindow(window->view().hwnd());
  ::GdiFlush();
  times.open = std::min(times.open, Since(start));
  start = Clock::now();
  ::SendMessageA(window->view().hwnd(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
  ::UpdateWindow(window->view().hwnd());
  ::GdiFlush();
  times.lastPage = std::min(times.lastPage, Since(start));
  ::DestroyWindow(window->hwnd());
  Pump();
}

// The same pages from memory, in a window of the list's size and font.
void MeasureFloor(Times& times, const LongListModel& model, HFONT font, const RECT& rect) {
  std::vector<std::string> lines;
  for (int line = 0; line < 2 * model.linesPerPage(); ++line) {
    lines.push_back(FormatLocalDisplayLine(testing::kTestTime, testing::LargeHistoryTitle(line)));
  }
  Clock::time_point start = Clock::now();
  {
    FloorWindow floor(lines, font, model.lineHeight(), rect);
    ::GdiFlush();
    times.floorOpen = std::min(times.floorOpen, Since(start));
    start = Clock::now();
    floor.ShowFrom(static_cast<std::size_t>(model.linesPerPage()));
    ::GdiFlush();
    times.floorLastPage = std::min(times.floorLastPage, Since(start));
  }
  Pump();
}

Times MeasureSize(int size) {
  testing::TestProcess process;
  if (!testing::WriteLargeHistory(process.files(), size, testing::kTestTime, kStep) ||
      process.process().History() == nullptr || process.process().Annotations() == nullptr) {
    std::fprintf(stderr, "cannot make the history of %d visits\n", size);
    std::exit(1);
  }
  ListWindows windows(process.process());
  Times times;
  for (int round = 0; round < kRounds; ++round) {
    MeasureWindow(times);
    UrlListWindow* window = BringUpHistoryWindow();
    RECT rect;
    ::GetWindowRect(window->view().hwnd(), &rect);
    LongListModel model = window->view().model();
    ::DestroyWindow(window->hwnd());
    Pump();
    MeasureFloor(times, model, Current<WindowFonts>()->user(), rect);
  }
  return times;
}

// Shows the history window of a million visits until the seconds are over.
void Hold(int seconds) {
  testing::TestProcess process;
  testing::WriteLargeHistory(process.files(), kSizes[1], testing::kTestTime, kStep);
  process.process().History();
  ListWindows windows(process.process());
  BringUpHistoryWindow();
  for (DWORD start = ::GetTickCount();
       ::GetTickCount() - start < seconds * kMillisecondsPerSecond;) {
    Pump();
    ::Sleep(50);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--hold") == 0) {
    Hold(std::atoi(argv[2]));
    return 0;
  }
  std::printf("%10s %12s %10s %7s %12s %10s %7s\n", "visits", "open+page ms", "floor ms", "ratio",
              "last page ms", "floor ms", "ratio");
  double ratios[2][2];
  for (int i = 0; i < 2; ++i) {
    Times t = MeasureSize(kSizes[i]);
    ratios[i][0] = t.open / t.floorOpen;
    ratios[i][1] = t.lastPage / t.floorLastPage;
    std::printf("%10d %12.3f %10.3f %7.2f %12.3f %10.3f %7.2f\n", kSizes[i], t.open, t.floorOpen,
                ratios[i][0], t.lastPage, t.floorLastPage, ratios[i][1]);
  }
  std::printf("ratio growth from %d to %d visits: open x%.2f, last page x%.2f\n", kSizes[0],
              kSizes[1], ratios[1][0] / ratios[0][0], ratios[1][1] / ratios[0][1]);
  return 0;
}
