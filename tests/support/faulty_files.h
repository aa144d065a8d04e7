// A files port that passes everything to another one, except the failures a test arms: a
// directory that cannot be made (with a system error code), files that cannot be opened, writing
// opens whose streams take no byte (a "wb" open still empties the file, as a full disk leaves
// it), files that nothing can take the place of, a disk with a given amount of free space or none
// to report. A file named here is also met in the fresh file written beside it. It records the
// path of every open for writing.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

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
  // MakeDirectory of a path ending in name makes it and still answers "already there", as when
  // another writer of the store made it in between.
  void RaceMakeDirectory(const std::string& name) { racedDirectory_ = name; }
  // Open of a path ending in name gives null.
  void FailOpen(const std::string& name) { failedOpens_.insert(name); }
  // ReplaceFile of a target ending in name fails.
  void FailReplace(const std::string& name) { failedReplace_ = name; }
  // The next count opens that make or empty a file ("w" and "a" modes) ending in name give
  // streams that cannot write.
  void FailWrites(const std::string& name, int count) {
    failingWrites_ = name;
    writeFailuresLeft_ = count;
    failUpdates_ = false;
  }
  // The same, and opens for update ("rb+") of such a path count among them.
  void FailUpdateWrites(const std::string& name, int count) {
    FailWrites(name, count);
    failUpdates_ = true;
  }
  // FreeDiskBytes reports bytes, or fails when not given.
  void SetFreeDiskBytes(std::optional<std::uint64_t> bytes) {
    freeBytesSet_ = true;
    freeBytes_ = bytes;
  }

  int openCount() const { return openCount_; }
  // Every path opened with a mode that writes, in order.
  const std::vector<std::string>& writeOpens() const { return writeOpens_; }
  void ForgetWriteOpens() { writeOpens_.clear(); }

  int MakeDirectory(const std::string& path) override;
  bool FreeDiskBytes(const std::string& path, std::uint64_t* bytes) override;
  StreamPtr Open(const std::string& path, std::string_view mode) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;

 private:
  StreamPtr OpenUnwritable(const std::string& path, std::string_view mode);
  // path ends in name, or is the fresh file beside a path that does.
  static bool Names(const std::string& path, const std::string& name);

  std::string failedDirectory_;
  int directoryError_ = 0;
  std::string racedDirectory_;
  std::set<std::string> failedOpens_;
  std::string failedReplace_;
  std::string failingWrites_;
  int writeFailuresLeft_ = 0;
  bool failUpdates_ = false;
  bool freeBytesSet_ = false;
  std::optional<std::uint64_t> freeBytes_;
  int openCount_ = 0;
  std::vector<std::string> writeOpens_;
};

}  // namespace corvisant::testing
