#include "views/annotation_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_process.h"
#include "views/annotation_recovery.h"

namespace corvisant {
namespace {

// The table's raw value for url, read or written by hand as a damaged or foreign table holds it.
std::string TableValue(const std::string& url, const std::string* write = nullptr) {
  DbHandle db(dbopen(DbFilePath(AnnotationTablePath()).c_str(), O_RDWR, 0600, DB_HASH, nullptr));
  if (!db) return "no table";
  DBT key{const_cast<char*>(url.data()), url.size()};
  DBT data{write != nullptr ? const_cast<char*>(write->data()) : nullptr,
           write != nullptr ? write->size() : 0};
  if (write != nullptr) return db->put(db.get(), &key, &data, 0) == 0 ? *write : "";
  if (db->get(db.get(), &key, &data, 0) != 0) return "";
  return std::string(static_cast<const char*>(data.data), data.size);
}

class AnnotationStoreTest : public ::testing::Test {
 protected:
  testing::TestProcess process_;
  AnnotationStore store_;
};

TEST_F(AnnotationStoreTest, TheLogKeepsEveryRecordAndTheTableTheCurrentOne) {
  ASSERT_TRUE(store_.Open());
  ASSERT_TRUE(store_.Put("http://a/", "a"));
  ASSERT_TRUE(store_.Put("http://a/", "bc"));
  ASSERT_TRUE(store_.Put("http://b/", "b"));
  ASSERT_TRUE(store_.Delete("http://b/"));
  EXPECT_FALSE(store_.Delete("http://b/")) << "nothing left to remove";
  ASSERT_TRUE(store_.Put("http://a/", "line one\nline two\n"));
  ASSERT_TRUE(store_.Put("http://x.org/p?q=1", std::string("nul\0byte", 8)));
  ASSERT_TRUE(store_.Put("http://big/", std::string(300, 'x')));
  // URLs are kept byte for byte.
  const char* const urls[] = {"http://A/", "http://a", "http://a/\nhttp://b/"};
  for (const char* url : urls) ASSERT_TRUE(store_.Put(url, url));
  store_.Close();
  const char kStart[] =
      "http://a/\n1\na\nhttp://a/\n2\nbc\nhttp://b/\n1\nb\n"
      "http://a/\n18\nline one\nline two\n\nhttp://x.org/p?q=1\n8\nnul\0byte\n";
  EXPECT_EQ(process_.Read(AnnotationLogPath()),
            std::string(kStart, sizeof kStart - 1) + "http://big/\n300\n" + std::string(300, 'x') +
                "\nhttp://A/\n9\nhttp://A/\nhttp://a\n8\nhttp://a\n"
                "http://a/\nhttp://b/\n19\nhttp://a/\nhttp://b/\n");
  // The record's offset (422) as 4 bytes, least significant first.
  EXPECT_EQ(TableValue("http://A/"), std::string("\xa6\x01\0\0", 4));
  ASSERT_TRUE(store_.Open());
  EXPECT_EQ(store_.Get("http://a/"), "line one\nline two\n");
  EXPECT_EQ(store_.Get("http://b/"), "");
  EXPECT_EQ(store_.Get("http://x.org/p?q=1"), std::string("nul\0byte", 8));
  for (const char* url : urls) EXPECT_EQ(store_.Get(url), url);
}

TEST_F(AnnotationStoreTest, ADamagedTableIsRebuiltFromTheLogOrMadeAnewOverAnEmptyOne) {
  int round = 0;
  for (const std::string& damage : {std::string("garbage"), std::string(), std::string("garbage"),
                                    std::string(8192, '\xff'), std::string(5000, '\0')}) {
    ASSERT_TRUE(process_.Write(AnnotationTablePath(), damage));
    ASSERT_TRUE(store_.Open()) << damage.size();
    EXPECT_EQ(store_.Get("http://a/"), round == 0 ? "" : "round " + std::to_string(round));
    EXPECT_EQ(store_.Get("http://b/"), round == 0 ? "" : "b\nnote");
    ++round;
    EXPECT_TRUE(store_.Put("http://b/", "b\nnote"));
    EXPECT_TRUE(store_.Put("http://a/", "round " + std::to_string(round)));
    EXPECT_EQ(process_.files().Kind(AnnotationTablePath() + ".new"), PathKind::kMissing);
    store_.Close();
  }
}

// An entry that does not lead to a whole record of its URL reads as none; new records still go.
TEST_F(AnnotationStoreTest, EntriesThatDoNotLeadToAWholeRecordOfTheirUrlReadAsNone) {
  const std::string log = "http://a/\n1\na\nhttp://b/\n1\nb\n", start("\0\0\0\0", 4);
  const struct {
    std::string log, url, value;
  } cases[] = {
      {log, "http://short/", std::string("\0\0\0", 3)},              // not 4 bytes
      {log, "http://beyond/", std::string("\xff\xff\0\0", 4)},       // past the log's end
      {log, "http://b/", start},                                     // another URL's record
      {log, "http://a/", std::string("\x02\0\0\0", 4)},              // inside a record
      {log, "http://x.org/", std::string("\x0e\0\0\0", 4)},          // at http://b/'s record
      {"http://a/\n", "http://a/", start},                           // cut after the URL line
      {"http://a/\n12", "http://a/", start},                         // cut inside the length line
      {"http://a/\nxy\nab\n", "http://a/", start},                   // a length that is no number
      {"http://a/\n\nab\n", "http://a/", start},                     // an empty length line
      {"http://a/\n99999999999999999999999\n", "http://a/", start},  // beyond any number
      {"http://a/\n5\nab", "http://a/", start},                      // cut inside the text
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(process_.Write(AnnotationLogPath(), c.log));
    process_.files().RemoveFile(AnnotationTablePath());
    ASSERT_TRUE(store_.Open());
    store_.Close();
    ASSERT_EQ(TableValue(c.url, &c.value), c.value);
    ASSERT_TRUE(store_.Open());
    EXPECT_EQ(store_.Get(c.url), "") << c.url << " " << c.log;
    EXPECT_TRUE(store_.Put(c.url, "ok"));
    EXPECT_EQ(store_.Get(c.url), "ok") << c.url << " " << c.log;
    store_.Close();
  }
}

TEST_F(AnnotationStoreTest, WithoutItsDirectoryTheStoreKeepsNothing) {
  testing::RemoveTree(process_.files(), "CorvisantDatabase");
  EXPECT_FALSE(store_.Open());
  EXPECT_FALSE(store_.Put("http://a/", "a"));
  EXPECT_EQ(store_.Get("http://a/"), "");
  EXPECT_FALSE(store_.Delete("http://a/"));
  EXPECT_EQ(process_.files().Kind("CorvisantDatabase"), PathKind::kMissing);
}

// The records found, as "url@offset+length " each.
std::string Scan(const std::string& log) {
  std::string found;
  ScanAnnotationLog(log, [&found](const LogRecord& record) {
    found += std::string(record.url) + "@" + std::to_string(record.offset) + "+" +
             std::to_string(record.length) + " ";
  });
  return found;
}

TEST(ScanAnnotationLog, FindsEveryWholeRecordAndPassesOverDamage) {
  const struct {
    std::string log;
    const char* expected;
  } cases[] = {
      {"", ""},
      {"http://a/\n1\na\nhttp://b/\n2\nbc\n", "http://a/@0+1 http://b/@14+2 "},
      {"http://a/\n3\na\nb\n", "http://a/@0+3 "},  // a text with a line feed
      {"http://a/\n0\n\n", "http://a/@0+0 "},
      {"http://a/\n1\na\nhttp://b/\n5\nab", "http://a/@0+1 "},     // cut in the text
      {"http://a/\n1\na\nhttp://b/", "http://a/@0+1 "},            // cut in the URL
      {"junk\nhttp://b/\n1\nb\n", "http://b/@5+1 "},               // a stray line
      {"http://a/\n1x\na\nhttp://b/\n1\nb\n", "http://b/@15+1 "},  // a length that is no number
      {"http://a/\n1\nab\nhttp://b/\n1\nb\n", "http://b/@15+1 "},  // no line feed after the text
      {"http://a/\n99999999999999999999\nx\n", ""},                // a length beyond any number
  };
  for (const auto& test : cases) EXPECT_EQ(Scan(test.log), test.expected) << test.log;
}

}  // namespace
}  // namespace corvisant
