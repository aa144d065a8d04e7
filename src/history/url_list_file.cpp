#include "history/url_list_file.h"

#include <cstdio>

#include "history/entry_texts.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

constexpr const char* kHistoryIndexName = "HistoryIndex";
constexpr const char* kHistoryDataName = "HistoryURL";
constexpr int kRecordSize = static_cast<int>(kIndexRecordSize);

}  // namespace

std::string HistoryIndexPath() { return DataFilePath(kHistoryDirectory, kHistoryIndexName); }

std::string HistoryDataPath(unsigned number) {
  char name[32];
  std::snprintf(name, sizeof name, "%s.%4.4u", kHistoryDataName, number);
  return DataFilePath(kHistoryDirectory, name);
}

void UrlListFile::AttachIndex(std::string path, StreamPtr index) {
  indexPath_ = std::move(path);
  index_ = std::move(index);
  records_ = kRecordsUnknown;
}

int UrlListFile::IndexRecords() {
  if (records_ != kRecordsUnknown) return records_;
  if (!index_ || !index_->Seek(0, SeekFrom::kEnd)) return 0;
  std::int64_t size = index_->Tell();
  if (size < 0) return 0;
  records_ = static_cast<int>(size / kRecordSize);
  return records_;
}

int UrlListFile::Count() {
  BeginRead();
  return IndexRecords();
}

bool UrlListFile::SeekRecord(int position) {
  return index_ &&
         index_->Seek(static_cast<std::int64_t>(position) * kRecordSize, SeekFrom::kStart);
}

int UrlListFile::ReadRecord(IndexRecord* record) {
  unsigned char bytes[kIndexRecordSize];
  if (!index_ || index_->Read(bytes, sizeof bytes) != sizeof bytes) return -1;
  *record = DecodeIndexRecord(bytes);
  return 0;
}

bool UrlListFile::WriteRecord(const IndexRecord& record) {
  unsigned char bytes[kIndexRecordSize];
  EncodeIndexRecord(record, bytes);
  if (!index_) return false;
  bool written = index_->Write(bytes, sizeof bytes) == sizeof bytes;
  return index_->Flush() && written;
}

int UrlListFile::ReadRecordFromNewest(int i, IndexRecord* record) {
  if (i < 0) return -1;
  int count = Count();
  // Counted from the last whole record, so that a torn record at the end shifts nothing.
  if (i >= count || !SeekRecord(count - 1 - i)) return -1;
  return ReadRecord(record);
}

int UrlListFile::ReadRecordFromOldest(int i, IndexRecord* record) {
  if (i < 0 || i >= Count() || !SeekRecord(i)) return -1;
  return ReadRecord(record);
}

FileStream* UrlListFile::DataStream(std::uint16_t number) {
  return openFiles_.OpenExisting(HistoryDataPath(number));
}

HistoryEntryPtr UrlListFile::ReadEntryOfRecord(int status, const IndexRecord& record) {
  // Data files are numbered from 1: a record naming 0 is damaged.
  if (status != 0 || record.fileNumber == 0) return nullptr;
  if (record.fileNumber != currentNumber_ || data_ == nullptr) {
    FileStream* stream = DataStream(record.fileNumber);
    if (stream == nullptr) return nullptr;
    SetCurrentData(record.fileNumber, stream);
  }
  return ReadEntry(record);
}

HistoryEntryPtr UrlListFile::ReadEntryFromNewest(int i) {
  IndexRecord record;
  int status = ReadRecordFromNewest(i, &record);
  return ReadEntryOfRecord(status, record);
}

HistoryEntryPtr UrlListFile::ReadEntryFromOldest(int i) {
  IndexRecord record;
  int status = ReadRecordFromOldest(i, &record);
  return ReadEntryOfRecord(status, record);
}

HistoryEntryPtr UrlListFile::ReadEntry(const IndexRecord& record) {
  if (data_ == nullptr) return nullptr;
  auto entry = std::make_unique<HistoryEntry>();
  if (!ReadEntryTexts(*data_, record.offset, &entry->url, &entry->title)) return nullptr;
  entry->time = record.time;
  return entry;
}

std::string UrlListFile::CopyUrlFromOldest(int i) {
  HistoryEntryPtr entry = ReadEntryFromOldest(i);
  return entry ? entry->url : std::string();
}

bool UrlListFile::AppendRecord(const IndexRecord& record) {
  BeginWrite();
  int position = IndexRecords();
  if (!SeekRecord(position) || !WriteRecord(record)) {
    // A short write may have left part of a record: count again from the file.
    records_ = kRecordsUnknown;
    return false;
  }
  records_ = position + 1;
  return true;
}

}  // namespace corvisant
