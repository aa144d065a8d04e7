// A URL list: an index file of its own and one data file of its own (number 1), made from a
// selection, the Finder or the Domain View, or opened from a ".urli"/".urld" pair.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "history/url_list_file.h"

namespace corvisant {

// The data file number of a list's own data file.
constexpr std::uint16_t kListDataNumber = 1;

class UrlList : public UrlListFile {
 public:
  explicit UrlList(OpenFilesTable& openFiles) : UrlListFile(openFiles) {}
  ~UrlList() override;

  // Switching between writing and reading the index rewinds it.
  void BeginWrite() override;
  void BeginRead() override;
  // Number 1 is the list's own data file; other numbers name history data files.
  FileStream* DataStream(std::uint16_t number) override;
  bool IsOwnFile(std::string_view path) override;

  // A new, empty list on the two files. True when both could be opened.
  bool CreateUrlList(const std::string& indexPath, const std::string& dataPath);
  // An existing pair, its index kept as it is. True when both could be opened.
  bool OpenUrlList(const std::string& indexPath, const std::string& dataPath);

  // Each write below holds the index's lock, so that processes writing the same list wait for
  // each other, and counts the records again once it holds it. A write that fails names its
  // file in failedWrite().
  bool AppendEntry(std::string_view url, std::string_view title, UnixTime time);
  // The URL with the current time and an empty title; without an URL a record of time 0 and
  // offset 0 is written and the data file is left alone.
  bool AppendUrlNow(std::string_view url);
  // The record AppendUrlNow would append, written over record i (oldest first).
  bool ReplaceUrlNow(RecordCount i, std::string_view url);
  // Oldest first; equal times in no defined order. Both hold the whole index in memory: a list
  // of more than kMostRecordsInMemory records is left as it is (false).
  bool SortByTime();
  bool ReverseOrder();

  // The URL of the entry at the replay cursor, then the cursor moves on; empty at the end.
  std::string NextUrl();
  // The URL at the cursor without moving it; empty when the cursor is negative.
  std::string CurrentUrl();
  RecordCount GetCursor() const { return cursor_; }
  void SetCursor(RecordCount cursor) { cursor_ = cursor; }

  const std::string& dataPath() const { return dataPath_; }

 private:
  bool Open(const std::string& indexPath, const std::string& dataPath, std::string_view mode);
  bool MakeUrlNowRecord(std::string_view url, IndexRecord* record);
  // The texts at the end of the own data file: their offset, or -1 (the failure noted).
  std::int64_t AppendTexts(std::string_view url, std::string_view title);
  bool ReadAllRecords(std::vector<IndexRecord>* records);
  bool WriteAllRecords(const std::vector<IndexRecord>& records);
  bool Rewrite(void (*reorder)(std::vector<IndexRecord>&));

  std::string dataPath_;
  StreamPtr ownData_;
  RecordCount cursor_ = 0;
  bool writing_ = true;
};

// Makes list a new, empty list on two fresh temporary files of the store (a list made from a
// selection). False when no two free names were found or the files could not be opened.
bool CreateTempUrlList(UrlList& list);

}  // namespace corvisant
