#include "url/store_walk.h"

#include "platform/ports.h"
#include "url/page_store.h"

namespace corvisant {
namespace {

// Every entry of a directory (the system's "*.*" means every name).
constexpr std::string_view kEveryName = "*";
constexpr int kCannotList = -1;
constexpr int kCannotListFiles = 1;

Files& TheFiles() { return *Current<Files>(); }

bool Listable(const std::string& directory) {
  return TheFiles().Kind(directory) == PathKind::kDirectory;
}

}  // namespace

int ForEachFile(const std::string& directory, std::string_view extension,
                const NameCallback& callback) {
  if (!Listable(directory)) return kCannotListFiles;
  std::string pattern = "*." + std::string(extension);
  for (const DirectoryEntry& entry : TheFiles().List(directory, pattern)) {
    if (entry.isDirectory) continue;
    if (int result = callback(entry.name)) return result;
  }
  return 0;
}

int WalkTree(const std::string& directory, const PathCallback& enterDirectory,
             const PathCallback& leaveDirectory, const PathCallback& onFile) {
  if (!Listable(directory)) return kCannotList;
  for (const DirectoryEntry& entry : TheFiles().List(directory, kEveryName)) {
    std::string path = JoinStorePath(directory, entry.name);
    int result = 0;
    if (!entry.isDirectory) {
      result = onFile ? onFile(path) : 0;
    } else {
      result = enterDirectory ? enterDirectory(path) : 0;
      if (result == 0) result = WalkTree(path, enterDirectory, leaveDirectory, onFile);
      if (result == 0 && leaveDirectory) result = leaveDirectory(path);
    }
    if (result != 0) return result;
  }
  return 0;
}

int WalkTreeRelative(std::string_view base, std::string_view name,
                     const DirectoryStateCallback& onDirectory,
                     const FileInDirectoryCallback& onFile, WalkState state) {
  WalkState directoryState = 0;
  if (onDirectory) {
    if (int result = onDirectory(std::string(name), state, &directoryState)) return result;
  }
  std::string directory = JoinStorePath(base, name);
  if (!Listable(directory)) return kCannotList;
  for (const DirectoryEntry& entry : TheFiles().List(directory, kEveryName)) {
    int result = 0;
    if (!entry.isDirectory) {
      result = onFile ? onFile(directory, entry.name, directoryState) : 0;
    } else {
      result = WalkTreeRelative(directory, entry.name, onDirectory, onFile, directoryState);
    }
    if (result != 0) return result;
  }
  return 0;
}

}  // namespace corvisant
