#include "common/string_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvisant {
namespace {

std::vector<std::string> Entries(const SortedStringList& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.Count(); ++i) entries.push_back(list.At(i));
  return entries;
}

TEST(SortedStringList, KeepsCopiesInTheOrderGiven) {
  SortedStringList list;
  std::string text = "Chimes";
  list.Add(text);
  text[0] = 'X';
  list.Add("Ding");
  list.InsertAtFront("(No Sound)");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"(No Sound)", "Chimes", "Ding"}));
}

TEST(SortedStringList, FindIsExactAndCaseSensitive) {
  SortedStringList list;
  list.Add("Arial");
  list.Add("arial");
  list.Add("Arial");
  struct Case {
    const char* text;
    int index;
  };
  for (Case c :
       {Case{"Arial", 0}, Case{"arial", 1}, Case{"ARIAL", -1}, Case{"Aria", -1}, Case{"", -1}}) {
    EXPECT_EQ(list.Find(c.text), c.index) << c.text;
  }
}

TEST(SortedStringList, AddIfAbsentAddsOnlyNewEntries) {
  SortedStringList list;
  EXPECT_EQ(list.AddIfAbsent("news"), 0);
  EXPECT_EQ(list.AddIfAbsent("sports"), 1);
  EXPECT_EQ(list.AddIfAbsent("news"), 0);
  EXPECT_EQ(list.Count(), 2);
}

TEST(SortedStringList, SortsByteWiseAscending) {
  SortedStringList list;
  for (const char* text : {"b", "\xE9t\xE9", "B", "a", "", "ab", "A b"}) list.Add(text);
  list.Sort();
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"", "A b", "B", "a", "ab", "b", "\xE9t\xE9"}));
}

}  // namespace
}  // namespace corvisant
