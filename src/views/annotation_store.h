// The annotations the user attaches to URLs: "annotation.log", an append-only log holding every
// text ever attached and every removal, and "annotation.db", a Berkeley DB hash table mapping
// each URL to the log offset of its current record. Attaching appends a record and repoints the
// URL; removing appends a removal and takes the URL out of the table. Every change is on the disk
// before it returns, so an abrupt end of the process loses nothing that was attached or removed.
//
// The log decides: the table is only an index into it. Before the table is trusted (at the open,
// and whenever another process has written the store since this one last used it) its pages are
// checked and its entries compared with what the log's records leave; a table that fails is
// rebuilt from the log. Each operation holds the log's lock, so that the tool may change the
// store while the program runs.
//
// Log records: annotation_log.h. Table value: the record's offset as 4 bytes, unsigned
// little-endian.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/berkeley_db.h"
#include "platform/file_stream.h"
#include "views/annotation_recovery.h"

namespace corvisant {

constexpr const char* kAnnotationTableFile = "annotation.db";
constexpr const char* kAnnotationLogFile = "annotation.log";

// "CorvisantDatabase\etc\annotation.db" and "CorvisantDatabase\etc\annotation.log".
std::string AnnotationTablePath();
std::string AnnotationLogPath();

enum class Removal { kRemoved, kNone, kFailed };

class AnnotationStore {
 public:
  AnnotationStore() = default;
  ~AnnotationStore() { Close(); }
  AnnotationStore(const AnnotationStore&) = delete;
  AnnotationStore& operator=(const AnnotationStore&) = delete;

  // Opens the log and the table, rebuilding the table from the log when it cannot be trusted
  // (or making it when there is none). False when either cannot be had: the store then reads
  // every URL as having no annotation and keeps nothing.
  bool Open();
  void Close();
  bool IsOpen() const { return log_ != nullptr; }

  // Makes text url's annotation, replacing any earlier one; an empty text removes it. True once
  // the record and the table's entry are both on the disk; false when a write failed.
  bool Put(std::string_view url, std::string_view text);
  // url's current annotation; empty when it has none, or when the store cannot be read.
  std::string Get(std::string_view url);
  // Removes url's annotation; kNone when it had none, kFailed when the removal could not be
  // written whole.
  Removal Delete(std::string_view url);

 private:
  // With the lock held: the table open and agreeing with the log, checked again when the log
  // has changed since it last was.
  bool Synchronise();
  // Where the open table's entries say records start.
  RecordStarts TableStarts();
  bool TableAgrees(const std::map<std::string_view, std::uint32_t>& current);
  bool RebuildTable(const std::map<std::string_view, std::uint32_t>& current);
  // Appends url's record and points the table at it (or takes url out of it for a removal).
  bool Record(std::string_view url, std::string_view text);
  bool FindOffset(std::string_view url, std::uint32_t* offset);
  std::string ReadText(std::uint32_t offset, std::string_view url);
  bool ReadAt(std::uint32_t offset, std::size_t size, std::string* bytes);

  DbHandle table_;
  StreamPtr log_;
  // The log's size when the table was last found to agree with it; -1: not known to agree.
  std::int64_t agreedLogSize_ = -1;
};

}  // namespace corvisant
