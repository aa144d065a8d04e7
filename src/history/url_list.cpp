#include "history/url_list.h"

#include <algorithm>
#include <vector>

#include "history/entry_texts.h"
#include "history/file_key.h"
#include "history/record_walk.h"
#include "platform/ports.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

constexpr std::string_view kNewIndexMode = "wb+";
constexpr std::string_view kExistingIndexMode = "rb+";
constexpr std::string_view kDataMode = "ab+";
// Both temporary names are drawn before either file exists, so the second draw may repeat the
// first; a few more draws find another.
constexpr int kTempNameDraws = 8;
// A rewritten index is encoded and written this many records at a time.
constexpr std::size_t kRewriteBlockRecords = 4096;

}  // namespace

UrlList::~UrlList() = default;

void UrlList::BeginWrite() {
  if (writing_) return;
  if (FileStream* index = indexStream()) index->Seek(0, SeekFrom::kStart);
  writing_ = true;
}

void UrlList::BeginRead() {
  if (!writing_) return;
  if (FileStream* index = indexStream()) index->Seek(0, SeekFrom::kStart);
  writing_ = false;
}

FileStream* UrlList::DataStream(std::uint16_t number) {
  if (number == kListDataNumber) return ownData_.get();
  return UrlListFile::DataStream(number);
}

bool UrlList::Open(const std::string& indexPath, const std::string& dataPath,
                   std::string_view mode) {
  Files& files = *Current<Files>();
  ownData_ = files.Open(dataPath, kDataMode);
  dataPath_ = dataPath;
  AttachIndex(indexPath, files.Open(indexPath, mode));
  SetCurrentData(kListDataNumber, ownData_.get());
  SetSizes(kDefaultListSize, kDefaultListSize);
  cursor_ = 0;
  writing_ = true;
  return ownData_ != nullptr && indexStream() != nullptr;
}

bool UrlList::CreateUrlList(const std::string& indexPath, const std::string& dataPath) {
  return Open(indexPath, dataPath, kNewIndexMode);
}

bool UrlList::OpenUrlList(const std::string& indexPath, const std::string& dataPath) {
  return Open(indexPath, dataPath, kExistingIndexMode);
}

bool UrlList::IsOwnFile(std::string_view path) {
  return UrlListFile::IsOwnFile(path) || SameFile(path, dataPath_);
}

std::int64_t UrlList::AppendTexts(std::string_view url, std::string_view title) {
  std::int64_t offset =
      ownData_ ? AppendEntryTexts(*ownData_, UrlForDataFile(url), TitleForDataFile(title)) : -1;
  if (offset < 0) NoteFailedWrite(dataPath_);
  return offset;
}

bool UrlList::AppendEntry(std::string_view url, std::string_view title, UnixTime time) {
  NoteFailedWrite(std::string());
  FileStream* index = indexStream();
  if (index == nullptr) return false;
  StreamLock lock(*index);
  std::int64_t offset = AppendTexts(url, title);
  if (offset < 0) return false;
  IndexRecord record;
  record.fileNumber = kListDataNumber;
  record.time = time;
  record.offset = static_cast<std::uint32_t>(offset);
  return AppendRecord(record);
}

bool UrlList::MakeUrlNowRecord(std::string_view url, IndexRecord* record) {
  record->fileNumber = kListDataNumber;
  if (url.empty()) return true;
  std::int64_t offset = AppendTexts(url, "");
  if (offset < 0) return false;
  record->time = Current<Clock>()->Now();
  record->offset = static_cast<std::uint32_t>(offset);
  return true;
}

bool UrlList::AppendUrlNow(std::string_view url) {
  NoteFailedWrite(std::string());
  FileStream* index = indexStream();
  if (index == nullptr) return false;
  StreamLock lock(*index);
  IndexRecord record;
  return MakeUrlNowRecord(url, &record) && AppendRecord(record);
}

bool UrlList::ReplaceUrlNow(RecordCount i, std::string_view url) {
  NoteFailedWrite(std::string());
  FileStream* index = indexStream();
  if (index == nullptr) return false;
  StreamLock lock(*index);
  // Only a record that exists is replaced: writing past the end would leave a hole.
  if (i < 0 || i >= Count()) return false;
  IndexRecord record;
  if (!MakeUrlNowRecord(url, &record)) return false;
  BeginWrite();
  if (index->Seek(i * static_cast<RecordCount>(kIndexRecordSize), SeekFrom::kStart) &&
      WriteRecord(record)) {
    return true;
  }
  NoteFailedWrite(indexPath());
  return false;
}

bool UrlList::ReadAllRecords(std::vector<IndexRecord>* records) {
  RecordCount count = Count();
  if (count > kMostRecordsInMemory) return false;
  records->reserve(static_cast<std::size_t>(count));
  RecordWalk walk(*this, true, 0, count, WalkLocking::kHeldByCaller);
  RecordCount position;
  IndexRecord record;
  while (walk.Next(&position, &record)) records->push_back(record);
  // A read that stopped short must not let a rewrite drop the records it missed.
  return static_cast<RecordCount>(records->size()) == count;
}

bool UrlList::WriteAllRecords(const std::vector<IndexRecord>& records) {
  BeginWrite();
  FileStream* index = indexStream();
  bool written = index->Seek(0, SeekFrom::kStart);
  // Encoded a block at a time: the records are the one whole copy held.
  for (std::size_t at = 0; at < records.size() && written; at += kRewriteBlockRecords) {
    std::size_t end = std::min(records.size(), at + kRewriteBlockRecords);
    std::string bytes = EncodeIndexRecords({records.begin() + at, records.begin() + end});
    written = index->Write(bytes.data(), bytes.size()) == bytes.size();
  }
  written = index->Flush() && written;
  if (!written) NoteFailedWrite(indexPath());
  return written;
}

bool UrlList::Rewrite(void (*reorder)(std::vector<IndexRecord>&)) {
  NoteFailedWrite(std::string());
  FileStream* index = indexStream();
  if (index == nullptr) return false;
  StreamLock lock(*index);
  std::vector<IndexRecord> records;
  if (!ReadAllRecords(&records)) return false;
  if (records.empty()) return true;
  reorder(records);
  return WriteAllRecords(records);
}

bool UrlList::SortByTime() {
  return Rewrite([](std::vector<IndexRecord>& records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const IndexRecord& a, const IndexRecord& b) { return a.time < b.time; });
  });
}

bool UrlList::ReverseOrder() {
  return Rewrite(
      [](std::vector<IndexRecord>& records) { std::reverse(records.begin(), records.end()); });
}

std::string UrlList::NextUrl() {
  // A cursor set beyond the end stays there rather than running on without bound.
  if (cursor_ >= Count()) return std::string();
  std::string url = CopyUrlFromOldest(cursor_);
  ++cursor_;
  return url;
}

std::string UrlList::CurrentUrl() {
  if (cursor_ < 0) return std::string();
  return CopyUrlFromOldest(cursor_);
}

bool CreateTempUrlList(UrlList& list) {
  std::string indexPath = NewTempFileName();
  if (indexPath.empty()) return false;
  std::string dataPath;
  for (int draw = 0; draw < kTempNameDraws && (dataPath.empty() || dataPath == indexPath); ++draw) {
    dataPath = NewTempFileName();
  }
  if (dataPath.empty() || dataPath == indexPath) return false;
  return list.CreateUrlList(indexPath, dataPath);
}

}  // namespace corvisant
