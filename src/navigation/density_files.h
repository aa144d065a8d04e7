// The density files of the local store, which let a page of the store be drawn with a chance in
// proportion to the pages of its directory. Every integer is 4 bytes, most significant first.
// "density.struct" holds directory records: the byte offset of the parent's record, then the
// name and a NUL (offset 0: the root record, parent 0 and no name; then the walk's top directory,
// parent 0 and no name too). "density" holds one entry per HTML file found: the offset of its
// directory's record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_stream.h"

namespace corvisant {

constexpr const char* kDensityFile = "density";
constexpr const char* kDensityStructFile = "density.struct";
constexpr std::int64_t kDensityEntrySize = 4;

// "CorvisantDatabase\etc\density" and "CorvisantDatabase\etc\density.struct".
std::string DensityPath();
std::string DensityStructPath();

class DensityFiles {
 public:
  // Both files as they are, for reading; false unless both exist.
  bool OpenExisting();
  // Both files anew and empty, for reading and writing; false unless both could be made.
  bool Create();
  void Close();

  // A directory's record at the end of "density.struct", flushed: its offset, or -1.
  std::int64_t AppendDirectory(std::uint32_t parentOffset, std::string_view name);
  // An HTML file of the directory whose record is at directoryOffset, flushed.
  bool AppendEntry(std::uint32_t directoryOffset);

  // Whole entries of "density".
  int EntryCount();
  bool ReadEntry(int i, std::uint32_t* directoryOffset);
  // The path of the record at offset, relative to the walk's top directory (empty for the top
  // itself): the names up the parent chain, joined by backslashes. False for a record that cannot
  // be read, or a chain that does not lead back towards the start of the file.
  bool DirectoryPath(std::uint32_t offset, std::string* path);
  bool Flush();

 private:
  StreamPtr density_;
  StreamPtr structure_;
};

}  // namespace corvisant
