// The URL list window's portable half: the rows it shows, its fields, what a double click and its
// shortcuts do, the list made from a selection, the jump to the History and where the history
// window opens.
#include "app/url_list_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/history_jump.h"
#include "app/list_from_selection.h"
#include "app/window_positions.h"
#include "history/url_list.h"
#include "tests/support/test_process.h"
#include "views/annotation_store.h"

namespace corvisant {
namespace {

constexpr UnixTime kOldest = testing::kTestTime;
constexpr UnixTime kStep = 10;
constexpr int kEntries = 100;

std::string PageUrl(int index) { return "http://h/p" + std::to_string(index) + ".html"; }

class UrlListViewTest : public ::testing::Test {
 protected:
  // kEntries entries, index i (oldest first) visited at kOldest + 10 i; row r is index 99 - r.
  void SetUp() override {
    ASSERT_EQ(process_.files().MakeDirectory("h"), 0);
    ASSERT_TRUE(list_.CreateUrlList("trip.urli", "trip.urld"));
    for (int i = 0; i < kEntries; ++i) {
      ASSERT_TRUE(list_.AppendEntry(PageUrl(i), "Page " + std::to_string(i), kOldest + kStep * i));
    }
  }
  int Row(int index) { return kEntries - 1 - index; }
  UnixTime Time(int index) { return kOldest + kStep * index; }

  testing::TestProcess process_;
  UrlList list_{*Current<OpenFilesTable>()};
};

TEST_F(UrlListViewTest, JumpNarrowsByTimeThenScansForTheUrlOrThePicture) {
  ASSERT_TRUE(process_.Write("h\\p41.html", "<html><img src=\"img/PIC.GIF\"></html>"));
  struct Case {
    UnixTime t;
    std::string url;
    int current;
    int expected;
  } cases[] = {
      {Time(40), PageUrl(40), -1, Row(40)},
      {Time(40) + 5, PageUrl(40), -1, Row(40)},
      {Time(40) + 5, "http://h/elsewhere.html", -1, Row(40)},  // where the scan stopped
      {Time(40) + 5, PageUrl(40), Row(40), -1},                // already there
      {kOldest - 1, PageUrl(0), -1, Row(0)},                   // found before running past
      {kOldest - 1, "http://h/elsewhere.html", -1, -1},        // ran past the oldest
      {Time(kEntries) + 99, "http://h/elsewhere.html", -1, 0},
      {Time(40) + 5, "http://h/img/pic.gif", -1, Row(41)},   // the page that shows it
      {Time(40) + 5, "http://h/img/pic.gif/", -1, Row(40)},  // names no picture
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JumpTarget(list_, c.t, c.url, c.current), c.expected) << c.t << " " << c.url;
  }
  UrlList empty(*Current<OpenFilesTable>());
  ASSERT_TRUE(empty.CreateUrlList("empty.urli", "empty.urld"));
  EXPECT_EQ(JumpTarget(empty, kOldest, PageUrl(0), -1), -1);
  EXPECT_EQ(PictureName("http://h/a/b.jpg"), "b.jpg");
  EXPECT_EQ(PictureName("http://h/a/b.html"), "");
}

TEST_F(UrlListViewTest, JumpTimeIsTheVisitOrForTheHistoryTheLocalCopysTime) {
  EXPECT_EQ(JumpTime(list_, Row(7), false), Time(7));
  EXPECT_EQ(JumpTime(list_, Row(7), true), std::nullopt);  // no local copy
  ASSERT_TRUE(process_.Write("h\\p7.html", "<html></html>"));
  FileFacts facts;
  ASSERT_TRUE(process_.files().Facts("h\\p7.html", &facts));
  EXPECT_EQ(JumpTime(list_, Row(7), true), facts.modified);
}

TEST_F(UrlListViewTest, RowsShowTheirLineUrlAndAnnotationAndADamagedEntryAPlaceholder) {
  IndexRecord beyondTheData{0, kListDataNumber, kOldest, 1000000};
  ASSERT_TRUE(list_.AppendRecord(beyondTheData));
  ASSERT_TRUE(process_.process().Annotations()->Put(PageUrl(99), "seen twice"));
  ASSERT_TRUE(process_.Write("h\\p98.html", "<html></html>"));
  EXPECT_EQ(ListLineText(list_, 0), kUnreadableEntryLine);
  EXPECT_EQ(ListLineText(list_, 1), FormatLocalDisplayLine(Time(99), "Page 99"));
  EXPECT_EQ(RowAnnotation(list_, 1) + "|" + RowAnnotation(list_, 2) + "|" + RowAnnotation(list_, 0),
            "seen twice||");
  std::string copy = "file:///" + process_.root() + "/h/p98.html";
  for (char& c : copy) c = c == '\\' ? '/' : c == ':' && &c != &copy[4] ? '|' : c;
  EXPECT_EQ(RowUrl(list_, 2, false), PageUrl(98));
  EXPECT_EQ(RowUrl(list_, 2, true), copy);
  EXPECT_EQ(RowUrl(list_, 1, true), "");  // no local copy
  EXPECT_EQ(RowUrl(list_, 0, false) + RowUrl(list_, -1, false), "");
  EXPECT_EQ(ListIndexUrl(list_, 98, true), copy);
  EXPECT_EQ(RowToListIndex(list_, 0), kEntries);
}

TEST_F(UrlListViewTest, ASelectionBecomesANamedListInTheSourcesOrder) {
  IndexRecord beyondTheData{0, kListDataNumber, kOldest, 1000000};
  ASSERT_TRUE(list_.AppendRecord(beyondTheData));  // row 0, left out of the copy
  std::string first = TakeSelectionListName();
  std::unique_ptr<UrlList> copy = CopySelectionToNewList(list_, 0, 3, nullptr);
  ASSERT_NE(copy, nullptr);
  std::vector<std::string> rows;
  for (int row = 0; row < copy->Count(); ++row) rows.push_back(ListLineText(*copy, row));
  EXPECT_EQ(rows, std::vector<std::string>(
                      {ListLineText(list_, 1), ListLineText(list_, 2), ListLineText(list_, 3)}));
  int number = std::stoi(first.substr(first.rfind(' ') + 1));
  EXPECT_EQ(copy->name(), "Selected URLs " + std::to_string(number + 1));
  EXPECT_EQ(copy->firstSize() + copy->secondSize(), 2 * kSelectionListSize);
  EXPECT_EQ(CopySelectionToNewList(list_, -1, -1, nullptr), nullptr);
}

TEST(UrlListView, ADoubleClickOpensAShowablePageAndCtrlLettersAreShortcuts) {
  testing::TestProcess process;
  ASSERT_TRUE(process.Write("a.html", "x"));
  std::string present = "file:///" + process.root() + "/a.html";
  for (char& c : present) c = c == '\\' ? '/' : c;
  present[present.find(':', 5)] = '|';
  struct Case {
    bool linkOn;
    std::string url;
    Activation expected;
  } cases[] = {{false, "http://h/", Activation::kNothing},
               {true, "http://h/", Activation::kOpen},
               {true, present, Activation::kOpen},
               {true, "file:///Z|/nowhere/b.html", Activation::kBeep},
               {true, "", Activation::kBeep}};
  for (const Case& c : cases) EXPECT_EQ(ActivationFor(c.linkOn, c.url), c.expected) << c.url;

  struct Key {
    int key;
    bool control;
    Shortcut expected;
  } keys[] = {{ShortcutKeys::kControlKey, true, Shortcut::kNone},
              {'A', true, Shortcut::kSelectAll},
              {'A', true, Shortcut::kNone},  // not right after Ctrl
              {ShortcutKeys::kControlKey, true, Shortcut::kNone},
              {'F', true, Shortcut::kOpenFinder},
              {ShortcutKeys::kControlKey, true, Shortcut::kNone},
              {'A', false, Shortcut::kNone}};  // Ctrl let go before the letter
  ShortcutKeys shortcuts;
  for (const Key& key : keys) EXPECT_EQ(shortcuts.KeyDown(key.key, key.control), key.expected);
}

TEST(HistoryWindowPlace, NeverPlacedOpensBelowTheMenuBarAndAnOverlapMovesDown) {
  const WindowRect menuBar{10, 10, 510, 60};
  struct Case {
    WindowRect remembered, menuBar, expected;
  } cases[] = {
      {{0, 0, 0, 0}, menuBar, {10, 63, 360, 483}},
      {{200, 30, 500, 400}, menuBar, {200, 63, 500, 433}},
      {{200, 300, 500, 700}, menuBar, {200, 300, 500, 700}},
      {{200, 30, 500, 400}, {150, 10, 650, 60}, {200, 30, 500, 400}},  // menu bar not near
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceHistoryWindow(c.remembered, c.menuBar), c.expected) << c.remembered.top;
  }
  EXPECT_EQ(PlaceWindowAt(-5, 2000, 350, 420, kOrdinaryScreen), (WindowRect{0, 718, 350, 1138}));
}

}  // namespace
}  // namespace corvisant
