// A files port that touches no disk: it answers as if nothing existed yet, makes every directory
// asked for, opens no file, and records the path of every change asked of it (directories made,
// files opened for writing, files and directories removed). For checking which names an
// operation would write under, whatever the input.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace corvisant::testing {

class NameRecordingFiles : public Files {
 public:
  const std::vector<std::string>& changed() const { return changed_; }
  void Forget() { changed_.clear(); }

  std::string CurrentDirectory() override { return "C:\\Corvisant"; }
  bool ChangeDirectory(const std::string&) override { return false; }
  int MakeDirectory(const std::string& path) override {
    changed_.push_back(path);
    return system_error::kNone;
  }
  PathKind Kind(const std::string&) override { return PathKind::kMissing; }
  bool Facts(const std::string&, FileFacts*) override { return false; }
  bool RemoveFile(const std::string& path) override {
    changed_.push_back(path);
    return false;
  }
  bool RemoveEmptyDirectory(const std::string& path) override {
    changed_.push_back(path);
    return false;
  }
  bool FreeDiskBytes(const std::string&, std::uint64_t*) override { return false; }
  std::vector<DirectoryEntry> List(const std::string&, std::string_view) override { return {}; }
  bool ReplaceFile(const std::string& from, const std::string& to) override {
    changed_.push_back(from);
    changed_.push_back(to);
    return false;
  }
  bool IsLink(const std::string&) override { return false; }
  StreamPtr Open(const std::string& path, std::string_view mode) override {
    if (mode.find_first_of("wa+") != std::string_view::npos) changed_.push_back(path);
    return nullptr;
  }

 private:
  std::vector<std::string> changed_;
};

}  // namespace corvisant::testing
