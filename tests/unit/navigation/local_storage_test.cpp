// The random pick from the local store: the density files byte for byte, the question before
// they are made again, and the draw of a page. (Stop in the walk: the Win32 dialogs' check.)
#include <gtest/gtest.h>

#include <algorithm>

#include "navigation/local_storage_dialogs.h"
#include "navigation/local_storage_navigator.h"
#include "tests/support/scripted_random.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

constexpr const char* kPage = "<html><title>t</title></html>";

// Answers the question; the walk runs unwatched.
struct ScriptedDialogs : LocalStorageDialogs {
  DensityAnswer AskRecreateDensity() override { return ++questions, answer; }
  std::unique_ptr<ScanningDialog> OpenScanningDialog(std::string_view) override { return nullptr; }
  DensityAnswer answer = DensityAnswer::kRecreate;
  int questions = 0;
};

// Each byte in hex, letters as they are.
std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char c : bytes) {
    char byte[4];
    std::snprintf(byte, sizeof byte, c >= 'a' && c <= 'z' ? "%c" : "%02x", c);
    hex += byte;
  }
  return hex;
}

class LocalStorage : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* directory : {"site", "site\\sub", "CorvisantDocument"}) {
      ASSERT_EQ(process.files().MakeDirectory(directory), 0);
    }
    for (const char* page : {"site\\a.html", "site\\b.html", "site\\sub\\c.html",
                             "CorvisantDocument\\manual.html", "site\\notes.txt"}) {
      ASSERT_TRUE(process.Write(page, std::string(page).back() == 't' ? "plain words" : kPage));
    }
  }
  std::string Density() { return Hex(process.Read(DensityPath())); }
  std::string Structure() { return Hex(process.Read(DensityStructPath())); }

  testing::TestProcess process;
  ScriptedDialogs dialogs;
  Installed<LocalStorageDialogs> installed{&dialogs};
};

TEST_F(LocalStorage, TheWalkWritesADirectoryRecordEachAndAnEntryPerPage) {
  LocalStorageNavigator navigator;
  EXPECT_EQ(Structure(),
            "0000000000" + std::string("0000000000") + "00000005site00" + "0000000asub00");
  // The two pages of site and the one of site\sub (not the manual's), as the walk meets them.
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < Density().size(); i += 8) entries.push_back(Density().substr(i, 8));
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"0000000a", "0000000a", "00000013"}));
  EXPECT_EQ(navigator.entryCount(), 3);
  EXPECT_EQ(dialogs.questions, 0) << "nothing to ask about without files";
}

TEST_F(LocalStorage, TheAnswerToTheQuestionDecidesWhatIsUsed) {
  // Two pages of site, as an earlier walk left them.
  const std::string structure("\0\0\0\0\0\0\0\0\0\0\0\0\0\x05site\0", 19);
  for (auto [answer, entries] : {std::pair{DensityAnswer::kUseOld, 2},
                                 {DensityAnswer::kCancel, 0},
                                 {DensityAnswer::kRecreate, 3}}) {
    ASSERT_TRUE(process.Write(DensityPath(), std::string("\0\0\0\x0a\0\0\0\x0a", 8)));
    ASSERT_TRUE(process.Write(DensityStructPath(), structure));
    dialogs.answer = answer;
    LocalStorageNavigator navigator;
    EXPECT_EQ(navigator.entryCount(), entries);
    EXPECT_EQ(navigator.nextUrl().empty(), entries == 0);
    EXPECT_EQ(Structure() != Hex(structure), answer == DensityAnswer::kRecreate);
  }
  EXPECT_EQ(dialogs.questions, 3);
}

TEST_F(LocalStorage, APickDrawsAnEntryThenAPageOfItsDirectoryAndEndsWithoutPages) {
  LocalStorageNavigator navigator;
  int sub = static_cast<int>(process.Read(DensityPath()).find(std::string("\0\0\0\x13", 4)) / 4);
  // i = (a x 65536 + b + 32767) mod 3; a single page in its directory needs no further draw.
  testing::ScriptedRandom draws{0, (sub + 3 - 32767 % 3) % 3};
  Installed<Random> scripted(&draws);
  EXPECT_EQ(navigator.nextUrl(), "file://" + StoreRootUrlPath() + "/site/sub/c.html");
  EXPECT_EQ(draws.drawCount(), 2);
  // Directories whose pages have gone are drawn again, until the pick gives up; a store without
  // pages gives an empty density file.
  for (const char* page : {"site\\a.html", "site\\b.html", "site\\sub\\c.html"}) {
    ASSERT_TRUE(process.files().RemoveFile(page));
  }
  EXPECT_EQ(navigator.nextUrl(), "");
  LocalStorageNavigator empty;
  EXPECT_EQ(Density(), "");
  EXPECT_EQ(empty.nextUrl(), "");
}

}  // namespace
}  // namespace corvisant
