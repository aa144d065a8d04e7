// A URL list: an index file of its own and one data file of its own (number 1), made from a
// selection, the Finder or the Domain View, or opened from a ".urli"/".urld" pair.
#pragma once

#include <string>
#include <string_view>

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

  // A new, empty list on the two files. True when both could be opened.
  bool CreateUrlList(const std::string& indexPath, const std::string& dataPath);
  // An existing pair, its index kept as it is. True when both could be opened.
  bool OpenUrlList(const std::string& indexPath, const std::string& dataPath);

  bool AppendEntry(std::string_view url, std::string_view title, UnixTime time);
  // The URL with the current time and an empty title; without an URL a record of time 0 and
  // offset 0 is written and the data file is left alone.
  bool AppendUrlNow(std::string_view url);
  // The record AppendUrlNow would append, written over record i (oldest first).
  bool ReplaceUrlNow(int i, std::string_view url);
  // Oldest first; equal times in no defined order.
  bool SortByTime();
  bool ReverseOrder();

  // The URL of the entry at the replay cursor, then the cursor moves on; empty at the end.
  std::string NextUrl();
  // The URL at the cursor without moving it; empty when the cursor is negative.
  std::string CurrentUrl();
  int GetCursor() const { return cursor_; }
  void SetCursor(int cursor) { cursor_ = cursor; }

  const std::string& dataPath() const { return dataPath_; }

 private:
  bool Open(const std::string& indexPath, const std::string& dataPath, std::string_view mode);
  bool MakeUrlNowRecord(std::string_view url, IndexRecord* record);
  std::vector<IndexRecord> ReadAllRecords();
  bool WriteAllRecords(const std::vector<IndexRecord>& records);

  std::string dataPath_;
  StreamPtr ownData_;
  int cursor_ = 0;
  bool writing_ = true;
};

// Makes list a new, empty list on two fresh temporary files of the store (a list made from a
// selection). False when no two free names were found or the files could not be opened.
bool CreateTempUrlList(UrlList& list);

}  // namespace corvisant
