// A files port that passes everything to another one, records the path of every open for
// writing, and can make the next writing opens of a file fail their writes: the stream opens
// (a "wb" open still empties the file, as a full disk would leave it) but takes no byte.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace corvisant::testing {

class WriteFailingFiles : public Files {
 public:
  explicit WriteFailingFiles(Files& inner) : inner_(inner) {}

  // The next count writing opens of a path ending in name give streams that cannot write.
  void FailWrites(const std::string& name, int count) {
    failingName_ = name;
    failuresLeft_ = count;
  }
  // Every path opened with a mode that writes, in order.
  const std::vector<std::string>& writeOpens() const { return writeOpens_; }
  void ForgetWriteOpens() { writeOpens_.clear(); }

  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  bool ChangeDirectory(const std::string& path) override { return inner_.ChangeDirectory(path); }
  int MakeDirectory(const std::string& path) override { return inner_.MakeDirectory(path); }
  PathKind Kind(const std::string& path) override { return inner_.Kind(path); }
  bool Facts(const std::string& path, FileFacts* facts) override {
    return inner_.Facts(path, facts);
  }
  bool RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
  bool RemoveEmptyDirectory(const std::string& path) override {
    return inner_.RemoveEmptyDirectory(path);
  }
  bool FreeDiskBytes(const std::string& path, std::uint64_t* bytes) override {
    return inner_.FreeDiskBytes(path, bytes);
  }
  std::vector<DirectoryEntry> List(const std::string& directory,
                                   std::string_view pattern) override {
    return inner_.List(directory, pattern);
  }
  StreamPtr Open(const std::string& path, std::string_view mode) override {
    bool writes = mode.find_first_of("wa+") != std::string_view::npos;
    if (!writes) return inner_.Open(path, mode);
    writeOpens_.push_back(path);
    if (failuresLeft_ == 0 || !EndsWithName(path)) return inner_.Open(path, mode);
    --failuresLeft_;
    if (mode[0] == 'w') {
      StreamPtr emptied = inner_.Open(path, mode);
      if (emptied == nullptr) return nullptr;
      emptied->Close();
    }
    return inner_.Open(path, "rb");
  }

 private:
  bool EndsWithName(const std::string& path) const {
    return !failingName_.empty() && path.size() >= failingName_.size() &&
           path.compare(path.size() - failingName_.size(), failingName_.size(), failingName_) == 0;
  }

  Files& inner_;
  std::string failingName_;
  int failuresLeft_ = 0;
  std::vector<std::string> writeOpens_;
};

}  // namespace corvisant::testing
