#include "standin/win32/files.h"

namespace standin_shell {
namespace {

constexpr std::string_view kLinuxRootDrive = "Z:";

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

std::string WindowsPath(std::string_view path) {
  if (path.empty() || path[0] != '/' || path.substr(0, 2) == "//") return std::string(path);
  std::string windows = std::string(kLinuxRootDrive) + std::string(path);
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
}

standin::LocalFile ReadLocalFile(const std::string& path) {
  standin::LocalFile result;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return result;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    result.kind = standin::LocalFile::Kind::kDirectory;
    return result;
  }
  OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size)) return result;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    return result;
  }
  result.kind = standin::LocalFile::Kind::kFile;
  result.bytes = std::move(bytes);
  return result;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  OwnedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.get(), bytes);
}

bool LogFile::Open(const std::string& path) {
  file_ = OwnedFile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file_);
}

void LogFile::Line(const std::string& text) {
  if (file_) WriteAll(file_.get(), text + "\n");
}

}  // namespace standin_shell
