#include "views/annotation_store.h"

#include <fcntl.h>

#include <algorithm>
#include <limits>

#include "platform/ports.h"
#include "url/page_store.h"
#include "views/annotation_log.h"
#include "views/annotation_recovery.h"
#include "views/annotation_table_check.h"

namespace corvisant {
namespace {

using Annotations = std::map<std::string_view, std::uint32_t>;

constexpr int kTablePermissions = 0600;
constexpr const char* kLogMode = "ab+";
// The table being rebuilt from the log, beside the one it replaces.
constexpr const char* kRebuiltSuffix = ".new";
constexpr std::size_t kOffsetBytes = 4;
constexpr int kBitsPerByte = 8;
// What the table's seq answers: an entry, or none left.
constexpr int kSeqFound = 0;
constexpr int kSeqEnd = 1;
// What its del answers for a key it does not hold.
constexpr int kDelNotFound = 1;
// A table holds no more than the log's URLs in pages that are never much emptier than half:
// one far larger is damaged, and is not read whole.
constexpr std::int64_t kTableSizeFactor = 16;
constexpr std::int64_t kTableSizeSlack = 1 << 20;

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

bool StoreOffset(DB* table, std::string_view url, std::uint32_t offset) {
  unsigned char value[kOffsetBytes];
  for (std::size_t i = 0; i < kOffsetBytes; ++i) {
    value[i] = static_cast<unsigned char>(offset >> (i * kBitsPerByte));
  }
  DBT key = Bytes(url);
  DBT data = Bytes(std::string_view(reinterpret_cast<const char*>(value), kOffsetBytes));
  return table->put(table, &key, &data, 0) == 0;
}

bool Unindex(DB* table, std::string_view url) {
  DBT key = Bytes(url);
  int result = table->del(table, &key, 0);
  return result == 0 || result == kDelNotFound;
}

bool Synced(DB* table) { return table->sync(table, 0) == 0; }

bool Offset(const DBT& value, std::uint32_t* offset) {
  if (value.size != kOffsetBytes) return false;
  const auto* bytes = static_cast<const unsigned char*>(value.data);
  *offset = 0;
  for (std::size_t i = 0; i < kOffsetBytes; ++i) {
    *offset |= static_cast<std::uint32_t>(bytes[i]) << (i * kBitsPerByte);
  }
  return true;
}

// The table's bytes; empty when there is none, or when it is beyond any table the log can make.
std::string ReadTable(const std::string& path, std::int64_t logSize) {
  StreamPtr stream = Current<Files>()->Open(path, "rb");
  std::int64_t size = stream != nullptr ? stream->Size() : -1;
  if (size <= 0 || size > kTableSizeFactor * logSize + kTableSizeSlack) return std::string();
  std::string bytes(static_cast<std::size_t>(size), '\0');
  bytes.resize(stream->Read(bytes.data(), bytes.size()));
  return bytes;
}

}  // namespace

std::string AnnotationTablePath() { return EtcPath(kAnnotationTableFile); }
std::string AnnotationLogPath() { return EtcPath(kAnnotationLogFile); }

bool AnnotationStore::Open() {
  Close();
  log_ = Current<Files>()->Open(AnnotationLogPath(), kLogMode);
  if (log_ == nullptr) return false;
  bool open = false;
  {
    StreamLock lock(*log_);
    open = Synchronise();
  }
  if (!open) Close();
  return open;
}

void AnnotationStore::Close() {
  table_.reset();
  if (log_ != nullptr) log_->Close();
  log_.reset();
  agreedLogSize_ = -1;
}

// Another process may have changed the store since this one last looked (the log has grown),
// and may have ended in the middle of a change: a table cut off in the middle of writing its
// pages opens without complaint and answers "none" for URLs it still holds in its file, or makes
// Berkeley DB read outside its buffers. So the table is trusted only once its pages are whole
// and it holds exactly what the log leaves; else it is made anew from the log.
bool AnnotationStore::Synchronise() {
  std::int64_t size = log_->Size();
  if (size < 0) return false;
  if (table_ != nullptr && size == agreedLogSize_) return true;
  table_.reset();
  agreedLogSize_ = -1;
  std::string log;
  if (!ReadAt(0, static_cast<std::size_t>(size), &log)) return false;
  std::string path = AnnotationTablePath();
  if (TablePagesAreWhole(ReadTable(path, size))) table_.reset(OpenTable(path, O_RDWR));
  Annotations current = CurrentAnnotations(log, TableStarts());
  if (table_ != nullptr && !TableAgrees(current)) table_.reset();
  if (table_ == nullptr && !RebuildTable(current)) return false;
  agreedLogSize_ = size;
  return true;
}

RecordStarts AnnotationStore::TableStarts() {
  RecordStarts starts;
  if (table_ == nullptr) return starts;
  DBT key, data;
  for (int result = table_->seq(table_.get(), &key, &data, R_FIRST); result == kSeqFound;
       result = table_->seq(table_.get(), &key, &data, R_NEXT)) {
    std::uint32_t offset = 0;
    if (Offset(data, &offset)) starts.push_back(offset);
  }
  std::sort(starts.begin(), starts.end());
  return starts;
}

bool AnnotationStore::TableAgrees(const Annotations& current) {
  for (const auto& [url, offset] : current) {
    std::uint32_t found = 0;
    if (!FindOffset(url, &found) || found != offset) return false;
  }
  std::size_t entries = 0;
  DBT key, data;
  int result = table_->seq(table_.get(), &key, &data, R_FIRST);
  for (; result == kSeqFound; result = table_->seq(table_.get(), &key, &data, R_NEXT)) {
    if (++entries > current.size()) return false;
  }
  return result == kSeqEnd && entries == current.size();
}

// The table is built beside the one it replaces and moved into its place only when whole, so an
// end of the process on the way leaves the old table to be rebuilt at the next open.
bool AnnotationStore::RebuildTable(const Annotations& current) {
  Files& files = *Current<Files>();
  std::string path = AnnotationTablePath();
  std::string rebuiltPath = path + kRebuiltSuffix;
  files.RemoveFile(rebuiltPath);
  DbHandle rebuilt(OpenTable(rebuiltPath, O_RDWR | O_CREAT | O_TRUNC));
  if (rebuilt == nullptr) return false;
  bool whole = true;
  for (const auto& [url, offset] : current)
    whole = whole && StoreOffset(rebuilt.get(), url, offset);
  whole = whole && Synced(rebuilt.get());
  rebuilt.reset();
  if (!whole || !files.ReplaceFile(rebuiltPath, path)) {
    files.RemoveFile(rebuiltPath);
    return false;
  }
  table_.reset(OpenTable(path, O_RDWR));
  return table_ != nullptr;
}

bool AnnotationStore::Put(std::string_view url, std::string_view text) {
  if (text.empty()) return Delete(url) != Removal::kFailed;
  if (!IsOpen()) return false;
  StreamLock lock(*log_);
  return Synchronise() && Record(url, text);
}

Removal AnnotationStore::Delete(std::string_view url) {
  if (!IsOpen()) return Removal::kFailed;
  StreamLock lock(*log_);
  if (!Synchronise()) return Removal::kFailed;
  std::uint32_t offset = 0;
  if (!FindOffset(url, &offset)) return Removal::kNone;
  return Record(url, std::string_view()) ? Removal::kRemoved : Removal::kFailed;
}

bool AnnotationStore::Record(std::string_view url, std::string_view text) {
  if (!log_->Seek(0, SeekFrom::kEnd)) return false;
  std::int64_t offset = log_->Tell();
  // The table holds 32-bit offsets: a record beyond them could never be found again.
  if (offset < 0 || offset > std::numeric_limits<std::uint32_t>::max()) return false;
  // Until both are written the table is not known to agree with the log.
  agreedLogSize_ = -1;
  std::string record = MakeLogRecord(static_cast<std::uint32_t>(offset), url, text);
  // The record is on the disk before the table points at it.
  if (!log_->WriteText(record) || !log_->Sync()) {
    log_->ClearError();
    return false;
  }
  bool indexed = text.empty() ? Unindex(table_.get(), url)
                              : StoreOffset(table_.get(), url, static_cast<std::uint32_t>(offset));
  if (indexed && Synced(table_.get())) {
    agreedLogSize_ = offset + static_cast<std::int64_t>(record.size());
    return true;
  }
  // The log holds the change now and decides: a table that could not take it is made anew.
  table_.reset();
  return Synchronise();
}

bool AnnotationStore::FindOffset(std::string_view url, std::uint32_t* offset) {
  DBT key = Bytes(url);
  DBT data;
  return table_->get(table_.get(), &key, &data, 0) == 0 && Offset(data, offset);
}

bool AnnotationStore::ReadAt(std::uint32_t offset, std::size_t size, std::string* bytes) {
  bytes->assign(size, '\0');
  return log_->Seek(offset, SeekFrom::kStart) && log_->Read(bytes->data(), size) == size;
}

std::string AnnotationStore::Get(std::string_view url) {
  if (!IsOpen()) return std::string();
  StreamLock lock(*log_);
  std::uint32_t offset = 0;
  if (!Synchronise() || !FindOffset(url, &offset)) return std::string();
  return ReadText(offset, url);
}

// The record must be this URL's and whole: its URL is compared rather than skipped, so that a
// table entry pointing at the wrong place never yields another record's text.
std::string AnnotationStore::ReadText(std::uint32_t offset, std::string_view url) {
  if (offset >= agreedLogSize_) return std::string();
  std::size_t available = static_cast<std::size_t>(agreedLogSize_ - offset);
  std::string bytes;
  LogRecord record;
  std::size_t size = 0;
  if (!ReadAt(offset, std::min(available, url.size() + kRecordFrameMax), &bytes)) {
    return std::string();
  }
  RecordParse parse = ParseLogRecord(bytes, offset, true, &record, &size);
  if (parse == RecordParse::kCut && size <= available && ReadAt(offset, size, &bytes)) {
    parse = ParseLogRecord(bytes, offset, true, &record, &size);
  }
  if (parse != RecordParse::kWhole || record.url != url) return std::string();
  return std::string(record.text);
}

}  // namespace corvisant
