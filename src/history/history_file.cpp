#include "history/history_file.h"

#include <limits>

#include "history/entry_texts.h"
#include "history/history_ports.h"
#include "platform/ports.h"
#include "url/classify.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

constexpr std::string_view kCreateMode = "ab+";
// The index is written in place after its last whole record, so that a record torn by a crash
// is replaced rather than followed.
constexpr std::string_view kIndexMode = "rb+";
constexpr std::string_view kProbeMode = "rb";
constexpr std::string_view kDataMode = "ab+";

StreamPtr OpenIndex(Files& files, const std::string& path) {
  StreamPtr created = files.Open(path, kCreateMode);
  if (!created) return nullptr;
  created->Close();
  StreamPtr index = files.Open(path, kIndexMode);
  return index ? std::move(index) : files.Open(path, kCreateMode);
}

// The highest number n such that data files 1 to n all open; 0 when the first is missing.
unsigned LastDataNumber(Files& files) {
  unsigned last = 0;
  while (last < std::numeric_limits<std::uint16_t>::max() &&
         files.Open(HistoryDataPath(last + 1), kProbeMode) != nullptr) {
    ++last;
  }
  return last;
}

}  // namespace

bool HistoryFile::OpenHistory() {
  Files& files = *Current<Files>();
  std::string indexPath = HistoryIndexPath();
  AttachIndex(indexPath, OpenIndex(files, indexPath));
  SetSizes(kDefaultListSize, kDefaultListSize);

  unsigned number = LastDataNumber(files);
  StreamPtr data;
  if (number == 0) {
    number = kFirstDataNumber;
  } else {
    data = files.Open(HistoryDataPath(number), kDataMode);
    if (data && data->Seek(0, SeekFrom::kEnd) && data->Tell() > kDataFileLimit &&
        number < std::numeric_limits<std::uint16_t>::max()) {
      data.reset();
      ++number;
    }
  }
  if (!data) data = files.Open(HistoryDataPath(number), kDataMode);
  if (data) data->Seek(0, SeekFrom::kEnd);
  appendNumber_ = static_cast<std::uint16_t>(number);
  // Kept in the table, so that reading an entry of this file later uses the same stream.
  append_ = openFiles().Keep(HistoryDataPath(number), std::move(data));
  SetCurrentData(0, append_);
  return indexStream() != nullptr && append_ != nullptr;
}

// Read from the file each time: the newest entry may be another process's.
bool HistoryFile::IsRepeatOfNewest(std::string_view url, std::string_view title, UnixTime now) {
  HistoryEntryPtr newest = ReadEntryFromNewest(0);
  return newest && now - newest->time <= kRepeatVisitSeconds && newest->title == title &&
         newest->url == url;
}

bool HistoryFile::AppendVisit(std::string_view url, std::string_view title, UnixTime now) {
  std::int64_t offset = AppendEntryTexts(*append_, url, title);
  if (offset < 0) {
    NoteFailedWrite(HistoryDataPath(appendNumber_));
    return false;
  }
  IndexRecord record;
  record.fileNumber = appendNumber_;
  record.time = now;
  record.offset = static_cast<std::uint32_t>(offset);
  return AppendRecord(record);
}

bool HistoryFile::RecordVisit(std::string_view url, bool titleKnown, std::string* title) {
  NoteFailedWrite(std::string());
  UnixTime now = Current<Clock>()->Now();
  if (IsForeignImageMapQuery(url)) return false;
  if (!titleKnown) *title = AskBrowserTitle();
  std::string recordedUrl = UrlForDataFile(StoreFileUrlToUrl(url));
  std::string recordedTitle = TitleForDataFile(*title);
  if (recordedTitle.empty()) {
    if (!IsPageUrl(url) && !IsImageUrl(url)) return false;
    recordedTitle = recordedUrl;
  }
  if (append_ == nullptr || indexStream() == nullptr) {
    NoteFailedWrite(append_ == nullptr ? HistoryDataPath(appendNumber_) : indexPath());
    return false;
  }
  {
    // Where the system cannot lock, the visit is still recorded, as by the one process there is.
    StreamLock lock(*indexStream());
    if (IsRepeatOfNewest(recordedUrl, recordedTitle, now)) return false;
    if (!AppendVisit(recordedUrl, recordedTitle, now)) return false;
  }
  ShowVisitLine(FormatLocalDisplayLine(now, recordedTitle));
  return true;
}

}  // namespace corvisant
