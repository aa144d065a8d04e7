#include "views/annotation_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/faulty_files.h"
#include "tests/support/test_process.h"
#include "views/annotation_recovery.h"

namespace corvisant {
namespace {

// Changes the table by hand, as a damaged or foreign table holds it: a value for url, or url
// taken out.
void SetTableValue(const std::string& url, const std::string* value) {
  DbHandle db(dbopen(DbFilePath(AnnotationTablePath()).c_str(), O_RDWR, 0600, DB_HASH, nullptr));
  ASSERT_TRUE(db);
  DBT key{const_cast<char*>(url.data()), url.size()};
  DBT data{value != nullptr ? const_cast<char*>(value->data()) : nullptr,
           value ? value->size() : 0};
  ASSERT_EQ(value != nullptr ? db->put(db.get(), &key, &data, 0) : db->del(db.get(), &key, 0), 0);
}

class AnnotationStoreTest : public ::testing::Test {
 protected:
  testing::TestProcess process_;
  AnnotationStore store_;
};

TEST_F(AnnotationStoreTest, TheLogKeepsEveryRecordAndRemovalAndTheTableTheCurrentOne) {
  ASSERT_TRUE(store_.Open());
  ASSERT_TRUE(store_.Put("http://a/", "a"));
  ASSERT_EQ(store_.Delete("http://a/"), Removal::kRemoved);
  EXPECT_EQ(store_.Delete("http://a/"), Removal::kNone) << "nothing left to remove";
  ASSERT_TRUE(store_.Put("http://a/", "line one\nline two\n"));
  ASSERT_TRUE(store_.Put("http://x.org/p?q=1", std::string("nul\0byte", 8)));
  // URLs are kept byte for byte; an empty text removes.
  const char* const urls[] = {"http://A/", "http://a", "http://a/\nhttp://b/"};
  for (const char* url : urls) ASSERT_TRUE(store_.Put(url, url));
  ASSERT_TRUE(store_.Put("http://a", ""));
  store_.Close();
  const char kStart[] =
      "\0"
      "0 9 1\nhttp://a/abf7f2af0\n\0"
      "26 9 0\nhttp://a/10b9472e\n\0"
      "52 9 18\n";
  EXPECT_EQ(process_.Read(AnnotationLogPath()).substr(0, sizeof kStart - 1),
            std::string(kStart, sizeof kStart - 1));
  ASSERT_TRUE(store_.Open());
  EXPECT_EQ(store_.Get("http://a/"), "line one\nline two\n");
  EXPECT_EQ(store_.Get("http://x.org/p?q=1"), std::string("nul\0byte", 8));
  for (const char* url : urls) EXPECT_EQ(store_.Get(url), url == urls[1] ? "" : url);
}

// Any table that does not hold exactly what the log leaves, or that Berkeley DB could not read
// safely, is rebuilt from the log at the open: nothing attached is lost, nothing removed returns.
TEST_F(AnnotationStoreTest, ATableThatCannotBeTrustedIsRebuiltFromTheLog) {
  const std::string wrong("\x02\0\0\0", 4), first("\0\0\0\0", 4);
  const struct {
    std::size_t at;  // where bytes go over the table (npos: the table is bytes; 4096: cut there)
    std::string bytes;
    // At 0: http://b/'s value set by hand (null: taken out), or &first: the removed one put back.
    const std::string* value = nullptr;
  } cases[] = {
      {std::string::npos, "garbage"},
      {std::string::npos, ""},
      {std::string::npos, std::string(8192, '\xff')},
      {4122, "\xff\xff"},
      {4122, std::string("\0\x80", 2)},
      {4096, std::string(1, '\0')},
      {0, "", &wrong},
      {0, "", nullptr},
      {0, "", &first},
  };
  ASSERT_TRUE(store_.Open());
  ASSERT_TRUE(store_.Put("http://gone/", "x") &&
              store_.Delete("http://gone/") == Removal::kRemoved);
  for (const auto& c : cases) {
    ASSERT_TRUE(store_.Put("http://a/", "a " + c.bytes) && store_.Put("http://b/", "b\nnote"));
    store_.Close();
    std::string table = process_.Read(AnnotationTablePath());
    if (c.at == std::string::npos) table = c.bytes;
    if (c.at == 4096) table.resize(c.at);  // cut short
    if (c.at != std::string::npos && c.at != 4096) table.replace(c.at, c.bytes.size(), c.bytes);
    ASSERT_TRUE(process_.Write(AnnotationTablePath(), table));
    if (c.at == 0) SetTableValue(c.value == &first ? "http://gone/" : "http://b/", c.value);
    ASSERT_TRUE(store_.Open()) << c.at << " " << c.bytes.size();
    EXPECT_EQ(store_.Get("http://a/"), "a " + c.bytes) << c.at;
    EXPECT_EQ(store_.Get("http://b/"), "b\nnote") << c.at;
    EXPECT_EQ(store_.Get("http://gone/"), "") << c.at;
    EXPECT_EQ(process_.files().Kind(AnnotationTablePath() + ".new"), PathKind::kMissing);
  }
}

TEST_F(AnnotationStoreTest, AWriteThatFailsIsToldAndChangesNothing) {
  ASSERT_TRUE(store_.Open() && store_.Put("http://a/", "kept"));
  store_.Close();
  testing::FaultyFiles full(*SystemPorts().files);
  full.FailWrites("annotation.log", 1);
  Installed<Files> onFullDisk(&full);
  ASSERT_TRUE(store_.Open());
  EXPECT_FALSE(store_.Put("http://a/", "new"));
  EXPECT_EQ(store_.Delete("http://a/"), Removal::kFailed);
  EXPECT_FALSE(store_.Put("http://a/", ""));
  EXPECT_EQ(store_.Get("http://a/"), "kept");
}

TEST_F(AnnotationStoreTest, WithoutItsDirectoryTheStoreKeepsNothing) {
  testing::RemoveTree(process_.files(), "CorvisantDatabase");
  EXPECT_FALSE(store_.Open());
  EXPECT_FALSE(store_.Put("http://a/", "a"));
  EXPECT_EQ(store_.Get("http://a/"), "");
  EXPECT_EQ(store_.Delete("http://a/"), Removal::kFailed);
  EXPECT_EQ(process_.files().Kind("CorvisantDatabase"), PathKind::kMissing);
}

// Records in the current form, each written where the log ends.
std::string Log(std::string log, std::initializer_list<std::pair<const char*, const char*>> puts) {
  for (const auto& [url, text] : puts) log += MakeLogRecord(log.size(), url, text);
  return log;
}

// Cut short before its last bytes, as an attach that the end of the process or a full disk broke.
std::string Cut(std::string log, std::size_t bytes = kRecordChecksumDigits + 1) {
  log.resize(log.size() - bytes);
  return log;
}

// What a rebuild from log gives: "url=text " for each annotation, in URL order.
std::string Current(const std::string& log, const RecordStarts& known) {
  std::string found;
  for (const auto& [url, offset] : CurrentAnnotations(log, known)) {
    LogRecord record;
    std::size_t size = 0;
    ParseLogRecord(std::string_view(log).substr(offset), offset, true, &record, &size);
    found += std::string(url) + "=" + std::string(record.text) + " ";
  }
  return found;
}

TEST(CurrentAnnotations, EveryWholeRecordCountsAndNothingElse) {
  const std::string forged = "http://attacker/\n6\nPWNED!\nhttp://victim/";
  std::string flipped = Log("", {{"http://a/", "a"}});
  flipped[10] = 'X';
  // The line feeds of a cut record's text look like records of the first form.
  std::string cutForgery =
      Cut(Log("http://b/\n5\nab", {{"1", "\nQ\nhttp://victim/\n6\nPWNED!\n"}}));
  const struct {
    std::string log;
    std::string expected;
    RecordStarts known = {};  // where the table says records start
  } cases[] = {
      {"", ""},
      {Log("", {{"http://victim/", "mine"}, {forged.c_str(), "x"}}),
       forged + "=x http://victim/=mine "},
      {Log("", {{"http://a/", "a"}, {"http://b/", "b"}, {"http://a/", ""}}), "http://b/=b "},
      {Log(Cut(Log("", {{"http://a/", "a"}, {"http://b/", "a long text"}}), 12),
           {{"http://c/", "c"}}),
       "http://a/=a http://c/=c "},
      {Log(cutForgery, {{"http://c/", "c"}}), "http://c/=c "},
      // Older logs, the last record cut short: its length would take in the next record's start.
      {Log("http://a/\n1\na\nhttp://b/\n9\nab", {{"http://c/", "c"}}), "http://a/=a http://c/=c "},
      // An older program's record written right after one cut short, and the table telling it.
      {"http://a/\n5\nabhttp://b/\n1\nb\n", "http://b/=b ", {14}},
      {Log("http://a/\n1\na\n", {{"http://b/", "b"}}) + "http://d/\n1\nd\n",
       "http://a/=a http://b/=b "},
      {flipped, ""},                                                // disagrees with its checksum
      {Log("x", {{"http://a/", "a"}}).substr(1), ""},               // not where it says it starts
      {"junk\nhttp://b/\n1\nb\nhttp://a/\n0\n\n", "http://b/=b "},  // the first form
      {"http://a/\n1x\na\nhttp://b/\n1\nb\n", "http://b/=b "},
      {"http://a/\n99999999999999999999\nx\n", ""},
  };
  for (const auto& test : cases)
    EXPECT_EQ(Current(test.log, test.known), test.expected) << test.log;
}

}  // namespace
}  // namespace corvisant
