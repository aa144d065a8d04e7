#include "navigation/density_files.h"

#include "platform/ports.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

constexpr const char* kReadMode = "rb";
constexpr const char* kCreateMode = "wb+";
constexpr int kBitsPerByte = 8;
// A directory name is a file name: longer ones are not a record of this file.
constexpr std::size_t kMaxNameLength = 260;

void EncodeNumber(std::uint32_t value, unsigned char* bytes) {
  for (std::int64_t i = 0; i < kDensityEntrySize; ++i) {
    bytes[i] = static_cast<unsigned char>(value >> ((kDensityEntrySize - 1 - i) * kBitsPerByte));
  }
}

bool ReadNumber(FileStream& stream, std::int64_t offset, std::uint32_t* value) {
  unsigned char bytes[kDensityEntrySize];
  if (!stream.Seek(offset, SeekFrom::kStart) || stream.Read(bytes, sizeof bytes) != sizeof bytes) {
    return false;
  }
  *value = 0;
  for (unsigned char byte : bytes) *value = (*value << kBitsPerByte) | byte;
  return true;
}

// The name after the parent offset, up to its NUL.
bool ReadName(FileStream& stream, std::string* name) {
  name->clear();
  for (int c = stream.GetChar(); c != 0; c = stream.GetChar()) {
    if (c == EOF || name->size() >= kMaxNameLength) return false;
    name->push_back(static_cast<char>(c));
  }
  return true;
}

}  // namespace

std::string DensityPath() { return DataFilePath(kEtcDirectory, kDensityFile); }
std::string DensityStructPath() { return DataFilePath(kEtcDirectory, kDensityStructFile); }

bool DensityFiles::OpenExisting() {
  Files& files = *Current<Files>();
  density_ = files.Open(DensityPath(), kReadMode);
  structure_ = files.Open(DensityStructPath(), kReadMode);
  return density_ != nullptr && structure_ != nullptr;
}

bool DensityFiles::Create() {
  Close();
  Files& files = *Current<Files>();
  density_ = files.Open(DensityPath(), kCreateMode);
  structure_ = files.Open(DensityStructPath(), kCreateMode);
  return density_ != nullptr && structure_ != nullptr;
}

void DensityFiles::Close() {
  density_.reset();
  structure_.reset();
}

std::int64_t DensityFiles::AppendDirectory(std::uint32_t parentOffset, std::string_view name) {
  if (structure_ == nullptr || !structure_->Seek(0, SeekFrom::kEnd)) return -1;
  std::int64_t offset = structure_->Tell();
  std::string record(kDensityEntrySize, '\0');
  EncodeNumber(parentOffset, reinterpret_cast<unsigned char*>(record.data()));
  record.append(name.data(), name.size());
  record.push_back('\0');
  if (!structure_->WriteText(record) || !structure_->Flush()) return -1;
  return offset;
}

bool DensityFiles::AppendEntry(std::uint32_t directoryOffset) {
  if (density_ == nullptr || !density_->Seek(0, SeekFrom::kEnd)) return false;
  unsigned char bytes[kDensityEntrySize];
  EncodeNumber(directoryOffset, bytes);
  return density_->Write(bytes, sizeof bytes) == sizeof bytes && density_->Flush();
}

int DensityFiles::EntryCount() {
  if (density_ == nullptr) return 0;
  std::int64_t size = density_->Size();
  return size > 0 ? static_cast<int>(size / kDensityEntrySize) : 0;
}

bool DensityFiles::ReadEntry(int i, std::uint32_t* directoryOffset) {
  return density_ != nullptr && i >= 0 &&
         ReadNumber(*density_, static_cast<std::int64_t>(i) * kDensityEntrySize, directoryOffset);
}

bool DensityFiles::DirectoryPath(std::uint32_t offset, std::string* path) {
  path->clear();
  if (structure_ == nullptr) return false;
  std::string name;
  for (std::uint32_t parent = 0;; offset = parent) {
    if (!ReadNumber(*structure_, offset, &parent) || !ReadName(*structure_, &name)) return false;
    if (parent == 0) return true;
    // Every record follows its parent's: a chain that does not go back would never end.
    if (parent >= offset) return false;
    *path = path->empty() ? name : name + "\\" + *path;
  }
}

bool DensityFiles::Flush() {
  bool flushed = density_ == nullptr || density_->Flush();
  return (structure_ == nullptr || structure_->Flush()) && flushed;
}

}  // namespace corvisant
