// Walks over the files and directories of the page store.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace corvisant {

// A callback's non-zero result ends a walk and is returned by it.
using NameCallback = std::function<int(const std::string& name)>;
using PathCallback = std::function<int(const std::string& path)>;

// Calls callback with the bare name of every file (not directory) matching directory\*.extension,
// stopping at the first non-zero result. 0, that result, or 1 when the directory cannot be listed.
int ForEachFile(const std::string& directory, std::string_view extension,
                const NameCallback& callback);

// Walks directory\*.*: onFile(path) for every file; for every sub-directory
// enterDirectory(path), the walk of it, leaveDirectory(path). Null callbacks are skipped. 0, the
// first non-zero callback result, or -1 when directory cannot be listed.
int WalkTree(const std::string& directory, const PathCallback& enterDirectory,
             const PathCallback& leaveDirectory, const PathCallback& onFile);

// The value a directory hands down to its contents in WalkTreeRelative.
using WalkState = std::int64_t;
// onDirectory(name, state handed down, &this directory's state).
using DirectoryStateCallback =
    std::function<int(const std::string& name, WalkState state, WalkState* directoryState)>;
// onFile(directory path, file name, the directory's state).
using FileInDirectoryCallback = std::function<int(
    const std::string& directoryPath, const std::string& fileName, WalkState directoryState)>;

// onDirectory for base\name (name alone when base is empty), then onFile for each of its files
// and the same walk for each sub-directory with this directory's state handed down. 0, the first
// non-zero callback result, or -1 when a directory cannot be listed.
int WalkTreeRelative(std::string_view base, std::string_view name,
                     const DirectoryStateCallback& onDirectory,
                     const FileInDirectoryCallback& onFile, WalkState state);

}  // namespace corvisant
