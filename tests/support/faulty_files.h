// A files port that passes everything to another one, except the failures a test arms: a
// directory that cannot be made (with a system error code), files that cannot be opened, a disk
// with a given amount of free space or none to report.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "tests/support/forwarding_files.h"

namespace corvisant::testing {

class FaultyFiles : public ForwardingFiles {
 public:
  using ForwardingFiles::ForwardingFiles;

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

  int MakeDirectory(const std::string& path) override;
  bool FreeDiskBytes(const std::string& path, std::uint64_t* bytes) override;
  StreamPtr Open(const std::string& path, std::string_view mode) override;

 private:
  std::string failedDirectory_;
  int directoryError_ = 0;
  std::set<std::string> failedOpens_;
  bool freeBytesSet_ = false;
  std::optional<std::uint64_t> freeBytes_;
  int openCount_ = 0;
};

}  // namespace corvisant::testing
