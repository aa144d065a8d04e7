#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <memory>

#include "platform/system_files.h"

namespace corvisant {
namespace {

class Win32Stream : public FileStream {
 public:
  using FileStream::FileStream;

 protected:
  bool SyncDescriptor() override { return ::_commit(::_fileno(file())) == 0; }
  bool SeekTo(std::int64_t offset, int origin) override {
    return ::_fseeki64(file(), offset, origin) == 0;
  }
  std::int64_t Position() override { return ::_ftelli64(file()); }
  bool LockDescriptor() override {
    std::fflush(file());
    OVERLAPPED whole{};
    return ::LockFileEx(Handle(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) != FALSE;
  }
  void UnlockDescriptor() override {
    std::fflush(file());
    OVERLAPPED whole{};
    ::UnlockFileEx(Handle(), 0, MAXDWORD, MAXDWORD, &whole);
  }

 private:
  HANDLE Handle() { return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file()))); }
};

// Closes a file search handle on every path out of List.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (valid()) ::FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Closes a file handle opened for asking where a path leads.
class PathHandle {
 public:
  explicit PathHandle(const std::string& path)
      : handle_(::CreateFileA(path.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
  ~PathHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  PathHandle(const PathHandle&) = delete;
  PathHandle& operator=(const PathHandle&) = delete;

  // The path the system reaches through every link on the way; empty when it cannot tell.
  std::string FinalPath() const {
    char buffer[kLongPathSize];
    DWORD length = handle_ == INVALID_HANDLE_VALUE
                       ? 0
                       : ::GetFinalPathNameByHandleA(handle_, buffer, sizeof buffer, 0);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
  }

 private:
  static constexpr DWORD kLongPathSize = 4 * MAX_PATH;
  HANDLE handle_;
};

bool SameFolded(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Wine shows a symbolic link to a file as a plain file: such a link is told by where it leads,
// which is not the place of its name in the directory it stands in.
bool LeadsElsewhere(const std::string& path) {
  char full[MAX_PATH + 1];
  char* name = nullptr;
  DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, &name);
  if (length == 0 || length >= sizeof full || name == nullptr || name == full) return false;
  std::string directory(full, name - full - 1);
  std::string reached = PathHandle(path).FinalPath();
  std::string directoryReached = PathHandle(directory.empty() ? "\\" : directory).FinalPath();
  if (reached.empty() || directoryReached.empty()) return false;
  if (directoryReached.back() != '\\') directoryReached += '\\';
  return !SameFolded(reached, directoryReached + name);
}

std::int64_t FileSize(const WIN32_FIND_DATAA& found) {
  return (static_cast<std::int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

}  // namespace

std::string SystemFiles::CurrentDirectory() {
  char buffer[MAX_PATH + 1];
  DWORD length = ::GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer) return std::string();
  return std::string(buffer, length);
}

bool SystemFiles::ChangeDirectory(const std::string& path) {
  return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

int SystemFiles::MakeDirectory(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return system_error::kNone;
  return static_cast<int>(::GetLastError());
}

PathKind SystemFiles::Kind(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kDirectory : PathKind::kFile;
}

bool SystemFiles::Facts(const std::string& path, FileFacts* facts) {
  struct _stat64 status;
  if (::_stat64(path.c_str(), &status) != 0) return false;
  facts->size = static_cast<std::int64_t>(status.st_size);
  facts->modified = static_cast<UnixTime>(status.st_mtime);
  facts->isDirectory = (status.st_mode & _S_IFDIR) != 0;
  return true;
}

bool SystemFiles::RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()); }

bool SystemFiles::RemoveEmptyDirectory(const std::string& path) {
  return ::RemoveDirectoryA(path.c_str()) != FALSE;
}

bool SystemFiles::FreeDiskBytes(const std::string& path, std::uint64_t* bytes) {
  ULARGE_INTEGER available;
  if (!::GetDiskFreeSpaceExA(path.c_str(), &available, nullptr, nullptr)) return false;
  *bytes = available.QuadPart;
  return true;
}

std::vector<DirectoryEntry> SystemFiles::List(const std::string& directory,
                                              std::string_view pattern) {
  std::vector<DirectoryEntry> entries;
  std::string search = directory + "\\" + std::string(pattern);
  WIN32_FIND_DATAA found;
  FindHandle handle(::FindFirstFileA(search.c_str(), &found));
  if (!handle.valid()) return entries;
  do {
    std::string_view name = found.cFileName;
    // The short-name match of the file search ("*.wav" finding "x.wave") is not the system's.
    if (name == "." || name == ".." || !MatchesWildcard(name, pattern)) continue;
    DirectoryEntry entry;
    entry.name = std::string(name);
    entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = FileSize(found);
    entries.push_back(std::move(entry));
  } while (::FindNextFileA(handle.get(), &found));
  return entries;
}

bool SystemFiles::ReplaceFile(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool SystemFiles::IsLink(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || LeadsElsewhere(path);
}

StreamPtr SystemFiles::Open(const std::string& path, std::string_view mode) {
  std::FILE* file = std::fopen(path.c_str(), std::string(mode).c_str());
  if (file == nullptr) return nullptr;
  // The C library does text mode itself here.
  return std::make_unique<Win32Stream>(file, false);
}

}  // namespace corvisant
