#include <dirent.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <memory>

#include "platform/posix/posix_paths.h"
#include "platform/system_files.h"

namespace corvisant {
namespace {

class PosixStream : public FileStream {
 public:
  using FileStream::FileStream;

 protected:
  bool SyncDescriptor() override { return ::fsync(::fileno(file())) == 0; }
  bool SeekTo(std::int64_t offset, int origin) override {
    return ::fseeko(file(), static_cast<off_t>(offset), origin) == 0;
  }
  std::int64_t Position() override { return ::ftello(file()); }
  bool LockDescriptor() override {
    std::fflush(file());
    int result;
    do {
      result = ::flock(::fileno(file()), LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result == 0;
  }
  void UnlockDescriptor() override {
    std::fflush(file());
    ::flock(::fileno(file()), LOCK_UN);
  }
};

int ToSystemError(int posixError) {
  switch (posixError) {
    case EEXIST:
      return system_error::kAlreadyExists;
    case ENOENT:
    case ENOTDIR:
      return system_error::kPathNotFound;
    case EACCES:
    case EPERM:
      return system_error::kAccessDenied;
    case EROFS:
      return system_error::kWriteProtect;
    case ENOSPC:
      return system_error::kDiskFull;
    case ENAMETOOLONG:
      return system_error::kInvalidName;
    default:
      return system_error::kGeneralFailure;
  }
}

struct DirCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

}  // namespace

std::string SystemFiles::CurrentDirectory() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr) return std::string();
  return ToWindowsPath(buffer);
}

bool SystemFiles::ChangeDirectory(const std::string& path) {
  return ::chdir(ToPosixPath(path).c_str()) == 0;
}

int SystemFiles::MakeDirectory(const std::string& path) {
  if (::mkdir(ToPosixPath(path).c_str(), 0777) == 0) return system_error::kNone;
  return ToSystemError(errno);
}

PathKind SystemFiles::Kind(const std::string& path) {
  struct stat facts;
  if (::stat(ToPosixPath(path).c_str(), &facts) != 0) return PathKind::kMissing;
  return S_ISDIR(facts.st_mode) ? PathKind::kDirectory : PathKind::kFile;
}

bool SystemFiles::Facts(const std::string& path, FileFacts* facts) {
  struct stat status;
  if (::stat(ToPosixPath(path).c_str(), &status) != 0) return false;
  facts->size = static_cast<std::int64_t>(status.st_size);
  facts->modified = static_cast<UnixTime>(status.st_mtime);
  facts->isDirectory = S_ISDIR(status.st_mode);
  return true;
}

bool SystemFiles::RemoveFile(const std::string& path) {
  // DeleteFile removes files only, never a directory.
  std::string native = ToPosixPath(path);
  struct stat status;
  if (::lstat(native.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) return false;
  return ::unlink(native.c_str()) == 0;
}

bool SystemFiles::RemoveEmptyDirectory(const std::string& path) {
  return ::rmdir(ToPosixPath(path).c_str()) == 0;
}

bool SystemFiles::FreeDiskBytes(const std::string& path, std::uint64_t* bytes) {
  struct statvfs facts;
  if (::statvfs(ToPosixPath(path).c_str(), &facts) != 0) return false;
  *bytes = static_cast<std::uint64_t>(facts.f_bavail) * facts.f_frsize;
  return true;
}

std::vector<DirectoryEntry> SystemFiles::List(const std::string& directory,
                                              std::string_view pattern) {
  std::vector<DirectoryEntry> entries;
  std::string native = ToPosixPath(directory);
  std::unique_ptr<DIR, DirCloser> handle(::opendir(native.c_str()));
  if (!handle) return entries;
  while (const dirent* item = ::readdir(handle.get())) {
    std::string_view name = item->d_name;
    if (name == "." || name == ".." || !MatchesWildcard(name, pattern)) continue;
    DirectoryEntry entry;
    entry.name = std::string(name);
    struct stat status;
    if (::stat((native + "/" + entry.name).c_str(), &status) == 0) {
      entry.isDirectory = S_ISDIR(status.st_mode);
      entry.size = static_cast<std::int64_t>(status.st_size);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool SystemFiles::ReplaceFile(const std::string& from, const std::string& to) {
  return ::rename(ToPosixPath(from).c_str(), ToPosixPath(to).c_str()) == 0;
}

bool SystemFiles::IsLink(const std::string& path) {
  struct stat status;
  return ::lstat(ToPosixPath(path).c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

StreamPtr SystemFiles::Open(const std::string& path, std::string_view mode) {
  bool text = IsTextMode(mode);
  std::string nativeMode;
  for (char c : mode) {
    if (c != 't') nativeMode += c;
  }
  std::string native = ToPosixPath(path);
  // Windows cannot open a directory as a stream; neither can we.
  struct stat status;
  if (::stat(native.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return nullptr;
  std::FILE* file = std::fopen(native.c_str(), nativeMode.c_str());
  if (file == nullptr) return nullptr;
  return std::make_unique<PosixStream>(file, text);
}

}  // namespace corvisant
