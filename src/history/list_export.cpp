#include "history/list_export.h"

#include <cstdint>
#include <limits>

#include "history/entry_texts.h"
#include "history/hotlist.h"
#include "history/record_walk.h"
#include "history/stream_copy.h"
#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/store_names.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

constexpr std::string_view kTextWriteMode = "wt";
constexpr std::string_view kBinaryWriteMode = "wb";
constexpr std::string_view kIndexSuffix = ".urli";
constexpr std::string_view kDataSuffix = ".urld";
constexpr std::string_view kVisitListStart = "<html>\n<visit repeat=1>\n";
constexpr std::string_view kVisitListEnd = "</html>\n";
// The data file number that a saved pair's own ".urld" carries.
constexpr std::uint16_t kOwnDataNumber = 1;

void ReportCantCreate(const std::string& path) {
  Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateFile, {path});
}

// Writing over a file the list is read from would destroy what it is about to read.
bool RefusedAsOwnFile(UrlListFile& list, const std::string& path) {
  if (!list.IsOwnFile(path)) return false;
  ReportCantCreate(path);
  return true;
}

// The fresh file takes its destination's place only when every byte went in; otherwise the
// destination stays as it was and the failure is reported.
bool CommitReported(WholeFileWriter& writer, const std::string& path, bool written) {
  if (written && writer.Commit()) return true;
  ReportCantCreate(path);
  return false;
}

bool AllInOwnDataFile(UrlListFile& list) {
  RecordWalk walk(list, true, 0, kAllRecords);
  RecordCount position;
  IndexRecord record;
  while (walk.Next(&position, &record)) {
    if (record.fileNumber != kOwnDataNumber) return false;
  }
  return true;
}

// Where writing the pair failed: nowhere, or the file to report.
enum class PairFailure { kNone, kIndex, kData };

// The index records as they stand (encoded again, byte for byte), and the data file they all
// point into.
PairFailure CopyPair(UrlListFile& list, FileStream& index, FileStream& data) {
  RecordWalk walk(list, true, 0, kAllRecords);
  RecordCount position;
  IndexRecord record;
  while (walk.Next(&position, &record)) {
    unsigned char bytes[kIndexRecordSize];
    EncodeIndexRecord(record, bytes);
    if (index.Write(bytes, sizeof bytes) != sizeof bytes) return PairFailure::kIndex;
  }
  // A walk cut short by a failed read would leave records out.
  if (walk.failed()) return PairFailure::kIndex;
  FileStream* source = list.DataStream(kOwnDataNumber);
  if (source != nullptr && !CopyStreamBytes(*source, data, kToTheEnd)) return PairFailure::kData;
  return PairFailure::kNone;
}

// Every readable entry's texts into the new data file, each record renumbered to it. A pair whose
// texts would start beyond a 32-bit offset cannot be made.
PairFailure RebuildPair(UrlListFile& list, FileStream& index, FileStream& data) {
  std::int64_t offset = 0;
  RecordWalk walk(list, true, 0, kAllRecords);
  RecordCount position;
  while (HistoryEntryPtr entry = walk.NextEntry(&position)) {
    if (offset > std::numeric_limits<std::uint32_t>::max()) return PairFailure::kData;
    std::string texts = entry->url + kTextEnd + entry->title + kTextEnd;
    IndexRecord record;
    record.fileNumber = kOwnDataNumber;
    record.time = entry->time;
    record.offset = static_cast<std::uint32_t>(offset);
    unsigned char bytes[kIndexRecordSize];
    EncodeIndexRecord(record, bytes);
    if (!data.WriteText(texts)) return PairFailure::kData;
    if (index.Write(bytes, sizeof bytes) != sizeof bytes) return PairFailure::kIndex;
    offset += static_cast<std::int64_t>(texts.size());
  }
  return walk.failed() ? PairFailure::kIndex : PairFailure::kNone;
}

// start, one line per readable entry of the list (oldest first), end: a whole text file.
template <typename LineOf>
bool SaveAsText(UrlListFile& list, const std::string& path, std::string_view start,
                std::string_view end, LineOf lineOf) {
  if (RefusedAsOwnFile(list, path)) return false;
  WholeFileWriter writer(path, kTextWriteMode);
  FileStream* file = writer.stream();
  if (file == nullptr) {
    ReportCantCreate(path);
    return false;
  }
  bool written = file->WriteText(start);
  RecordWalk walk(list, true, 0, kAllRecords);
  RecordCount position;
  while (written) {
    HistoryEntryPtr entry = walk.NextEntry(&position);
    if (!entry) break;
    written = file->WriteText(lineOf(*entry));
  }
  written = written && !walk.failed() && file->WriteText(end);
  return CommitReported(writer, path, written);
}

}  // namespace

std::string FormatVisitTagLine(std::string_view href, int spendSeconds) {
  return "<visit href=\"" + UrlForAttribute(href) + "\" spend=" + std::to_string(spendSeconds) +
         "secs>\n";
}

bool SaveAsHotlist(UrlListFile& list, const std::string& path) {
  return SaveAsText(list, path, HotlistHeader(), kHotlistEnd, [](const HistoryEntry& entry) {
    return FormatHotlistEntry(entry.url, entry.title, entry.time);
  });
}

bool SaveAsVisitList(UrlListFile& list, const std::string& path, bool useLocalCopies,
                     int spendSeconds) {
  return SaveAsText(list, path, kVisitListStart, kVisitListEnd, [&](const HistoryEntry& entry) {
    std::string href = entry.url;
    if (useLocalCopies) UrlToStoreFileUrl(href);
    return FormatVisitTagLine(href, spendSeconds);
  });
}

bool SaveAsUrlList(UrlListFile& list, const std::string& baseName) {
  const std::string indexPath = baseName + std::string(kIndexSuffix);
  const std::string dataPath = baseName + std::string(kDataSuffix);
  if (RefusedAsOwnFile(list, indexPath) || RefusedAsOwnFile(list, dataPath)) return false;
  WholeFileWriter index(indexPath, kBinaryWriteMode);
  if (index.stream() == nullptr) {
    ReportCantCreate(indexPath);
    return false;
  }
  WholeFileWriter data(dataPath, kBinaryWriteMode);
  if (data.stream() == nullptr) {
    ReportCantCreate(dataPath);
    return false;
  }
  PairFailure failure = AllInOwnDataFile(list) ? CopyPair(list, *index.stream(), *data.stream())
                                               : RebuildPair(list, *index.stream(), *data.stream());
  // Neither file takes its place until both are whole; then the ".urli" first, as the pair is
  // written in that order, so that when it cannot take its place the ".urld" is not put either.
  if (failure == PairFailure::kData) return CommitReported(data, dataPath, false);
  return CommitReported(index, indexPath, failure == PairFailure::kNone) &&
         CommitReported(data, dataPath, true);
}

}  // namespace corvisant
