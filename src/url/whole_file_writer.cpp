#include "url/whole_file_writer.h"

#include <cstdio>

#include "platform/ports.h"

namespace corvisant {
namespace {

// The fresh file's name: the target's name with a number and "~new" after it. No stored page
// and no data file is named so, and a fresh file that a crash left is passed over at the next
// write, which draws another number.
constexpr const char* kFreshSuffixFormat = ".%05d~new";
constexpr std::string_view kFreshMark = "~new";
constexpr std::size_t kFreshDigits = 5;
constexpr const char* kFreshPattern = "*~new";
constexpr int kFreshNameDraws = 64;

std::string FreshNameBeside(const std::string& path) {
  Files& files = *Current<Files>();
  for (int draw = 0; draw < kFreshNameDraws; ++draw) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, kFreshSuffixFormat, Current<Random>()->Next());
    std::string fresh = path + suffix;
    if (files.Kind(fresh) == PathKind::kMissing) return fresh;
  }
  return std::string();
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string_view FreshFileTarget(std::string_view path) {
  // ".", five digits, "~new", after a target of at least one character.
  constexpr std::size_t kSuffixSize = 1 + kFreshDigits + kFreshMark.size();
  if (path.size() <= kSuffixSize || path.substr(path.size() - kFreshMark.size()) != kFreshMark) {
    return std::string_view();
  }
  std::size_t dot = path.size() - kSuffixSize;
  if (path[dot] != '.' || !AllDigits(path.substr(dot + 1, kFreshDigits))) {
    return std::string_view();
  }
  return path.substr(0, dot);
}

void RemoveLeftFreshFiles(const std::string& directory) {
  Files& files = *Current<Files>();
  for (const DirectoryEntry& entry : files.List(directory, kFreshPattern)) {
    if (!entry.isDirectory && !FreshFileTarget(entry.name).empty()) {
      files.RemoveFile(directory + "\\" + entry.name);
    }
  }
}

WholeFileWriter::WholeFileWriter(std::string path, std::string_view mode)
    : path_(std::move(path)), freshPath_(FreshNameBeside(path_)) {
  if (!freshPath_.empty()) stream_ = Current<Files>()->Open(freshPath_, mode);
}

WholeFileWriter::~WholeFileWriter() {
  if (committed_ || freshPath_.empty()) return;
  stream_.reset();
  Current<Files>()->RemoveFile(freshPath_);
}

bool WholeFileWriter::Commit() {
  if (stream_ == nullptr) return false;
  bool written = stream_->ErrorFlag() == 0 && stream_->Sync();
  written = stream_->Close() && written;
  stream_.reset();
  committed_ = written && Current<Files>()->ReplaceFile(freshPath_, path_);
  return committed_;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string_view mode) {
  WholeFileWriter writer(path, mode);
  return writer.stream() != nullptr && writer.stream()->WriteText(bytes) && writer.Commit();
}

}  // namespace corvisant
