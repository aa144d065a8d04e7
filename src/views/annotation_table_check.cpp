// Berkeley DB's native interface (db.h) is used here alone: its names clash with those of the
// 1.85 interface (db_185.h) that the rest of the system uses.
#include "views/annotation_table_check.h"

#include <db.h>

#include <cstdint>

#include "platform/ports.h"

namespace corvisant {
namespace {

// The fields of a Berkeley DB table's first page (its meta-data page) that say how many pages
// the file must hold, in the byte order of the machine that wrote it, which the magic number
// tells.
constexpr std::size_t kMagicAt = 12;
constexpr std::size_t kPageSizeAt = 20;
constexpr std::size_t kLastPageAt = 32;
constexpr std::size_t kMetaFieldsEnd = 36;
constexpr std::uint32_t kSmallestPage = 512;
constexpr std::uint32_t kLargestPage = 65536;
constexpr int kBitsPerByte = 8;
constexpr std::size_t kFieldBytes = 4;

std::uint32_t Field(const unsigned char* page, std::size_t at, bool bigEndian) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < kFieldBytes; ++i) {
    std::size_t byte = bigEndian ? at + i : at + kFieldBytes - 1 - i;
    value = value << kBitsPerByte | page[byte];
  }
  return value;
}

bool AllPagesThere(const std::string& tablePath) {
  StreamPtr table = Current<Files>()->Open(tablePath, "rb");
  if (table == nullptr) return false;
  unsigned char meta[kMetaFieldsEnd];
  if (table->Read(meta, sizeof meta) != sizeof meta) return false;
  bool bigEndian = Field(meta, kMagicAt, true) == DB_HASHMAGIC;
  if (!bigEndian && Field(meta, kMagicAt, false) != DB_HASHMAGIC) return false;
  std::uint64_t pageSize = Field(meta, kPageSizeAt, bigEndian);
  std::uint64_t pages = std::uint64_t{Field(meta, kLastPageAt, bigEndian)} + 1;
  if (pageSize < kSmallestPage || pageSize > kLargestPage || (pageSize & (pageSize - 1)) != 0) {
    return false;
  }
  // Berkeley DB writes whole pages only.
  std::int64_t size = table->Size();
  return size >= 0 && static_cast<std::uint64_t>(size) >= pages * pageSize &&
         static_cast<std::uint64_t>(size) % pageSize == 0;
}

// The verifier tells what it finds wrong on the error stream unless it is given somewhere else.
void Quiet(const DB_ENV*, const char*, const char*) {}

}  // namespace

bool TablePagesAreWhole(const std::string& tablePath, const std::string& dbFileName) {
  if (!AllPagesThere(tablePath)) return false;
  DB* verifier = nullptr;
  if (db_create(&verifier, nullptr, 0) != 0) return false;
  verifier->set_errcall(verifier, Quiet);
  // The handle is gone after verify, whatever it answers.
  return verifier->verify(verifier, dbFileName.c_str(), nullptr, nullptr, 0) == 0;
}

}  // namespace corvisant
