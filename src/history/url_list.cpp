#include "history/url_list.h"

#include <algorithm>
#include <vector>

#include "history/entry_texts.h"
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

bool UrlList::AppendEntry(std::string_view url, std::string_view title, UnixTime time) {
  if (!ownData_) return false;
  std::int64_t offset = AppendEntryTexts(*ownData_, UrlForDataFile(url), TitleForDataFile(title));
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
  if (!ownData_) return false;
  std::int64_t offset = AppendEntryTexts(*ownData_, UrlForDataFile(url), "");
  if (offset < 0) return false;
  record->time = Current<Clock>()->Now();
  record->offset = static_cast<std::uint32_t>(offset);
  return true;
}

bool UrlList::AppendUrlNow(std::string_view url) {
  IndexRecord record;
  return MakeUrlNowRecord(url, &record) && AppendRecord(record);
}

bool UrlList::ReplaceUrlNow(int i, std::string_view url) {
  // Only a record that exists is replaced: writing past the end would leave a hole.
  if (i < 0 || i >= Count()) return false;
  IndexRecord record;
  if (!MakeUrlNowRecord(url, &record)) return false;
  BeginWrite();
  FileStream* index = indexStream();
  return index->Seek(static_cast<std::int64_t>(i) * kIndexRecordSize, SeekFrom::kStart) &&
         WriteRecord(record);
}

std::vector<IndexRecord> UrlList::ReadAllRecords() {
  std::vector<IndexRecord> records;
  int count = Count();
  FileStream* index = indexStream();
  if (count == 0 || !index->Seek(0, SeekFrom::kStart)) return records;
  records.reserve(static_cast<std::size_t>(count));
  IndexRecord record;
  while (static_cast<int>(records.size()) < count && ReadRecord(&record) == 0) {
    records.push_back(record);
  }
  // A read that stopped short must not let a rewrite drop the records it missed.
  if (static_cast<int>(records.size()) != count) records.clear();
  return records;
}

bool UrlList::WriteAllRecords(const std::vector<IndexRecord>& records) {
  BeginWrite();
  FileStream* index = indexStream();
  if (index == nullptr || !index->Seek(0, SeekFrom::kStart)) return false;
  std::string bytes = EncodeIndexRecords(records);
  bool written = index->Write(bytes.data(), bytes.size()) == bytes.size();
  return index->Flush() && written;
}

bool UrlList::SortByTime() {
  std::vector<IndexRecord> records = ReadAllRecords();
  if (records.empty()) return Count() == 0;
  std::stable_sort(records.begin(), records.end(),
                   [](const IndexRecord& a, const IndexRecord& b) { return a.time < b.time; });
  return WriteAllRecords(records);
}

bool UrlList::ReverseOrder() {
  std::vector<IndexRecord> records = ReadAllRecords();
  if (records.empty()) return Count() == 0;
  std::reverse(records.begin(), records.end());
  return WriteAllRecords(records);
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
