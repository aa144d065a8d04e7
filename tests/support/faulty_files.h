// A files port that passes everything to another one, except the failures a test arms: a
// directory that cannot be made (with a system error code), files that cannot be opened, a disk
// with a given amount of free space or none to report.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "platform/files.h"

namespace corvisant::testing {

class FaultyFiles : public Files {
 public:
  explicit FaultyFiles(Files& inner) : inner_(inner) {}

  // MakeDirectory of a path ending in name gives error.
  void FailMakeDirectory(const std::string& name, int error) {
    failedDirectory_ = name;
    directoryError_ = error;
  }
  // Open of a path ending in name gives null.
  void FailOpen(const std::string& name) { failedOpens_.insert(name); }
  // FreeDiskBytes reports bytes, or fails when not given.
  void SetFreeDiskBytes(std::optional<std::uint64_t> bytes) {
    freeBytesSet_ = true;
    freeBytes_ = bytes;
  }
  int openCount() const { return openCount_; }

  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  bool ChangeDirectory(const std::string& path) override { return inner_.ChangeDirectory(path); }
  int MakeDirectory(const std::string& path) override;
  PathKind Kind(const std::string& path) override { return inner_.Kind(path); }
  bool Facts(const std::string& path, FileFacts* facts) override {
    return inner_.Facts(path, facts);
  }
  bool RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
  bool RemoveEmptyDirectory(const std::string& path) override {
    return inner_.RemoveEmptyDirectory(path);
  }
  bool FreeDiskBytes(const std::string& path, std::uint64_t* bytes) override;
  std::vector<DirectoryEntry> List(const std::string& directory,
                                   std::string_view pattern) override {
    return inner_.List(directory, pattern);
  }
  StreamPtr Open(const std::string& path, std::string_view mode) override;

 private:
  Files& inner_;
  std::string failedDirectory_;
  int directoryError_ = 0;
  std::set<std::string> failedOpens_;
  bool freeBytesSet_ = false;
  std::optional<std::uint64_t> freeBytes_;
  int openCount_ = 0;
};

}  // namespace corvisant::testing
