#include "views/annotation_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/berkeley_db.h"
#include "platform/ports.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

class AnnotationStoreTest : public ::testing::Test {
 protected:
  AnnotationStoreTest() : previous_(InstallPorts(SystemPorts())), scratch_(files()) {
    files().MakeDirectory("CorvisantDatabase");
    files().MakeDirectory("CorvisantDatabase\\etc");
  }
  ~AnnotationStoreTest() override { InstallPorts(previous_); }

  static Files& files() { return *Current<Files>(); }
  std::string LogBytes() { return testing::ReadBytes(files(), AnnotationLogPath()); }

  // Writes the table's value for url by hand, as a damaged or foreign table might hold it.
  void WriteTableValue(const std::string& url, const std::string& value) {
    DbHandle db(dbopen(DbFilePath(AnnotationTablePath()).c_str(), O_RDWR, 0600, DB_HASH, nullptr));
    ASSERT_TRUE(db);
    DBT key{const_cast<char*>(url.data()), url.size()};
    DBT data{const_cast<char*>(value.data()), value.size()};
    ASSERT_EQ(db->put(db.get(), &key, &data, 0), 0);
  }

  Ports previous_;
  testing::ScratchDirectory scratch_;
};

TEST_F(AnnotationStoreTest, TheLogKeepsEveryRecordAndTheTableTheCurrentOne) {
  {
    AnnotationStore store;
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(store.Get("http://a/"), "") << "no annotation yet";
    ASSERT_TRUE(store.Put("http://a/", "a"));
    ASSERT_TRUE(store.Put("http://a/", "bc"));
    EXPECT_EQ(store.Get("http://a/"), "bc");
    ASSERT_TRUE(store.Put("http://b/", "b"));
    ASSERT_TRUE(store.Delete("http://b/"));
    EXPECT_FALSE(store.Delete("http://b/")) << "nothing left to remove";
    EXPECT_EQ(store.Get("http://b/"), "");
    ASSERT_TRUE(store.Delete("http://a/"));
    ASSERT_TRUE(store.Put("http://a/", "line one\nline two\n"));
    ASSERT_TRUE(store.Put("http://x.org/p?q=1", std::string("nul\0byte", 8)));
  }
  const char kExpected[] =
      "http://a/\n1\na\n"
      "http://a/\n2\nbc\n"
      "http://b/\n1\nb\n"
      "http://a/\n18\nline one\nline two\n\n"
      "http://x.org/p?q=1\n8\nnul\0byte\n";
  EXPECT_EQ(LogBytes(), std::string(kExpected, sizeof kExpected - 1));
  AnnotationStore reopened;
  ASSERT_TRUE(reopened.Open());
  EXPECT_EQ(reopened.Get("http://a/"), "line one\nline two\n");
  EXPECT_EQ(reopened.Get("http://b/"), "");
  EXPECT_EQ(reopened.Get("http://x.org/p?q=1"), std::string("nul\0byte", 8));
}

TEST_F(AnnotationStoreTest, TableMapsTheUrlToItsRecordOffset) {
  {
    AnnotationStore store;
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.Put("http://a/", "a"));  // 14 bytes
    ASSERT_TRUE(store.Put("http://b/", "b"));
  }
  DbHandle db(dbopen(DbFilePath(AnnotationTablePath()).c_str(), O_RDONLY, 0600, DB_HASH, nullptr));
  ASSERT_TRUE(db);
  DBT key{const_cast<char*>("http://b/"), 9};
  DBT data;
  ASSERT_EQ(db->get(db.get(), &key, &data, 0), 0);
  EXPECT_EQ(std::string(static_cast<const char*>(data.data), data.size),
            std::string("\x0e\0\0\0", 4));
}

TEST_F(AnnotationStoreTest, UrlsAreKeptByteForByte) {
  AnnotationStore store;
  ASSERT_TRUE(store.Open());
  const char* const urls[] = {"http://a.com/x", "http://A.com/x", "http://a.com/x/",
                              "http://a.com/x\nhttp://a.com/y", "http://a.com/y"};
  for (const char* url : urls) ASSERT_TRUE(store.Put(url, std::string("note of ") + url));
  for (const char* url : urls) EXPECT_EQ(store.Get(url), std::string("note of ") + url);
}

TEST_F(AnnotationStoreTest, ADamagedTableIsRebuiltFromTheLog) {
  {
    AnnotationStore store;
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.Put("http://a/", "old"));
    ASSERT_TRUE(store.Put("http://b/", "b\nnote"));
    ASSERT_TRUE(store.Put("http://a/", "new"));
  }
  int round = 0;
  for (const std::string& damage : {std::string(), std::string("garbage"),
                                    std::string(8192, '\xff'), std::string(5000, '\0')}) {
    ASSERT_TRUE(testing::WriteBytes(files(), AnnotationTablePath(), damage));
    AnnotationStore store;
    ASSERT_TRUE(store.Open()) << damage.size();
    EXPECT_EQ(store.Get("http://a/"), round == 0 ? "new" : "round " + std::to_string(round));
    EXPECT_EQ(store.Get("http://b/"), "b\nnote");
    ++round;
    EXPECT_TRUE(store.Put("http://a/", "round " + std::to_string(round)));
    EXPECT_EQ(store.Get("http://a/"), "round " + std::to_string(round));
    EXPECT_EQ(files().Kind(AnnotationTablePath() + ".new"), PathKind::kMissing);
  }
}

TEST_F(AnnotationStoreTest, ADamagedTableOverAnEmptyLogIsMadeAnew) {
  ASSERT_TRUE(testing::WriteBytes(files(), AnnotationTablePath(), "garbage"));
  AnnotationStore store;
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.Get("http://a/"), "");
  EXPECT_TRUE(store.Put("http://a/", "fresh"));
  EXPECT_EQ(store.Get("http://a/"), "fresh");
}

TEST_F(AnnotationStoreTest, EntriesThatDoNotLeadToTheirRecordReadAsNone) {
  AnnotationStore store;
  ASSERT_TRUE(store.Open());
  ASSERT_TRUE(store.Put("http://a/", "a"));
  ASSERT_TRUE(store.Put("http://b/", "b"));
  store.Close();
  const struct {
    const char* url;
    std::string value;
  } entries[] = {
      {"http://short/", std::string("\0\0\0", 3)},         // not 4 bytes
      {"http://beyond/", std::string("\xff\xff\0\0", 4)},  // past the log's end
      {"http://b/", std::string("\0\0\0\0", 4)},           // another URL's record
      {"http://a/", std::string("\x02\0\0\0", 4)},         // inside a record
      {"http://x.org/", std::string("\x0e\0\0\0", 4)},     // at http://b/'s record
  };
  for (const auto& entry : entries) WriteTableValue(entry.url, entry.value);
  ASSERT_TRUE(store.Open());
  for (const auto& entry : entries) EXPECT_EQ(store.Get(entry.url), "") << entry.url;
}

TEST_F(AnnotationStoreTest, DamagedRecordsReadAsNone) {
  const struct {
    const char* log;
    std::size_t size;
  } logs[] = {
      {"http://a/\n", 10},                           // cut after the URL line
      {"http://a/\n12", 12},                         // cut inside the length line
      {"http://a/\nxy\nab\n", 16},                   // a length that is no number
      {"http://a/\n\nab\n", 14},                     // an empty length line
      {"http://a/\n99999999999999999999999\n", 34},  // a length beyond any number
      {"http://a/\n5\nab", 14},                      // cut inside the text
  };
  for (const auto& log : logs) {
    ASSERT_TRUE(testing::WriteBytes(files(), AnnotationLogPath(), std::string(log.log, log.size)));
    {
      AnnotationStore store;
      ASSERT_TRUE(store.Open());
    }
    WriteTableValue("http://a/", std::string("\0\0\0\0", 4));
    AnnotationStore store;
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(store.Get("http://a/"), "") << log.log;
    EXPECT_TRUE(store.Put("http://a/", "ok"));
    EXPECT_EQ(store.Get("http://a/"), "ok") << "a damaged log still takes new records";
  }
}

TEST_F(AnnotationStoreTest, WithoutItsDirectoryTheStoreKeepsNothing) {
  testing::RemoveTree(files(), "CorvisantDatabase");
  AnnotationStore store;
  EXPECT_FALSE(store.Open());
  EXPECT_FALSE(store.Put("http://a/", "a"));
  EXPECT_EQ(store.Get("http://a/"), "");
  EXPECT_FALSE(store.Delete("http://a/"));
  EXPECT_EQ(files().Kind("CorvisantDatabase"), PathKind::kMissing) << "nothing written outside";
}

}  // namespace
}  // namespace corvisant
