// The open-files table: every data file that the lists read is opened once for the life of the
// process and shared by path, and every stream it holds is closed at exit.
#pragma once

#include <map>
#include <string>

#include "platform/files.h"

namespace corvisant {

class OpenFilesTable {
 public:
  OpenFilesTable() = default;
  ~OpenFilesTable() { CloseAll(); }
  OpenFilesTable(const OpenFilesTable&) = delete;
  OpenFilesTable& operator=(const OpenFilesTable&) = delete;

  // The stream kept for path, or null.
  FileStream* Find(const std::string& path) const;
  // Keeps stream under path and returns it; a path already kept keeps its first stream.
  FileStream* Keep(const std::string& path, StreamPtr stream);
  // The kept stream of an existing data file, opened "ab+" on first use. Null when the file is
  // missing: a reader never creates a data file.
  FileStream* OpenExisting(const std::string& path);
  // Closes every stream and empties the table.
  void CloseAll();
  std::size_t size() const { return streams_.size(); }

 private:
  std::map<std::string, StreamPtr> streams_;
};

}  // namespace corvisant
