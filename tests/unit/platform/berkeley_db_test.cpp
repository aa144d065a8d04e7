#include "platform/berkeley_db.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/ports.h"
#include "tests/support/scratch_directory.h"

namespace corvisant {
namespace {

DBT Bytes(const char* text) {
  DBT value;
  value.data = const_cast<char*>(text);
  value.size = std::strlen(text) + 1;
  return value;
}

std::string Get(DB* db, const char* key) {
  DBT name = Bytes(key);
  DBT value;
  if (db->get(db, &name, &value, 0) != 0) return "<absent>";
  return std::string(static_cast<const char*>(value.data));
}

// The operations the system uses: put, get, del, seq with R_NEXT, sync and close.
void Exercise(DB* db) {
  for (const char* key : {"http://a/", "http://b/", "http://c/"}) {
    DBT name = Bytes(key);
    DBT value = Bytes(key + 7);
    ASSERT_EQ(db->put(db, &name, &value, 0), 0);
  }
  EXPECT_EQ(Get(db, "http://b/"), "b/");
  DBT gone = Bytes("http://c/");
  EXPECT_EQ(db->del(db, &gone, 0), 0);
  EXPECT_EQ(db->del(db, &gone, 0), 1) << "a second delete finds nothing";
  EXPECT_EQ(Get(db, "http://c/"), "<absent>");

  int count = 0;
  DBT key, value;
  for (int flag = R_FIRST; db->seq(db, &key, &value, flag) == 0; flag = R_NEXT) ++count;
  EXPECT_EQ(count, 2);
  EXPECT_EQ(db->sync(db, 0), 0);
}

TEST(BerkeleyDb, InMemoryHashTable) {
  DbHandle db(dbopen(nullptr, O_CREAT | O_RDWR, 0600, DB_HASH, nullptr));
  ASSERT_TRUE(db);
  Exercise(db.get());
}

TEST(BerkeleyDb, HashFileIsReadBackAfterReopening) {
  Files& files = *SystemPorts().files;
  testing::ScratchDirectory scratch(files);
  {
    DbHandle db(dbopen("annotation.db", O_CREAT | O_RDWR, 0600, DB_HASH, nullptr));
    ASSERT_TRUE(db);
    Exercise(db.get());
  }
  DbHandle db(dbopen("annotation.db", O_RDWR, 0600, DB_HASH, nullptr));
  ASSERT_TRUE(db);
  EXPECT_EQ(Get(db.get(), "http://a/"), "a/");
  EXPECT_EQ(Get(db.get(), "http://c/"), "<absent>");
}

}  // namespace
}  // namespace corvisant
