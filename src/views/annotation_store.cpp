#include "views/annotation_store.h"

#include <fcntl.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>

#include "platform/berkeley_db.h"
#include "platform/ports.h"
#include "url/page_store.h"
#include "url/store_names.h"
#include "views/annotation_recovery.h"

namespace corvisant {
namespace {

constexpr int kTablePermissions = 0600;
constexpr const char* kLogMode = "ab+";
// The table being rebuilt from the log, beside the damaged one.
constexpr const char* kRebuiltSuffix = ".new";
constexpr std::size_t kOffsetBytes = 4;
constexpr int kBitsPerByte = 8;
constexpr int kDecimalBase = 10;

std::string EtcPath(const char* file) { return DataFilePath(kEtcDirectory, file); }

DBT Bytes(std::string_view bytes) {
  DBT thing;
  thing.data = const_cast<char*>(bytes.data());
  thing.size = bytes.size();
  return thing;
}

DB* OpenTable(const std::string& path, int flags) {
  return dbopen(DbFilePath(path).c_str(), flags, kTablePermissions, DB_HASH, nullptr);
}

}  // namespace

std::string AnnotationTablePath() { return EtcPath(kAnnotationTableFile); }
std::string AnnotationLogPath() { return EtcPath(kAnnotationLogFile); }

bool AnnotationStore::Open() {
  Close();
  log_ = Current<Files>()->Open(AnnotationLogPath(), kLogMode);
  std::string tablePath = AnnotationTablePath();
  table_.reset(OpenTable(tablePath, O_RDWR));
  if (table_ == nullptr && log_ != nullptr && RebuildTable(tablePath)) {
    table_.reset(OpenTable(tablePath, O_RDWR));
  }
  if (table_ == nullptr) table_.reset(OpenTable(tablePath, O_RDWR | O_CREAT | O_TRUNC));
  if (IsOpen()) return true;
  Close();
  return false;
}

// A table made anew, empty, over an existing log would leave every annotation in the log
// unreachable. The log holds each URL's records in the order they were attached, so the last
// whole one of each URL is its annotation (a removal leaves no record: what was removed comes
// back). The table is built beside the damaged one and moved into its place only when whole,
// so an end of the process on the way leaves the damaged table to be rebuilt at the next open.
bool AnnotationStore::RebuildTable(const std::string& tablePath) {
  std::int64_t size = log_->Size();
  if (size <= 0 || !log_->Seek(0, SeekFrom::kStart)) return false;
  std::string log(static_cast<std::size_t>(size), '\0');
  log.resize(log_->Read(log.data(), log.size()));
  std::map<std::string_view, std::uint32_t> current;
  ScanAnnotationLog(log, [&current](const LogRecord& record) {
    if (record.length == 0) {
      current.erase(record.url);
    } else {
      current[record.url] = record.offset;
    }
  });

  Files& files = *Current<Files>();
  std::string rebuiltPath = tablePath + kRebuiltSuffix;
  files.RemoveFile(rebuiltPath);
  table_.reset(OpenTable(rebuiltPath, O_RDWR | O_CREAT | O_TRUNC));
  if (table_ == nullptr) return false;
  bool whole = true;
  for (const auto& [url, offset] : current) whole = whole && StoreOffset(url, offset);
  whole = whole && table_->sync(table_.get(), 0) == 0;
  table_.reset();
  if (!whole) {
    files.RemoveFile(rebuiltPath);
    return false;
  }
  files.RemoveFile(tablePath);
  return std::rename(DbFilePath(rebuiltPath).c_str(), DbFilePath(tablePath).c_str()) == 0;
}

bool AnnotationStore::StoreOffset(std::string_view url, std::uint32_t offset) {
  unsigned char value[kOffsetBytes];
  for (std::size_t i = 0; i < kOffsetBytes; ++i) {
    value[i] = static_cast<unsigned char>(offset >> (i * kBitsPerByte));
  }
  DBT key = Bytes(url);
  DBT data = Bytes(std::string_view(reinterpret_cast<const char*>(value), kOffsetBytes));
  return table_->put(table_.get(), &key, &data, 0) == 0;
}

void AnnotationStore::Close() {
  table_.reset();
  if (log_ != nullptr) log_->Close();
  log_.reset();
}

bool AnnotationStore::Put(std::string_view url, std::string_view text) {
  if (!IsOpen() || !log_->Seek(0, SeekFrom::kEnd)) return false;
  std::int64_t offset = log_->Tell();
  // The table holds 32-bit offsets: a record beyond them could never be found again.
  if (offset < 0 || offset > std::numeric_limits<std::uint32_t>::max()) return false;

  std::string record(url);
  record += '\n';
  record += std::to_string(text.size());
  record += '\n';
  record.append(text);
  record += '\n';
  // The record is on the disk before the table points at it.
  if (!log_->WriteText(record) || !log_->Sync()) return false;

  return StoreOffset(url, static_cast<std::uint32_t>(offset)) && table_->sync(table_.get(), 0) == 0;
}

bool AnnotationStore::FindOffset(std::string_view url, std::uint32_t* offset) {
  DBT key = Bytes(url);
  DBT data;
  if (table_->get(table_.get(), &key, &data, 0) != 0 || data.size != kOffsetBytes) return false;
  const auto* bytes = static_cast<const unsigned char*>(data.data);
  *offset = 0;
  for (std::size_t i = 0; i < kOffsetBytes; ++i) {
    *offset |= static_cast<std::uint32_t>(bytes[i]) << (i * kBitsPerByte);
  }
  return true;
}

bool AnnotationStore::ReadLength(std::size_t* length) {
  *length = 0;
  for (std::size_t digits = 0; digits <= kLogLengthDigitsMax; ++digits) {
    int next = log_->GetChar();
    if (next == '\n') return digits > 0;
    if (next < '0' || next > '9') return false;
    *length = *length * kDecimalBase + static_cast<std::size_t>(next - '0');
  }
  return false;
}

std::string AnnotationStore::Get(std::string_view url) {
  std::uint32_t offset = 0;
  if (!IsOpen() || !FindOffset(url, &offset)) return std::string();
  std::int64_t logSize = log_->Size();
  if (offset >= logSize || !log_->Seek(offset, SeekFrom::kStart)) return std::string();

  // The record must be this URL's: its URL line is compared whole rather than skipped as a
  // line, so that a URL holding a line feed, or a table entry pointing at the wrong place,
  // never yields another record's text.
  std::string urlLine(url.size() + 1, '\0');
  if (log_->Read(urlLine.data(), urlLine.size()) != urlLine.size() ||
      urlLine.compare(0, url.size(), url) != 0 || urlLine.back() != '\n') {
    return std::string();
  }
  std::size_t length = 0;
  if (!ReadLength(&length)) return std::string();
  std::int64_t textStart = log_->Tell();
  if (textStart < 0 || length > static_cast<std::uint64_t>(logSize - textStart)) {
    return std::string();
  }
  std::string text(length, '\0');
  if (log_->Read(text.data(), length) != length) return std::string();
  return text;
}

bool AnnotationStore::Delete(std::string_view url) {
  if (!IsOpen()) return false;
  DBT key = Bytes(url);
  if (table_->del(table_.get(), &key, 0) != 0) return false;
  // A removal that is not on the disk would come back at the next start.
  return table_->sync(table_.get(), 0) == 0;
}

}  // namespace corvisant
