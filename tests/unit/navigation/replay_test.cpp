// The replays as the tick steps them: a URL list window's range, and Visit tags with their spend
// times, repeat counts and hand-overs.
#include <gtest/gtest.h>

#include "common/preferences.h"
#include "navigation/navigation_state.h"
#include "navigation/random_url_list_navigator.h"
#include "navigation/visit_tag_navigator.h"
#include "tests/support/test_process.h"
#include "tools/simulation/list_window_files.h"

namespace corvisant {
namespace {

using namespace replay_direction;

// A process with the frontmost list window over the entries e0 to e4 (oldest first).
struct ListProcess {
  explicit ListProcess(int entries = 5) {
    UrlList list(*Current<OpenFilesTable>());
    list.CreateUrlList("trip.urli", "trip.urld");
    for (int i = 0; i < entries; ++i) list.AppendEntry("http://h/e" + std::to_string(i), "", 0);
    window.Open(process.root() + "\\trip");
    windows.frontmost = &window;
    process.preferences().linkOn = 1;
  }
  testing::TestProcess process;
  simulation::FileListWindow window;
  simulation::FileListWindows windows;
  Installed<UrlListWindows> installed{&windows};
  ProcessOwned<NavigationState> navigation;
};

// What nextUrl gives, at most `most` times; "|" for nothing.
std::string Urls(Navigator& navigator, int most) {
  std::string urls;
  for (int i = 0; i < most; ++i) {
    std::string url = navigator.nextUrl();
    if (url.empty()) return urls + "|";
    urls += url.substr(url.rfind('/') + 1) + " ";
  }
  return urls;
}

TEST(ListReplay, StartsWhereTheWindowSaysAndEndsOrStartsAgainAtTheEndOfItsRange) {
  struct Row {
    int low, high, wholeList, direction, repeatedly;  // low and high: the selection, -1 for none
    const char* afterFirst;                           // what follows the entry the start showed
  };
  const Row rows[] = {
      {1, 3, 0, kOldToNew, 0, "e2 e3 |"},
      {1, 3, 0, kOldToNew, 1, "e2 e3 e1 e2 e3 "},
      {-1, -1, 0, kOldToNew, 0, "no run"},
      // The last entry selected: forward starts at 0.
      {4, 4, 1, kOldToNew, 0, "e1 e2 e3 e4 |"},
      {0, 2, 1, kNewToOld, 0, "e3 e2 e1 e0 |"},
      {-1, -1, 1, kOldToNew, 0, "e2 e3 e4 |"},
  };
  for (const Row& row : rows) {
    ListProcess list;
    list.process.preferences().replayMode = row.repeatedly ? replay_mode::kReplayRepeatedly : 0;
    list.window.Select(row.low, row.high);
    bool started = row.wholeList ? StartWholeListReplay(row.direction)
                                 : ReplaySelectedRange(list.window.Offer(), row.direction);
    std::string shown = started ? Urls(*list.navigation->currentNavigator, 5) : "no run";
    EXPECT_EQ(shown, row.afterFirst) << row.low << row.wholeList << row.direction;
  }
  // The run ends when the window goes; the random pick from an empty list has nothing to draw.
  ListProcess closing;
  ASSERT_TRUE(StartWholeListReplay(kOldToNew));
  closing.window.Close();
  EXPECT_EQ(Urls(*closing.navigation->currentNavigator, 1), "|");
  ListProcess empty(0);
  EXPECT_EQ(Urls(*MakeRandomUrlListNavigator(), 1), "|");
}

VisitTagList Tags(std::initializer_list<const char*> tags) {
  VisitTagList visits;
  for (const char* tag : tags) AddVisitTag(&visits, tag);
  return visits;
}

// Each URL with its seconds shown; "|" when the Visit-tag run has ended.
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

TEST(VisitTagReplay, ShowsEachItemForItsSpendAsOftenAsTheListRepeatsThenHandsBack) {
  const std::pair<VisitTagList, const char*> rows[] = {
      {Tags({"visit href=A spend=10secs", "visit href=B", "visit repeat=2"}),
       "A+10 B+5 A+10 B+5 |"},
      {Tags({"visit repeat=0", "visit href=A spend=x"}), "A+0 |"},
      {Tags({"visit repeat=2147483647"}), "|"},
  };
  for (const auto& [tags, shown] : rows) {
    ListProcess list;
    VisitTagTakeOver().TakeOver(tags);
    EXPECT_EQ(Visits(*list.navigation, 8), shown);
  }
  // A list met while another plays plays whole, then the other goes on with its next item.
  ListProcess list;
  VisitTagTakeOver takeOver;
  takeOver.TakeOver(Tags({"visit href=o1", "visit href=o2", "visit href=o3 spend=9"}));
  EXPECT_EQ(Visits(*list.navigation, 1), "o1+5 ");
  takeOver.TakeOver(Tags({"visit href=i1 spend=2", "visit href=i2"}));
  EXPECT_EQ(Visits(*list.navigation, 8), "i1+2 i2+5 o2+5 o3+9 |");
}

// The hand-over happens inside the step of the list that ends; a candidate that names a missing
// file is followed by the next one of the list below, and the retired list lives on until then.
TEST(VisitTagReplay, AStepThatHandsBackPastAMissingFileGoesOnBelow) {
  ListProcess list;
  VisitTagTakeOver takeOver;
  takeOver.TakeOver(
      Tags({"visit href=file:///gone.html spend=7", "visit href=http://o/3 spend=9"}));
  takeOver.TakeOver(Tags({"visit href=http://i/1"}));
  Navigator* inner = list.navigation->visitNavigator.get();
  inner->step();
  inner->step();
  EXPECT_EQ(list.navigation->retiredVisitNavigator.get(), inner);
  EXPECT_EQ(list.navigation->visitDeadline - list.process.clock.Now(), 9);
  EXPECT_EQ(Visits(*list.navigation, 2), "|");
}

}  // namespace
}  // namespace corvisant
