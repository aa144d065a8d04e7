// A list of visits on disk: an index file of 12-byte records, oldest first, and data files of
// texts. The base of the history and of every URL list; a list window shows one of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "history/history_entry.h"
#include "history/index_record.h"
#include "history/open_files.h"
#include "platform/file_stream.h"

namespace corvisant {

// The two numbers a list carries after opening; the list window commands set them to 300.
constexpr int kDefaultListSize = 100;

class UrlListFile {
 public:
  explicit UrlListFile(OpenFilesTable& openFiles) : openFiles_(openFiles) {}
  virtual ~UrlListFile() = default;
  UrlListFile(const UrlListFile&) = delete;
  UrlListFile& operator=(const UrlListFile&) = delete;

  // Called before the index is written and before it is read; nothing to do in the base.
  virtual void BeginWrite() {}
  virtual void BeginRead() {}
  // Whole records in the index: a torn record at its end does not count.
  virtual int Count();
  // The entry whose texts start at the record's offset in the current data file, or null when
  // they cannot be read whole.
  virtual HistoryEntryPtr ReadEntry(const IndexRecord& record);

  // The record at the index stream's position: 0, or -1 when 12 bytes cannot be read.
  int ReadRecord(IndexRecord* record);
  // Writes at the index stream's position and flushes: false when not written whole.
  bool WriteRecord(const IndexRecord& record);
  // Record i counted from the newest (0) or from the oldest (0): 0, or -1 when there is none.
  int ReadRecordFromNewest(int i, IndexRecord* record);
  int ReadRecordFromOldest(int i, IndexRecord* record);
  // A new entry, or null when the record or its texts cannot be read.
  HistoryEntryPtr ReadEntryFromNewest(int i);
  HistoryEntryPtr ReadEntryFromOldest(int i);
  // The URL of entry i counted from the oldest; empty when it cannot be read.
  std::string CopyUrlFromOldest(int i);
  int NewestToOldestIndex(int i) { return Count() - i - 1; }
  int CountAfter(int i) { return Count() - i; }
  // Writes the record after the last whole one (over a torn one) and flushes.
  bool AppendRecord(const IndexRecord& record);

  void SetName(std::string_view name) { name_ = std::string(name); }
  const std::optional<std::string>& name() const { return name_; }
  void SetSizes(int first, int second) {
    sizes_[0] = first;
    sizes_[1] = second;
  }
  int firstSize() const { return sizes_[0]; }
  int secondSize() const { return sizes_[1]; }

  const std::string& indexPath() const { return indexPath_; }
  FileStream* indexStream() const { return index_.get(); }
  std::uint16_t currentNumber() const { return currentNumber_; }
  FileStream* currentDataStream() const { return data_; }
  // The stream holding the texts of records with this data file number, or null.
  virtual FileStream* DataStream(std::uint16_t number);

 protected:
  // Takes the index stream (null when it could not be opened).
  void AttachIndex(std::string path, StreamPtr index);
  void SetCurrentData(std::uint16_t number, FileStream* stream) {
    currentNumber_ = number;
    data_ = stream;
  }
  OpenFilesTable& openFiles() { return openFiles_; }
  // Whole records in the index, without the read hook. Counted once from the file's size and
  // then kept up to date by the appends, which all go through this object.
  int IndexRecords();

 private:
  static constexpr int kRecordsUnknown = -1;
  bool SeekRecord(int position);
  HistoryEntryPtr ReadEntryOfRecord(int status, const IndexRecord& record);

  OpenFilesTable& openFiles_;
  std::string indexPath_;
  StreamPtr index_;
  int records_ = kRecordsUnknown;
  std::uint16_t currentNumber_ = 0;
  FileStream* data_ = nullptr;
  std::optional<std::string> name_;
  int sizes_[2] = {kDefaultListSize, kDefaultListSize};
};

// The path of a history data file: "CorvisantDatabase\history\HistoryURL.0001" for number 1.
std::string HistoryDataPath(unsigned number);
// "CorvisantDatabase\history\HistoryIndex".
std::string HistoryIndexPath();

}  // namespace corvisant
