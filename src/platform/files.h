// The files port: directories, file facts and stream files, all named by Windows-form paths
// ("CorvisantDatabase\etc\version", "Z:\tmp\store"). The Win32 side hands them to the system; the
// POSIX side maps them ("\" to "/", a leading "Z:" to the root) so that one behaviour holds on
// both platforms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/times.h"
#include "platform/file_stream.h"

namespace corvisant {

// System error codes reported by MakeDirectory, with the values Windows gives them.
namespace system_error {
constexpr int kNone = 0;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kWriteProtect = 19;
constexpr int kGeneralFailure = 31;
constexpr int kDiskFull = 112;
constexpr int kInvalidName = 123;
constexpr int kAlreadyExists = 183;
}  // namespace system_error

enum class PathKind { kMissing, kFile, kDirectory };

struct FileFacts {
  std::int64_t size = 0;
  UnixTime modified = 0;
  bool isDirectory = false;
};

struct DirectoryEntry {
  std::string name;
  bool isDirectory = false;
  std::int64_t size = 0;
};

class Files {
 public:
  virtual ~Files() = default;

  // The working directory as Windows names it ("Z:\tmp\x" for /tmp/x under Wine).
  virtual std::string CurrentDirectory() = 0;
  virtual bool ChangeDirectory(const std::string& path) = 0;

  // 0 when made, else the system error code (kAlreadyExists when it is there already).
  virtual int MakeDirectory(const std::string& path) = 0;
  virtual PathKind Kind(const std::string& path) = 0;
  virtual bool Facts(const std::string& path, FileFacts* facts) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Removes an empty directory.
  virtual bool RemoveEmptyDirectory(const std::string& path) = 0;
  // Free bytes available to the user on the disk holding path.
  virtual bool FreeDiskBytes(const std::string& path, std::uint64_t* bytes) = 0;
  // The entries of directory whose names match pattern ("*", "*.wav"; "?" and "*" wildcards,
  // A-Z folded), without "." and "..", in the order the system gives them.
  virtual std::vector<DirectoryEntry> List(const std::string& directory,
                                           std::string_view pattern) = 0;
  // A stream file in one of the C library's modes, or null when it cannot be opened.
  virtual StreamPtr Open(const std::string& path, std::string_view mode) = 0;
  // Puts the file from in the place of to in one step (both on one disk; an existing to is
  // replaced), so that to is whole in its old form or in its new one whatever happens.
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  // True when path itself is a symbolic link or a junction; where it leads is not looked at.
  virtual bool IsLink(const std::string& path) = 0;
};

// Wildcard match as the system's file search does it: "*" any run, "?" one byte, A-Z folded.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace corvisant
