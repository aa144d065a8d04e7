// The random pick from the local store: the density files byte for byte, the question before
// they are made again, the walk that Stop ends, and the draw of a page.
#include <gtest/gtest.h>

#include "navigation/density_files.h"
#include "navigation/local_storage_dialogs.h"
#include "navigation/local_storage_navigator.h"
#include "tests/support/scripted_random.h"
#include "tests/support/test_process.h"

namespace corvisant {
namespace {

constexpr const char* kPage = "<html><title>t</title></html>";

// Answers the question and watches the walk; Stop is pressed at the first chance when asked.
class ScriptedDialogs : public LocalStorageDialogs, public ScanningDialog {
 public:
  DensityAnswer AskRecreateDensity() override {
    ++questions;
    return answer;
  }
  std::unique_ptr<ScanningDialog> OpenScanningDialog(std::string_view label) override {
    labels += std::string(label) + ";";
    return std::make_unique<Forwarding>(*this);
  }
  void ShowScanned(int count) override { scanned = count; }
  void ShowFound(int count, std::string_view) override { found = count; }
  bool HandleMessagesAndStopped() override { return pressStop; }

  DensityAnswer answer = DensityAnswer::kRecreate;
  bool pressStop = false;
  int questions = 0, scanned = 0, found = 0;
  std::string labels;

 private:
  struct Forwarding : ScanningDialog {
    explicit Forwarding(ScanningDialog& to) : to(to) {}
    void ShowScanned(int count) override { to.ShowScanned(count); }
    void ShowFound(int count, std::string_view name) override { to.ShowFound(count, name); }
    bool HandleMessagesAndStopped() override { return to.HandleMessagesAndStopped(); }
    ScanningDialog& to;
  };
};

std::string Hex(const std::string& bytes) {
  std::string hex;
  char byte[4];
  for (unsigned char c : bytes) {
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
    for (const char* page :
         {"site\\a.html", "site\\b.html", "site\\sub\\c.html", "CorvisantDocument\\manual.html"}) {
      ASSERT_TRUE(process.Write(page, kPage));
    }
    ASSERT_TRUE(process.Write("site\\notes.txt", "plain words"));
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
            "0000000000"
            "0000000000"
            "00000005site00"
            "0000000asub00");
  std::string density = Density();
  EXPECT_EQ(density.size(), 24u);
  // The two pages of site and the one of site\sub, in the order the walk meets them.
  for (const char* entry : {"0000000a", "00000013"})
    EXPECT_NE(density.find(entry), std::string::npos);
  EXPECT_EQ(navigator.entryCount(), 3);
  EXPECT_EQ(dialogs.questions, 0) << "nothing to ask about without files";
  EXPECT_EQ(dialogs.labels, "HTML files found:;");
  EXPECT_EQ(dialogs.scanned, 4);
  EXPECT_EQ(dialogs.found, 3);
}

TEST_F(LocalStorage, TheAnswerToTheQuestionDecidesWhatIsUsed) {
  struct Row {
    DensityAnswer answer;
    int entries;
    bool rewritten;
  };
  // Two pages of site, as an earlier walk left them.
  const std::string structure("\0\0\0\0\0\0\0\0\0\0\0\0\0\x05site\0", 19);
  for (const Row& row :
       {Row{DensityAnswer::kUseOld, 2, false}, Row{DensityAnswer::kCancel, 0, false},
        Row{DensityAnswer::kRecreate, 3, true}}) {
    ASSERT_TRUE(process.Write(DensityPath(), std::string("\0\0\0\x0a\0\0\0\x0a", 8)));
    ASSERT_TRUE(process.Write(DensityStructPath(), structure));
    dialogs.answer = row.answer;
    LocalStorageNavigator navigator;
    EXPECT_EQ(navigator.entryCount(), row.entries);
    EXPECT_EQ(navigator.nextUrl().empty(), row.entries == 0);
    EXPECT_EQ(Structure() != Hex(structure), row.rewritten);
  }
  EXPECT_EQ(dialogs.questions, 3);
}

TEST_F(LocalStorage, StopEndsTheWalkWithTheEntriesWrittenSoFar) {
  for (int i = 0; i < 30; ++i) ASSERT_TRUE(process.Write("site\\p" + std::to_string(i), kPage));
  dialogs.pressStop = true;
  LocalStorageNavigator navigator;
  EXPECT_EQ(dialogs.scanned, 10);
  EXPECT_EQ(navigator.entryCount(), dialogs.found);
  EXPECT_EQ(Density().size(), 8u * dialogs.found);
}

TEST_F(LocalStorage, AStoreWithoutPagesEndsTheRunAtOnce) {
  for (const char* page : {"site\\a.html", "site\\b.html", "site\\sub\\c.html"}) {
    ASSERT_TRUE(process.files().RemoveFile(page));
  }
  LocalStorageNavigator navigator;
  EXPECT_EQ(Density(), "");
  EXPECT_EQ(navigator.nextUrl(), "");
}

TEST_F(LocalStorage, APickDrawsAnEntryThenAPageOfItsDirectory) {
  LocalStorageNavigator navigator;
  std::string density = process.Read(DensityPath());
  int sub = static_cast<int>(density.find(std::string("\0\0\0\x13", 4)) / 4);
  std::string subUrl = "file://" + StoreRootUrlPath() + "/site/sub/c.html";
  // i = (a x 65536 + b + 32767) mod 3; a single page in its directory needs no further draw.
  testing::ScriptedRandom draws{0, (sub + 3 - 32767 % 3) % 3};
  Installed<Random> scripted(&draws);
  EXPECT_EQ(navigator.nextUrl(), subUrl);
  EXPECT_EQ(draws.drawCount(), 2);
  // A directory that has gone is drawn again, and a store whose pages have all gone ends the run.
  ASSERT_TRUE(process.files().RemoveFile("site\\sub\\c.html"));
  ASSERT_TRUE(process.files().RemoveFile("site\\a.html"));
  ASSERT_TRUE(process.files().RemoveFile("site\\b.html"));
  EXPECT_EQ(navigator.nextUrl(), "");
}

}  // namespace
}  // namespace corvisant
