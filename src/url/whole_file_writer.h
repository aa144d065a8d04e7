// Writing a whole file so that no failure can leave it cut or empty: the bytes go into a fresh
// file beside it, which is put on the disk and then takes the old file's place in one step. Until
// then, and whenever anything fails, the old file stays as it was. Used for every file the system
// writes anew: the settings files, hotlist headers, "entry.html" and the rewritten stored pages.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_stream.h"

namespace corvisant {

class WholeFileWriter {
 public:
  // mode: "wb", or "wt" for text. Nothing is opened when path's directory cannot take a file.
  explicit WholeFileWriter(std::string path, std::string_view mode = "wb");
  // A writer that was not committed removes its fresh file.
  ~WholeFileWriter();
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // The fresh file to write into; null when it could not be made.
  FileStream* stream() { return stream_.get(); }
  // Flushes the fresh file to the disk and puts it in the target's place. True when the target
  // now holds every byte written; false (the old target kept) otherwise.
  bool Commit();

 private:
  std::string path_;
  std::string freshPath_;
  StreamPtr stream_;
  bool committed_ = false;
};

// The whole file written with one writer; true when it holds bytes afterwards.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string_view mode = "wb");

// The target of a fresh file, when path is named as a writer names one ("<target>.NNNNN~new"), or
// an empty view when it is not.
std::string_view FreshFileTarget(std::string_view path);
// Removes the fresh files that a process ended during a write left in directory; the files of
// its own names never take their place, as no writer had committed them.
void RemoveLeftFreshFiles(const std::string& directory);

}  // namespace corvisant
