// The replays as the tick steps them: a URL list window's range, the random pick from a list,
// and Visit tags with their spend times, repeat counts and hand-overs.
#include <gtest/gtest.h>

#include "common/preferences.h"
#include "navigation/navigation_state.h"
#include "navigation/random_url_list_navigator.h"
#include "navigation/visit_tag_navigator.h"
#include "tests/support/scripted_random.h"
#include "tests/support/test_process.h"
#include "tools/simulation/list_window_files.h"

namespace corvisant {
namespace {

using simulation::FileListWindow;
using namespace replay_direction;

// A list window over the entries e0, e1, ... (oldest first).
void MakeList(testing::TestProcess& process, FileListWindow& window, int entries) {
  UrlList list(*Current<OpenFilesTable>());
  ASSERT_TRUE(list.CreateUrlList("trip.urli", "trip.urld"));
  for (int i = 0; i < entries; ++i) list.AppendEntry("http://h/e" + std::to_string(i), "", 0);
  ASSERT_TRUE(window.Open(process.root() + "\\trip"));
}

// What nextUrl gives, at most `most` times; "|" when it gave nothing.
std::string Urls(Navigator& navigator, int most) {
  std::string urls;
  for (int i = 0; i < most; ++i) {
    std::string url = navigator.nextUrl();
    if (url.empty()) return urls + "|";
    urls += url.substr(url.rfind('/') + 1) + " ";
  }
  return urls;
}

TEST(UrlRangeReplay, EndsAtTheEndOfItsRangeOrStartsAgainThere) {
  struct Row {
    int low, high, direction;
    bool repeatedly, windowCloses;
    const char* shown;
  };
  const Row rows[] = {
      {1, 3, kOldToNew, false, false, "e1 e2 e3 |"},
      {1, 3, kOldToNew, true, false, "e1 e2 e3 e1 e2 e3 e1 "},
      {1, 3, kNewToOld, false, false, "e3 e2 e1 |"},
      {0, 1, kNewToOld, true, false, "e1 e0 e1 e0 e1 e0 e1 "},
      {0, 4, kOldToNew, true, true, "|"},
  };
  for (const Row& row : rows) {
    testing::TestProcess process;
    process.preferences().replayMode = row.repeatedly ? replay_mode::kReplayRepeatedly : 0;
    FileListWindow window;
    MakeList(process, window, 5);
    UrlRangeNavigator navigator(window.Offer(), row.low, row.high,
                                row.direction == kOldToNew ? row.low : row.high, row.direction);
    if (row.windowCloses) window.Close();
    EXPECT_EQ(Urls(navigator, 7), row.shown) << row.low << row.direction << row.repeatedly;
  }
}

TEST(UrlRangeReplay, StartsAtTheSelectionsEndOrNextToTheFirstSelectedEntry) {
  struct Row {
    int low, high;  // -1: nothing selected
    bool wholeList;
    int direction;
    const char* afterFirst;  // what follows the entry the start showed
  };
  const Row rows[] = {
      {1, 3, false, kOldToNew, "e2 e3 |"},
      {1, 3, false, kNewToOld, "e2 e1 |"},
      {-1, -1, false, kOldToNew, "no run"},
      // The last entry selected: forward starts at 0.
      {4, 4, true, kOldToNew, "e1 e2 e3 e4 |"},
      {0, 2, true, kNewToOld, "e3 e2 e1 e0 |"},
      {-1, -1, true, kOldToNew, "e2 e3 e4 |"},
  };
  for (const Row& row : rows) {
    testing::TestProcess process;
    process.preferences().replayMode = 0;
    FileListWindow window;
    MakeList(process, window, 5);
    window.Select(row.low, row.high);
    simulation::FileListWindows windows;
    windows.frontmost = &window;
    Installed<UrlListWindows> installed(&windows);
    ProcessOwned<NavigationState> navigation;
    bool started = row.wholeList ? StartWholeListReplay(row.direction)
                                 : ReplaySelectedRange(window.Offer(), row.direction);
    std::string shown = started ? Urls(*navigation->currentNavigator, 6) : "no run";
    EXPECT_EQ(shown, row.afterFirst) << row.low << row.wholeList << row.direction;
  }
}

TEST(RandomUrlListReplay, DrawsAnEntryOfTheWholeListAndEndsWithoutOne) {
  struct Row {
    int entries;
    std::initializer_list<int> draws;
    const char* shown;
  };
  const Row rows[] = {
      {5, {32767, 0}, "e0 e0 "}, {5, {0, 0}, "e4 e4 "}, {5, {1, 3}, "e3 e3 "}, {0, {0, 0}, "|"}};
  for (const Row& row : rows) {
    testing::TestProcess process;
    FileListWindow window;
    MakeList(process, window, row.entries);
    simulation::FileListWindows windows;
    windows.frontmost = &window;
    Installed<UrlListWindows> installed(&windows);
    NavigatorPtr navigator = MakeRandomUrlListNavigator();
    testing::ScriptedRandom draws(row.draws);
    Installed<Random> scripted(&draws);
    EXPECT_EQ(Urls(*navigator, 2), row.shown) << row.entries;
  }
}

VisitTagList Tags(std::initializer_list<const char*> tags) {
  VisitTagList visits;
  for (const char* tag : tags) AddVisitTag(&visits, tag);
  return visits;
}

// Each URL with the seconds it is shown for; "|" when the Visit-tag run has ended.
std::string Visits(NavigationState& navigation, int most) {
  std::string visits;
  for (int i = 0; i < most && navigation.visitNavigator != nullptr; ++i) {
    std::string url = navigation.visitNavigator->nextUrl();
    if (url.empty()) break;
    visits += url + "+" + std::to_string(navigation.visitDeadline - Current<Clock>()->Now()) + " ";
  }
  return visits +
         (navigation.visitNavigator == nullptr && navigation.visitDeadline == 0 ? "|" : "");
}

TEST(VisitTagReplay, ShowsEachItemForItsSpendAsOftenAsTheListRepeats) {
  struct Row {
    VisitTagList tags;
    const char* shown;
  };
  const Row rows[] = {
      {Tags({"visit href=A spend=10secs", "visit href=B", "visit repeat=2"}),
       "A+10 B+5 A+10 B+5 |"},
      {Tags({"visit repeat=0", "visit href=A spend=x"}), "A+0 |"},
      {Tags({"visit repeat=2147483647"}), "|"},
  };
  for (const Row& row : rows) {
    testing::TestProcess process;
    ProcessOwned<NavigationState> navigation;
    VisitTagTakeOver().TakeOver(row.tags);
    EXPECT_EQ(Visits(*navigation, 8), row.shown);
  }
}

TEST(VisitTagReplay, AListMetWhileAnotherPlaysPlaysWholeThenHandsBack) {
  testing::TestProcess process;
  ProcessOwned<NavigationState> navigation;
  VisitTagTakeOver takeOver;
  takeOver.TakeOver(Tags({"visit href=o1", "visit href=o2", "visit href=o3 spend=9"}));
  EXPECT_EQ(Visits(*navigation, 1), "o1+5 ");
  takeOver.TakeOver(Tags({"visit href=i1 spend=2", "visit href=i2"}));
  EXPECT_EQ(Visits(*navigation, 8), "i1+2 i2+5 o2+5 o3+9 |");
}

TEST(VisitTagReplay, AStepThatHandsBackPastAMissingFileGoesOnBelow) {
  testing::TestProcess process;
  ProcessOwned<NavigationState> navigation;
  VisitTagTakeOver takeOver;
  takeOver.TakeOver(
      Tags({"visit href=file:///gone.html spend=7", "visit href=http://o/3 spend=9"}));
  takeOver.TakeOver(Tags({"visit href=http://i/1"}));
  Navigator* inner = navigation->visitNavigator.get();
  inner->step();
  EXPECT_EQ(navigation->visitDeadline - process.clock.Now(), 5);
  // The inner list ends; the one below offers a missing file, then its next item.
  inner->step();
  EXPECT_EQ(navigation->retiredVisitNavigator.get(), inner);
  EXPECT_EQ(navigation->visitDeadline - process.clock.Now(), 9);
  EXPECT_EQ(Visits(*navigation, 2), "|");
}

}  // namespace
}  // namespace corvisant
