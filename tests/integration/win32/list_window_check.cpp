// The URL list windows as the user meets them, under Wine or Windows, driven by messages posted
// to the windows and dispatched by the test's own thread, as the program's message loop would:
// the history window over a history of 100,000 visits opens, pages down to its end and paints the
// right lines; a selection made with the mouse becomes a new list window, which jumps back to the
// history; attach and remove change "annotation.db"; a new visit keeps a scrolled view; the layout
// follows a new size.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "app/resources/resource_ids.h"
#include "app/win32/list_windows.h"
#include "app/win32/url_list_window.h"
#include "navigation/navigation_state.h"
#include "navigation/url_range_navigator.h"
#include "tests/support/large_history.h"
#include "tests/support/test_process.h"
#include "tools/simulation/simulation.h"
#include "views/annotation_store.h"

namespace corvisant {
namespace {

constexpr int kEntries = 100000;
constexpr UnixTime kStep = 60;
// How far across a line the paint test looks for the text's ink.
constexpr int kInkWidth = 200;
// Page-down messages posted before the test's thread dispatches them.
constexpr int kMessagesPerPump = 50;

// The line of row r as the window must paint it, made here from the visit it shows.
std::string ExpectedLine(int row) {
  int index = kEntries - 1 - row;
  return FormatLocalDisplayLine(testing::kTestTime + kStep * index,
                                testing::LargeHistoryTitle(index));
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

RECT ChildRect(HWND parent, int id) {
  RECT rect;
  ::GetWindowRect(::GetDlgItem(parent, id), &rect);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class ListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::WriteLargeHistory(process_.files(), kEntries, testing::kTestTime, kStep));
    ASSERT_NE(process_.process().History(), nullptr);
    ASSERT_NE(process_.process().Annotations(), nullptr);
    windows_.emplace(process_.process());
    history_ = BringUpHistoryWindow();
    ASSERT_NE(history_, nullptr);
    Pump();
  }
  HWND view() { return history_->view().hwnd(); }
  int LineY(int line) { return line * history_->view().model().lineHeight() + 1; }

  testing::TestProcess process_;
  std::optional<ListWindows> windows_;
  UrlListWindow* history_ = nullptr;
};

// Whether a line of the page shows text: a pixel of another colour than the window's.
bool LineHasInk(HWND view, int top, int height) {
  HDC context = ::GetDC(view);
  COLORREF window = ::GetSysColor(COLOR_WINDOW);
  RECT client;
  ::GetClientRect(view, &client);
  bool ink = false;
  for (int y = top; y < top + height && y < client.bottom && !ink; ++y) {
    for (int x = 0; x < kInkWidth && !ink; ++x) ink = ::GetPixel(context, x, y) != window;
  }
  ::ReleaseDC(view, context);
  return ink;
}

TEST_F(ListWindowTest, AHundredThousandVisitsPageDownToTheEndAndPaintTheirLines) {
  const LongListModel& model = history_->view().model();
  ASSERT_EQ(model.count(), kEntries);
  ASSERT_GT(model.linesPerPage(), 2);
  char title[16] = "";
  ::GetWindowTextA(history_->hwnd(), title, sizeof title);
  EXPECT_STREQ(title, "History");
  for (int pages = 0; pages <= kEntries / (model.linesPerPage() - 1); ++pages) {
    ::PostMessageA(view(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    if (pages % kMessagesPerPump == 0) Pump();
  }
  Pump();
  ::UpdateWindow(view());
  int lines = model.linesPerPage();
  EXPECT_EQ(model.top(), kEntries - lines + 1) << "one empty line below the last";
  for (int line = 0; line < lines; ++line) {
    int row = model.top() + line;
    const std::string* painted = model.cache().Find(row);
    if (row < kEntries) {
      ASSERT_NE(painted, nullptr) << row;
      EXPECT_EQ(*painted, ExpectedLine(row));
    }
    int height = model.lineHeight();
    EXPECT_EQ(LineHasInk(view(), line * height, height - 1), row < kEntries) << "line " << line;
  }
}

TEST_F(ListWindowTest, AMouseSelectionBecomesANewListWindowInTheSourcesOrder) {
  ::PostMessageA(view(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, LineY(2)));
  ::PostMessageA(view(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(5, LineY(5)));
  ::PostMessageA(history_->hwnd(), WM_COMMAND, ID_LIST_FROM_SELECTION, 0);
  Pump();
  HWND made = ::FindWindowA(kUrlListWindowClass, "Selected URLs 0");
  ASSERT_NE(made, nullptr);
  auto* selected = static_cast<UrlListWindow*>(WindowBase::FromHandle(made));
  ASSERT_EQ(selected->view().model().count(), 4);
  for (int row = 0; row < 4; ++row) {
    HistoryEntryPtr entry = selected->list().ReadEntryFromNewest(row);
    ASSERT_TRUE(entry);
    EXPECT_EQ(ListLineText(selected->list(), row), ExpectedLine(2 + row));
    EXPECT_EQ(entry->url, testing::LargeHistoryUrl(kEntries - 3 - row));
  }
  RECT frame;
  ::GetWindowRect(made, &frame);
  EXPECT_EQ(frame.right - frame.left, kNewListWidth);
  EXPECT_EQ(frame.bottom - frame.top, kNewListHeight);
  EXPECT_FALSE(selected->IsHistory());
  // Back from the new list's second entry to the same visit in the history.
  ::PostMessageA(selected->view().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, LineY(1)));
  ::PostMessageA(made, WM_COMMAND, ID_LIST_JUMP_TO_HISTORY, 0);
  Pump();
  EXPECT_EQ(history_->view().FirstSelected(), 3);
  EXPECT_EQ(history_->UrlFieldText(), testing::LargeHistoryUrl(kEntries - 4));
}

TEST_F(ListWindowTest, AttachAndRemoveChangeTheAnnotationTable) {
  const std::string url = testing::LargeHistoryUrl(kEntries - 2);
  auto storedAnnotation = [&url] {
    AnnotationStore fromTheDisk;
    return fromTheDisk.Open() ? fromTheDisk.Get(url) : "(not opened)";
  };
  ::PostMessageA(view(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, LineY(1)));
  Pump();
  EXPECT_EQ(history_->UrlFieldText(), url);
  HWND field = ::GetDlgItem(history_->hwnd(), list_control::kAnnotationField);
  ::SetWindowTextA(field, "worth a second look");
  ::PostMessageA(history_->hwnd(), WM_COMMAND, MAKEWPARAM(list_control::kAttach, BN_CLICKED), 0);
  Pump();
  EXPECT_EQ(storedAnnotation(), "worth a second look");
  ::PostMessageA(history_->hwnd(), WM_COMMAND, MAKEWPARAM(list_control::kRemove, BN_CLICKED), 0);
  Pump();
  EXPECT_EQ(storedAnnotation(), "");
  EXPECT_EQ(history_->AnnotationFieldText(), "");
}

TEST_F(ListWindowTest, ANewVisitKeepsAScrolledViewAndTheLayoutFollowsANewSize) {
  ::PostMessageA(view(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), 0);
  Pump();
  std::string title;
  ASSERT_TRUE(process_.process().History()->RecordVisit("http://new.example/", true, &title));
  Pump();
  EXPECT_EQ(history_->view().model().top(), 51);
  EXPECT_EQ(history_->view().model().count(), kEntries + 1);
  ::SetWindowPos(history_->hwnd(), nullptr, 40, 50, 500, 460, SWP_NOZORDER);
  Pump();
  RECT client;
  ::GetClientRect(history_->hwnd(), &client);
  RECT remove = ChildRect(history_->hwnd(), list_control::kRemove);
  EXPECT_EQ(remove.right, client.right - 10);
  EXPECT_EQ(remove.bottom, client.bottom - 20);
  EXPECT_EQ(Current<Preferences>()->historyWindowRect, (WindowRect{40, 50, 540, 510}));
}

// The URLs a run gives after its first step, up to its end ("|").
std::string NextUrls(int most) {
  std::string urls;
  for (int i = 0; i < most; ++i) {
    std::string url = Current<NavigationState>()->currentNavigator->nextUrl();
    if (url.empty()) return urls + "|";
    urls += url + " ";
  }
  return urls;
}

TEST_F(ListWindowTest, TheSelectionIsReplayedThroughTheBrowserUntilTheWindowCloses) {
  simulation::SimulationOptions options;
  options.siteDirectory = process_.root();
  simulation::Simulation browsing(process_.process(), options);
  ASSERT_TRUE(browsing.linkUp());
  process_.preferences().replayMode = 0;  // not "replay repeatedly"
  std::vector<std::string> opened;
  browsing.browser().ObserveOpens([&opened](const std::string& url) { opened.push_back(url); });
  ::PostMessageA(view(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, LineY(2)));
  ::PostMessageA(view(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(5, LineY(4)));
  ::PostMessageA(history_->hwnd(), WM_COMMAND, ID_LIST_REPLAY_OLD_TO_NEW, 0);
  Pump();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], testing::LargeHistoryUrl(kEntries - 5)) << "the oldest selected first";
  EXPECT_EQ(NextUrls(3), testing::LargeHistoryUrl(kEntries - 4) + " " +
                             testing::LargeHistoryUrl(kEntries - 3) + " |");
  // The controller's forward replay starts next to the first selected row, then the window goes.
  ASSERT_TRUE(StartWholeListReplay(replay_direction::kOldToNew));
  EXPECT_EQ(opened.back(), testing::LargeHistoryUrl(kEntries - 2));
  ::DestroyWindow(history_->hwnd());
  EXPECT_EQ(NextUrls(1), "|");
}

}  // namespace
}  // namespace corvisant
