#include "history/url_list_file.h"

#include <cstdio>
#include <limits>

#include "history/entry_texts.h"
#include "history/file_key.h"
#include "url/page_store.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

constexpr const char* kHistoryIndexName = "HistoryIndex";
constexpr const char* kHistoryDataName = "HistoryURL";
constexpr RecordCount kRecordSize = static_cast<RecordCount>(kIndexRecordSize);
// "HistoryURL.%4.4u": at least four digits, at most five for a 16-bit number.
constexpr std::size_t kDataNumberDigits = 4;
constexpr std::size_t kDataNumberDigitsMost = 5;

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
}

RecordCount UrlListFile::IndexRecords() {
  if (!index_ || !index_->Seek(0, SeekFrom::kEnd)) return 0;
  std::int64_t size = index_->Tell();
  return size < 0 ? 0 : size / kRecordSize;
}

RecordCount UrlListFile::Count() {
  BeginRead();
  return IndexRecords();
}

bool UrlListFile::SeekRecord(RecordCount position) {
  return index_ && index_->Seek(position * kRecordSize, SeekFrom::kStart);
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

int UrlListFile::ReadRecordFromNewest(RecordCount i, IndexRecord* record) {
  if (i < 0) return -1;
  RecordCount count = Count();
  // Counted from the last whole record, so that a torn record at the end shifts nothing.
  if (i >= count || !SeekRecord(count - 1 - i)) return -1;
  return ReadRecord(record);
}

int UrlListFile::ReadRecordFromOldest(RecordCount i, IndexRecord* record) {
  if (i < 0 || i >= Count() || !SeekRecord(i)) return -1;
  return ReadRecord(record);
}

FileStream* UrlListFile::DataStream(std::uint16_t number) {
  return openFiles_.OpenExisting(HistoryDataPath(number));
}

bool UrlListFile::IsOwnFile(std::string_view path) {
  std::string key = FileKey(path);
  if (key == FileKey(indexPath_)) return true;
  // A history data file's name: the prefix, then the number in at least four digits.
  std::string prefix = FileKey(HistoryDataPath(0));
  prefix.resize(prefix.size() - kDataNumberDigits);
  if (key.compare(0, prefix.size(), prefix) != 0) return false;
  std::string_view digits = std::string_view(key).substr(prefix.size());
  if (digits.size() < kDataNumberDigits || digits.size() > kDataNumberDigitsMost) return false;
  unsigned number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return number <= std::numeric_limits<std::uint16_t>::max() &&
         key == FileKey(HistoryDataPath(number));
}

HistoryEntryPtr UrlListFile::ReadEntryOfRecord(const IndexRecord& record) {
  // Data files are numbered from 1: a record naming 0 is damaged.
  if (record.fileNumber == 0) return nullptr;
  if (record.fileNumber != currentNumber_ || data_ == nullptr) {
    FileStream* stream = DataStream(record.fileNumber);
    if (stream == nullptr) return nullptr;
    SetCurrentData(record.fileNumber, stream);
  }
  return ReadEntry(record);
}

HistoryEntryPtr UrlListFile::ReadEntryFromNewest(RecordCount i) {
  IndexRecord record;
  if (ReadRecordFromNewest(i, &record) != 0) return nullptr;
  return ReadEntryOfRecord(record);
}

HistoryEntryPtr UrlListFile::ReadEntryFromOldest(RecordCount i) {
  IndexRecord record;
  if (ReadRecordFromOldest(i, &record) != 0) return nullptr;
  return ReadEntryOfRecord(record);
}

HistoryEntryPtr UrlListFile::ReadEntry(const IndexRecord& record) {
  if (data_ == nullptr) return nullptr;
  auto entry = std::make_unique<HistoryEntry>();
  if (!ReadEntryTexts(*data_, record.offset, &entry->url, &entry->title)) return nullptr;
  entry->time = record.time;
  return entry;
}

std::string UrlListFile::CopyUrlFromOldest(RecordCount i) {
  HistoryEntryPtr entry = ReadEntryFromOldest(i);
  return entry ? entry->url : std::string();
}

bool UrlListFile::AppendRecord(const IndexRecord& record) {
  BeginWrite();
  // Counted again from the file: another process may have appended since the last count.
  RecordCount position = IndexRecords();
  if (SeekRecord(position) && WriteRecord(record)) return true;
  NoteFailedWrite(indexPath_);
  return false;
}

}  // namespace corvisant
