// A fresh directory under the test's working directory, made the working directory while the
// object lives (the store root is the working directory), and removed with its contents after.
#pragma once

#include <string>

#include "platform/files.h"

namespace corvisant::testing {

class ScratchDirectory {
 public:
  explicit ScratchDirectory(Files& files);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // The directory's full Windows-form path.
  const std::string& path() const { return path_; }

 private:
  Files& files_;
  std::string previous_;
  std::string path_;
};

// Removes a directory and everything under it through the files port.
void RemoveTree(Files& files, const std::string& path);

// The bytes of a file, read in binary mode; empty when it cannot be opened.
std::string ReadBytes(Files& files, const std::string& path);
// Writes bytes to a file in binary mode, replacing it.
bool WriteBytes(Files& files, const std::string& path, const std::string& bytes);

}  // namespace corvisant::testing
