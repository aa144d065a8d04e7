#include "url/store_files.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/store_names.h"

namespace corvisant {
namespace {

constexpr const char* kFreeSpaceFormat = "%5.1f";
constexpr std::size_t kFreeSpaceTextSize = 64;

Files& TheFiles() { return *Current<Files>(); }

void ReportCantCreate(const std::string& path) {
  Report(kReportNonFatal, kReportClosesAfter5s, message::kCantCreateFile, {path});
}

// The root of the drive that holds the store: up to and including its ":", and a backslash.
std::string DriveRoot() {
  const std::string& root = StoreRoot();
  std::size_t colon = root.find(':');
  if (colon == std::string::npos) return root + "\\";
  return root.substr(0, colon + 1) + "\\";
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* contents) {
  contents->clear();
  StreamPtr stream = TheFiles().Open(path, "rb");
  if (stream == nullptr) return false;
  std::int64_t size = stream->Size();
  std::size_t wanted = size < 0 ? 0 : static_cast<std::size_t>(size);
  contents->resize(wanted);
  std::size_t got = stream->Read(contents->data(), wanted);
  if (size < 0 || got != wanted) {
    Report(kReportNonFatal, kReportClosesAfter5s, message::kCantReadFile,
           {path, stream->ErrorFlag()});
    contents->clear();
    return false;
  }
  return true;
}

bool TruncateFile(const std::string& path, std::int64_t length) {
  std::string contents;
  {
    StreamPtr stream = TheFiles().Open(path, "rb+");
    if (stream == nullptr || length < 0) return false;
    std::int64_t size = stream->Size();
    if (size < 0) return false;
    contents.resize(static_cast<std::size_t>(std::min(size, length)));
    if (stream->Read(contents.data(), contents.size()) != contents.size()) return false;
  }
  // The file's end is set by writing its first length bytes again (zeros beyond its old end).
  contents.resize(static_cast<std::size_t>(length), '\0');
  StreamPtr stream = TheFiles().Open(path, "wb");
  return stream != nullptr && stream->Write(contents.data(), contents.size()) == contents.size() &&
         stream->Close();
}

FileCopy CopyFileByBlocks(const std::string& source, const std::string& target) {
  Files& files = TheFiles();
  // The old target goes only when there is something to put in its place.
  StreamPtr from = files.Open(source, "rb");
  if (from == nullptr) return FileCopy::kNoSource;
  if (files.Kind(target) == PathKind::kFile) files.RemoveFile(target);
  StreamPtr to = files.Open(target, "wb");
  if (to == nullptr) {
    ReportCantCreate(target);
    return FileCopy::kFailed;
  }
  std::vector<char> block(kCopyBlockSize);
  bool written = true;
  std::size_t count;
  while (written && (count = from->Read(block.data(), block.size())) > 0) {
    written = to->Write(block.data(), count) == count;
  }
  // A read that stopped on an error is not the end of the file.
  bool readWhole = from->ErrorFlag() == 0;
  written = to->Close() && written;
  if (!written) ReportCantCreate(target);
  return written && readWhole ? FileCopy::kCopied : FileCopy::kFailed;
}

void MoveFileByCopy(const std::string& source, const std::string& target) {
  // A copy that is not whole keeps its source, so that nothing is lost.
  if (CopyFileByBlocks(source, target) == FileCopy::kCopied) TheFiles().RemoveFile(source);
}

UnixTime FileModificationTime(const std::string& path) {
  FileFacts facts;
  if (!TheFiles().Facts(path, &facts)) return 0;
  return facts.modified;
}

std::string FormatFreeMegabytes(double megabytes) {
  char text[kFreeSpaceTextSize];
  std::snprintf(text, sizeof text, kFreeSpaceFormat, megabytes);
  return text;
}

void CheckFreeSpace() {
  std::uint64_t bytes = 0;
  if (!TheFiles().FreeDiskBytes(DriveRoot(), &bytes)) {
    Report(kReportFatal, kReportNeverCloses, message::kCantCheckFreeSpace);
    return;
  }
  double megabytes = static_cast<double>(bytes) / kBytesPerMegabyte;
  if (megabytes < kFreeSpaceWarningMegabytes) {
    Report(kReportNonFatal, kReportNeverCloses, message::kLowDiskSpace,
           {FormatFreeMegabytes(megabytes)});
  }
}

}  // namespace corvisant
