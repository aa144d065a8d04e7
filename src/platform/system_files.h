// The operating system's files port. Declared once; each platform side defines it (posix/ maps
// the Windows-form paths, win32/ hands them to the system).
#pragma once

#include "platform/files.h"

namespace corvisant {

class SystemFiles final : public Files {
 public:
  std::string CurrentDirectory() override;
  bool ChangeDirectory(const std::string& path) override;
  int MakeDirectory(const std::string& path) override;
  PathKind Kind(const std::string& path) override;
  bool Facts(const std::string& path, FileFacts* facts) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveEmptyDirectory(const std::string& path) override;
  bool FreeDiskBytes(const std::string& path, std::uint64_t* bytes) override;
  std::vector<DirectoryEntry> List(const std::string& directory, std::string_view pattern) override;
  StreamPtr Open(const std::string& path, std::string_view mode) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool IsLink(const std::string& path) override;
};

}  // namespace corvisant
