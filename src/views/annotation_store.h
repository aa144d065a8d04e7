// The annotations the user attaches to URLs: "annotation.log", an append-only log holding every
// text ever attached, and "annotation.db", a Berkeley DB hash table mapping each URL to the log
// offset of its current record. Attaching appends a record and repoints the URL; removing only
// takes the URL out of the table. Every attach is on the disk before it returns, so an abrupt
// end of the process loses nothing that was attached.
//
// Log record: the URL, "\n", the text's length in decimal, "\n", the text's bytes, "\n".
// Table value: the record's offset as 4 bytes, unsigned little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/berkeley_db.h"
#include "platform/file_stream.h"

namespace corvisant {

constexpr const char* kAnnotationTableFile = "annotation.db";
constexpr const char* kAnnotationLogFile = "annotation.log";

// "CorvisantDatabase\etc\annotation.db" and "CorvisantDatabase\etc\annotation.log".
std::string AnnotationTablePath();
std::string AnnotationLogPath();

class AnnotationStore {
 public:
  AnnotationStore() = default;
  ~AnnotationStore() { Close(); }
  AnnotationStore(const AnnotationStore&) = delete;
  AnnotationStore& operator=(const AnnotationStore&) = delete;

  // Opens the log and the table. A table that cannot be opened is made anew from the log's
  // records. False when either cannot be had: the store then reads every URL as having no
  // annotation and keeps nothing.
  bool Open();
  void Close();
  bool IsOpen() const { return table_ != nullptr && log_ != nullptr; }

  // Makes text url's annotation, replacing any earlier one. True once the record and the
  // table's entry are both on the disk.
  bool Put(std::string_view url, std::string_view text);
  // url's current annotation; empty when it has none, or when its record cannot be read whole.
  std::string Get(std::string_view url);
  // Removes url's annotation; false when it had none. The log keeps the old record.
  bool Delete(std::string_view url);

 private:
  bool RebuildTable(const std::string& tablePath);
  bool StoreOffset(std::string_view url, std::uint32_t offset);
  bool FindOffset(std::string_view url, std::uint32_t* offset);
  bool ReadLength(std::size_t* length);

  DbHandle table_;
  StreamPtr log_;
};

}  // namespace corvisant
