#include "history/list_export.h"

#include <cstdint>
#include <vector>

#include "history/entry_texts.h"
#include "history/hotlist.h"
#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

constexpr std::string_view kTextWriteMode = "wt";
constexpr std::string_view kBinaryWriteMode = "wb";
constexpr std::string_view kIndexSuffix = ".urli";
constexpr std::string_view kDataSuffix = ".urld";
constexpr std::string_view kVisitListStart = "<html>\n<visit repeat=1>\n";
constexpr std::string_view kVisitListEnd = "</html>\n";
constexpr std::size_t kCopyBlock = 65536;
// The data file number that a saved pair's own ".urld" carries.
constexpr std::uint16_t kOwnDataNumber = 1;

StreamPtr CreateReported(const std::string& path, std::string_view mode) {
  StreamPtr file = Current<Files>()->Open(path, mode);
  if (!file) Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateFile, {path});
  return file;
}

bool Finish(FileStream& file, bool written) {
  bool closed = file.Close();
  return written && closed;
}

bool CopyWhole(FileStream& from, FileStream& to) {
  if (!from.Seek(0, SeekFrom::kStart)) return false;
  std::vector<char> block(kCopyBlock);
  std::size_t count;
  while ((count = from.Read(block.data(), block.size())) > 0) {
    if (to.Write(block.data(), count) != count) return false;
  }
  return from.ErrorFlag() == 0;
}

// The whole records of the index, read in one pass from its start.
std::vector<IndexRecord> ReadRecords(UrlListFile& list) {
  std::vector<IndexRecord> records;
  int count = list.Count();
  FileStream* index = list.indexStream();
  if (index == nullptr || !index->Seek(0, SeekFrom::kStart)) return records;
  records.reserve(static_cast<std::size_t>(count));
  IndexRecord record;
  while (static_cast<int>(records.size()) < count && list.ReadRecord(&record) == 0) {
    records.push_back(record);
  }
  return records;
}

// Paths are compared as the system compares file names: A-Z folded.
bool SameFileName(std::string_view a, std::string_view b) {
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

bool AllInOwnDataFile(const std::vector<IndexRecord>& records) {
  for (const IndexRecord& record : records) {
    if (record.fileNumber != kOwnDataNumber) return false;
  }
  return true;
}

// The index bytes as they stand, and the data file they all point into.
bool CopyPair(UrlListFile& list, const std::vector<IndexRecord>& records, FileStream& index,
              const std::string& dataPath) {
  std::string bytes = EncodeIndexRecords(records);
  bool written = index.Write(bytes.data(), bytes.size()) == bytes.size() && index.Flush();
  if (!Finish(index, written)) return false;
  StreamPtr data = CreateReported(dataPath, kBinaryWriteMode);
  if (!data) return false;
  FileStream* source = list.DataStream(kOwnDataNumber);
  bool copied = source == nullptr || CopyWhole(*source, *data);
  return Finish(*data, copied && data->Flush());
}

// Every readable entry's texts into the new data file, each record renumbered to it.
bool RebuildPair(UrlListFile& list, int count, FileStream& index, const std::string& dataPath) {
  StreamPtr data = CreateReported(dataPath, kBinaryWriteMode);
  if (!data) {
    Finish(index, false);
    return false;
  }
  bool written = true;
  std::uint32_t offset = 0;
  for (int i = 0; i < count && written; ++i) {
    HistoryEntryPtr entry = list.ReadEntryFromOldest(i);
    if (!entry) continue;
    std::string texts = entry->url + kTextEnd + entry->title + kTextEnd;
    // Offsets are 32-bit: a pair cannot list texts beyond 4 GB.
    if (texts.size() > UINT32_MAX - offset) break;
    IndexRecord record;
    record.fileNumber = kOwnDataNumber;
    record.time = entry->time;
    record.offset = offset;
    unsigned char bytes[kIndexRecordSize];
    EncodeIndexRecord(record, bytes);
    written = data->WriteText(texts) && index.Write(bytes, sizeof bytes) == sizeof bytes;
    offset += static_cast<std::uint32_t>(texts.size());
  }
  written = written && data->Flush() && index.Flush();
  bool indexDone = Finish(index, written);
  return Finish(*data, indexDone);
}

}  // namespace

std::string FormatVisitTagLine(std::string_view href, int spendSeconds) {
  return "<visit href=\"" + UrlForAttribute(href) + "\" spend=" + std::to_string(spendSeconds) +
         "secs>\n";
}

bool SaveAsHotlist(UrlListFile& list, const std::string& path) {
  StreamPtr file = CreateReported(path, kTextWriteMode);
  if (!file) return false;
  bool written = file->WriteText(HotlistHeader());
  int count = list.Count();
  for (int i = 0; i < count && written; ++i) {
    HistoryEntryPtr entry = list.ReadEntryFromOldest(i);
    if (entry) written = file->WriteText(FormatHotlistEntry(entry->url, entry->title, entry->time));
  }
  written = written && file->WriteText(kHotlistEnd);
  return Finish(*file, written);
}

bool SaveAsVisitList(UrlListFile& list, const std::string& path, bool useLocalCopies,
                     int spendSeconds) {
  StreamPtr file = CreateReported(path, kTextWriteMode);
  if (!file) return false;
  bool written = file->WriteText(kVisitListStart);
  int count = list.Count();
  for (int i = 0; i < count && written; ++i) {
    HistoryEntryPtr entry = list.ReadEntryFromOldest(i);
    if (!entry) continue;
    if (useLocalCopies) UrlToStoreFileUrl(entry->url);
    written = file->WriteText(FormatVisitTagLine(entry->url, spendSeconds));
  }
  written = written && file->WriteText(kVisitListEnd);
  return Finish(*file, written);
}

bool SaveAsUrlList(UrlListFile& list, const std::string& baseName) {
  std::string indexPath = baseName + std::string(kIndexSuffix);
  // Saving a pair over itself would empty its index before reading it.
  if (SameFileName(indexPath, list.indexPath())) {
    Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateFile, {indexPath});
    return false;
  }
  StreamPtr index = CreateReported(indexPath, kBinaryWriteMode);
  if (!index) return false;
  std::string dataPath = baseName + std::string(kDataSuffix);
  std::vector<IndexRecord> records = ReadRecords(list);
  int count = list.Count();
  if (static_cast<int>(records.size()) == count && AllInOwnDataFile(records)) {
    return CopyPair(list, records, *index, dataPath);
  }
  return RebuildPair(list, count, *index, dataPath);
}

}  // namespace corvisant
