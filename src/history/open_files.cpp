#include "history/open_files.h"

#include "platform/ports.h"

namespace corvisant {
namespace {
constexpr std::string_view kSharedDataMode = "ab+";
}  // namespace

FileStream* OpenFilesTable::Find(const std::string& path) const {
  auto found = streams_.find(path);
  return found == streams_.end() ? nullptr : found->second.get();
}

FileStream* OpenFilesTable::Keep(const std::string& path, StreamPtr stream) {
  if (FileStream* kept = Find(path)) return kept;
  if (!stream) return nullptr;
  FileStream* raw = stream.get();
  streams_.emplace(path, std::move(stream));
  return raw;
}

FileStream* OpenFilesTable::OpenExisting(const std::string& path) {
  if (FileStream* kept = Find(path)) return kept;
  Files& files = *Current<Files>();
  if (files.Kind(path) != PathKind::kFile) return nullptr;
  return Keep(path, files.Open(path, kSharedDataMode));
}

void OpenFilesTable::CloseAll() { streams_.clear(); }

}  // namespace corvisant
