// A files port that hands every call to another one. Test doubles derive from it and override
// only the calls whose answers they change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace corvisant::testing {

class ForwardingFiles : public Files {
 public:
  explicit ForwardingFiles(Files& inner) : inner_(inner) {}

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
    return inner_.Open(path, mode);
  }
  bool ReplaceFile(const std::string& from, const std::string& to) override {
    return inner_.ReplaceFile(from, to);
  }
  bool IsLink(const std::string& path) override { return inner_.IsLink(path); }

 protected:
  Files& inner() { return inner_; }

  // True when path ends in name (an empty name matches nothing).
  static bool EndsWithName(const std::string& path, const std::string& name) {
    return !name.empty() && path.size() >= name.size() &&
           path.compare(path.size() - name.size(), name.size(), name) == 0;
  }

 private:
  Files& inner_;
};

}  // namespace corvisant::testing
