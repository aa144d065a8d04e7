// The page store on disk: the data directories, the opening of local copies (with their
// directories made on the way) and the temporary file names. Paths are Windows-form and relative
// to the store root, which is the working directory.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_stream.h"
#include "url/store_files.h"
#include "url/store_walk.h"

namespace corvisant {

// The data directory's sub-directories and files.
constexpr const char* kHotlistDirectory = "hotlist";
constexpr const char* kHistoryDirectory = "history";
constexpr const char* kEtcDirectory = "etc";
constexpr const char* kTempDirectory = "temp";
constexpr const char* kVersionFile = "version";
constexpr const char* kEntryFile = "entry.html";
constexpr const char* kVersionText = "1.02";
constexpr const char* kEntryText = "<HTML>\n<TITLE>***</TITLE></HTML>\n";

// name inside the directory parent ("parent\name"; name alone when parent is empty).
std::string JoinStorePath(std::string_view parent, std::string_view name);
// Where the system's own data lives, relative to the store root: "CorvisantDatabase\sub" and
// "CorvisantDatabase\sub\file".
std::string DataDirectoryPath(std::string_view subdirectory);
std::string DataFilePath(std::string_view subdirectory, std::string_view file);
// The store's "entry.html" as the browser opens it: "file://" + the store root in URL form +
// "/CorvisantDatabase/etc/entry.html".
std::string EntryPageFileUrl();

// Start-up: sets the store root from the working directory, seeds the random generator with the
// clock's time, makes the data directories (a failure is reported fatally, 40011), writes
// "version" when missing and "entry.html" always (40005 on failure), empties "temp".
enum class StorePreparation {
  kReady,
  // A file could not be written whole (reported); the start goes on without it.
  kFileNotWritten,
  // A directory could not be made (reported fatally: the program has ended, unless the reporter
  // lets it go on).
  kDirectoryMissing,
};
StorePreparation PrepareStore();

// The directory parent\name (name alone when parent is empty). A file of that name is replaced
// by a directory. *fullPath gets the path, *created whether it was made here, *systemError the
// system's error code of a failure.
bool EnsureDirectory(std::string_view parent, std::string_view name, bool create,
                     std::string* fullPath = nullptr, bool* created = nullptr,
                     int* systemError = nullptr);

// Opens the local copy named by relativeName (host[$port]/path with "/" separators) with mode.
// With create, missing directories are made on the way (each failure reported with 40011).
// *fullPath gets the file's path; *isDirectory is set when the open failed because a directory
// stands there. Null when the file cannot be opened.
StreamPtr OpenLocalCopy(std::string_view relativeName, std::string_view mode, bool create,
                        std::string* fullPath = nullptr, bool* isDirectory = nullptr);

// What FindStoredCopy finds.
constexpr int kNoStoredCopy = 0;
constexpr int kStoredCopyFound = 1;
constexpr int kStoredCopyIsDirectory = 2;
// kStoredCopyFound when the copy opens "rb+", kStoredCopyIsDirectory when a directory has its
// name, else kNoStoredCopy; *fullPath gets the local path in every case. Missing directories on
// the way are made.
int FindStoredCopy(std::string_view relativeName, std::string* fullPath);

// True when the file opens "rb+".
bool FileOpensForUpdate(const std::string& path);
// Makes every missing directory of a backslash-separated relative path (all segments but the
// last), reporting 40011 for each that cannot be made. Returns the path in its safe store form
// (SafeStoreName), the one to write the file under.
std::string EnsureDirectoriesFor(std::string_view path);

// "CorvisantDatabase\temp\NNNNN" with a random number not naming an existing file. Nothing is
// created.
std::string NewTempFileName();
// Deletes every file below "CorvisantDatabase\temp" and removes its sub-directories.
void EmptyTempDirectory();

}  // namespace corvisant
