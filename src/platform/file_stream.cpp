#include "platform/file_stream.h"

#include <cstdarg>
#include <vector>

namespace corvisant {
namespace {
constexpr int kCtrlZ = 0x1A;  // ends a text-mode read, as the Windows C library does
constexpr std::size_t kPrintBufferSize = 1024;
}  // namespace

bool IsTextMode(std::string_view mode) { return mode.find('b') == std::string_view::npos; }

FileStream::FileStream(std::FILE* file, bool translateText)
    : file_(file), translateText_(translateText) {}

FileStream::~FileStream() { Close(); }

bool FileStream::Close() {
  if (file_ == nullptr) return true;
  bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return closed;
}

int FileStream::GetRawChar() { return std::getc(file_); }

int FileStream::GetChar() {
  int c = GetRawChar();
  if (!translateText_ || c == EOF) return c;
  if (c == kCtrlZ) {
    std::ungetc(c, file_);
    return EOF;
  }
  if (c == '\r') {
    int next = GetRawChar();
    if (next == '\n') return '\n';
    if (next != EOF) std::ungetc(next, file_);
  }
  return c;
}

std::size_t FileStream::Read(void* buffer, std::size_t size) {
  if (!translateText_) return std::fread(buffer, 1, size, file_);
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t count = 0;
  while (count < size) {
    int c = GetChar();
    if (c == EOF) break;
    out[count++] = static_cast<unsigned char>(c);
  }
  return count;
}

char* FileStream::GetLine(char* buffer, int size) {
  if (size <= 0) return nullptr;
  int count = 0;
  while (count < size - 1) {
    int c = GetChar();
    if (c == EOF) break;
    buffer[count++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[count] = '\0';
  return count == 0 ? nullptr : buffer;
}

std::size_t FileStream::Write(const void* data, std::size_t size) {
  if (!translateText_) return std::fwrite(data, 1, size, file_);
  const auto* bytes = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    std::size_t end = done;
    while (end < size && bytes[end] != '\n') ++end;
    std::size_t run = end - done;
    if (run > 0 && std::fwrite(bytes + done, 1, run, file_) != run) return done;
    done = end;
    if (done < size) {
      if (std::fwrite("\r\n", 1, 2, file_) != 2) return done;
      ++done;
    }
  }
  return done;
}

bool FileStream::Print(const char* format, ...) {
  char small[kPrintBufferSize];
  va_list arguments;
  va_start(arguments, format);
  va_list copy;
  va_copy(copy, arguments);
  int length = std::vsnprintf(small, sizeof small, format, arguments);
  va_end(arguments);
  bool written = false;
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof small) {
    written = WriteText(std::string_view(small, static_cast<std::size_t>(length)));
  } else if (length >= 0) {
    std::vector<char> large(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(large.data(), large.size(), format, copy);
    written = WriteText(std::string_view(large.data(), static_cast<std::size_t>(length)));
  }
  va_end(copy);
  return written;
}

bool FileStream::Seek(std::int64_t offset, SeekFrom from) {
  return SeekTo(offset, static_cast<int>(from));
}

std::int64_t FileStream::Tell() { return Position(); }

std::int64_t FileStream::Size() {
  std::int64_t here = Position();
  if (here < 0 || !SeekTo(0, SEEK_END)) return -1;
  std::int64_t size = Position();
  SeekTo(here, SEEK_SET);
  return size;
}

bool FileStream::Flush() { return std::fflush(file_) == 0; }

bool FileStream::Sync() { return Flush() && SyncDescriptor(); }

bool FileStream::AtEnd() { return std::feof(file_) != 0; }

int FileStream::ErrorFlag() { return std::ferror(file_) != 0 ? kStreamErrorFlag : 0; }

void FileStream::ClearError() { std::clearerr(file_); }

}  // namespace corvisant
