// A stream file opened with one of the system's explicit modes ("ab+", "rb+", "wt", ...). Text
// mode writes "\r\n" for every "\n" and reads it back as "\n" on every platform: where the C
// library does not do it (POSIX), the stream does it itself, so both builds write the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace corvisant {

// The value a failed stream reports as its error flag, as the Windows C library sets it.
constexpr int kStreamErrorFlag = 32;

enum class SeekFrom { kStart = SEEK_SET, kCurrent = SEEK_CUR, kEnd = SEEK_END };

class FileStream {
 public:
  // Takes ownership of file. translateText: the stream itself turns "\n" into "\r\n" and back.
  FileStream(std::FILE* file, bool translateText);
  virtual ~FileStream();
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t size);
  std::size_t Write(const void* data, std::size_t size);
  bool WriteText(std::string_view text) { return Write(text.data(), text.size()) == text.size(); }
  // printf-style; returns false when the text could not be written whole.
  bool Print(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  // The next byte, or EOF.
  int GetChar();
  // Reads up to and including the next "\n" (at most size - 1 bytes), NUL-terminated, as fgets.
  char* GetLine(char* buffer, int size);

  bool Seek(std::int64_t offset, SeekFrom from);
  std::int64_t Tell();
  std::int64_t Size();
  bool Flush();
  // Flushes and asks the system to put the file's data on the disk.
  bool Sync();
  bool AtEnd();
  // 0, or kStreamErrorFlag after a failed read or write.
  int ErrorFlag();
  void ClearError();
  // Closes now; false when buffered data could not be written.
  bool Close();
  // Holds the whole file against other processes that lock it too, waiting while one of them
  // holds it, so that their appends never mix; false when the system cannot lock it.
  bool Lock() { return LockDescriptor(); }
  void Unlock() { UnlockDescriptor(); }

 protected:
  std::FILE* file() const { return file_; }
  virtual bool SyncDescriptor() = 0;
  // Positions in 64 bits: the C library's long is 32 bits on Windows, and files may be larger.
  virtual bool SeekTo(std::int64_t offset, int origin) = 0;
  virtual std::int64_t Position() = 0;
  virtual bool LockDescriptor() = 0;
  virtual void UnlockDescriptor() = 0;

 private:
  int GetRawChar();

  std::FILE* file_;
  bool translateText_;
};

using StreamPtr = std::unique_ptr<FileStream>;

// Holds a stream's lock for a scope. Buffered reads made before it was taken may be stale: a
// holder reads the file's size again.
class StreamLock {
 public:
  explicit StreamLock(FileStream& stream) : stream_(stream), held_(stream.Lock()) {}
  ~StreamLock() {
    if (held_) stream_.Unlock();
  }
  StreamLock(const StreamLock&) = delete;
  StreamLock& operator=(const StreamLock&) = delete;
  bool held() const { return held_; }

 private:
  FileStream& stream_;
  bool held_;
};

// True when mode asks for text mode: no 'b' in it ("wt", "at+", "r").
bool IsTextMode(std::string_view mode);

}  // namespace corvisant
