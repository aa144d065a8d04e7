#include "url/page_store.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/message_ids.h"
#include "platform/ports.h"
#include "platform/report.h"
#include "url/store_names.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

constexpr const char* kDataDirectories[] = {kHotlistDirectory, kHistoryDirectory, kEtcDirectory,
                                            kTempDirectory};
// Temporary names draw numbers of five digits.
constexpr const char* kTempNameFormat = "%5.5d";
constexpr std::size_t kTempNameSize = 64;
// How many numbers NewTempFileName draws before it gives up: every one of them is taken.
constexpr int kTempNameDraws = 8 * (kRandomMax + 1);

Files& TheFiles() { return *Current<Files>(); }

void ReportDirectoryFailure(int keepRunning, std::string_view name, std::string_view parent,
                            int error) {
  Report(keepRunning, kReportNeverCloses, message::kCantCreateDirectory, {name, parent, error});
}

// Writes text as the whole new file at path ("wt"); 40005 (the old file kept) when it cannot.
bool WriteTextFile(const std::string& path, const char* text) {
  if (WriteWholeFile(path, text, "wt")) return true;
  Report(kReportNonFatal, kReportNeverCloses, message::kCantCreateFile, {path});
  return false;
}

// Only a copy of a page gives way to a directory that its site needs: a file directly in the
// store root (the program itself, say) and the files of the data and manual directories stay.
bool MayGiveWayToDirectory(std::string_view parent) {
  const std::string& root = StoreRoot();
  if (!root.empty() && StartsWith(parent, root)) parent.remove_prefix(root.size());
  if (!parent.empty() && parent.front() == '\\') parent.remove_prefix(1);
  if (parent.empty()) return false;
  std::string top(parent.substr(0, parent.find('\\')));
  LowerCaseInPlace(top);
  for (std::string reserved : {std::string(kDatabaseDirectory), std::string(kDocumentDirectory)}) {
    LowerCaseInPlace(reserved);
    if (top == reserved) return false;
  }
  return true;
}

// The walk of a name's directories (all segments of a safe name but the last). The first that
// cannot be made (or is a link, which is never entered) is reported when creating and ends the
// walk: nothing is made below a directory that is not there. Returns the path of the directories;
// *whole is cleared when one of them is not there.
std::string WalkDirectories(const std::vector<std::string>& segments, bool create, bool* whole) {
  std::string path;
  *whole = true;
  for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
    int error = 0;
    if (*whole && !EnsureDirectory(path, segments[i], create, nullptr, nullptr, &error)) {
      *whole = false;
      if (create) {
        ReportDirectoryFailure(kReportNonFatal, segments[i], path.empty() ? StoreRoot() : path,
                               error);
      }
    }
    path = JoinStorePath(path, segments[i]);
  }
  return path;
}

std::vector<std::string> SplitSafeName(std::string_view name) {
  std::string safe = SafeStoreName(name);
  std::vector<std::string> segments;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = safe.find('\\', start);
    segments.push_back(safe.substr(start, end - start));
    if (end == std::string::npos) return segments;
    start = end + 1;
  }
}

}  // namespace

bool EnsureDirectory(std::string_view parent, std::string_view name, bool create,
                     std::string* fullPath, bool* created, int* systemError) {
  std::string path = JoinStorePath(parent, name);
  int error = system_error::kNone;
  bool ok = false;
  bool made = false;
  PathKind kind = TheFiles().Kind(path);
  if (kind != PathKind::kMissing && TheFiles().IsLink(path)) {
    // A link may lead out of the store: nothing is made or written through one.
    kind = PathKind::kMissing;
    create = false;
    error = system_error::kAccessDenied;
  }
  switch (kind) {
    case PathKind::kDirectory:
      ok = true;
      break;
    case PathKind::kFile:
      // A copy of a page stands where a directory of its site is needed: the directory wins.
      // Only a stored page gives way: a file directly in the store root (the program itself,
      // say) or of the data directories is no page of a site, and stays.
      if (!MayGiveWayToDirectory(parent)) {
        error = system_error::kAlreadyExists;
        break;
      }
      TheFiles().RemoveFile(path);
      error = TheFiles().MakeDirectory(path);
      ok = made = error == system_error::kNone;
      break;
    case PathKind::kMissing:
      if (error == system_error::kNone) {
        error = create ? TheFiles().MakeDirectory(path) : system_error::kFileNotFound;
      }
      ok = made = create && error == system_error::kNone;
      // Another writer of the store (a second tool, say) made it in between: it is there.
      if (error == system_error::kAlreadyExists && TheFiles().Kind(path) == PathKind::kDirectory) {
        ok = true;
        error = system_error::kNone;
      }
      break;
  }
  if (fullPath != nullptr) *fullPath = path;
  if (created != nullptr) *created = made;
  if (systemError != nullptr) *systemError = error;
  return ok;
}

StorePreparation PrepareStore() {
  Files& files = TheFiles();
  SetStoreRoot(files.CurrentDirectory());
  Current<Random>()->Seed(static_cast<unsigned>(Current<Clock>()->Now()));
  std::string database;
  int error = 0;
  if (!EnsureDirectory(StoreRoot(), kDatabaseDirectory, true, &database, nullptr, &error)) {
    ReportDirectoryFailure(kReportFatal, kDatabaseDirectory, StoreRoot(), error);
    return StorePreparation::kDirectoryMissing;
  }
  for (const char* directory : kDataDirectories) {
    if (!EnsureDirectory(database, directory, true, nullptr, nullptr, &error)) {
      ReportDirectoryFailure(kReportFatal, directory, database, error);
      return StorePreparation::kDirectoryMissing;
    }
  }
  std::string version = DataFilePath(kEtcDirectory, kVersionFile);
  bool written = files.Open(version, "rt") != nullptr || WriteTextFile(version, kVersionText);
  written = WriteTextFile(DataFilePath(kEtcDirectory, kEntryFile), kEntryText) && written;
  // Only the system's own files live in "etc", so a fresh file there is one that an ended process
  // left: it is removed. The site directories are not walked for them (a walk of the whole store
  // at every start), and need not be: no URL's local name has that form.
  RemoveLeftFreshFiles(DataDirectoryPath(kEtcDirectory));
  EmptyTempDirectory();
  return written ? StorePreparation::kReady : StorePreparation::kFileNotWritten;
}

StreamPtr OpenLocalCopy(std::string_view relativeName, std::string_view mode, bool create,
                        std::string* fullPath, bool* isDirectory) {
  if (isDirectory != nullptr) *isDirectory = false;
  // The file name ends at a "#": what follows names a place in the page, not a file.
  std::size_t lastSeparator = relativeName.find_last_of("/\\");
  std::size_t hash =
      relativeName.find('#', lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1);
  std::vector<std::string> segments = SplitSafeName(relativeName.substr(0, hash));
  bool whole = false;
  std::string path = JoinStorePath(WalkDirectories(segments, create, &whole), segments.back());
  if (fullPath != nullptr) *fullPath = path;
  if (!whole || TheFiles().IsLink(path)) return nullptr;
  StreamPtr stream = TheFiles().Open(path, mode);
  if (stream == nullptr && isDirectory != nullptr) {
    *isDirectory = TheFiles().Kind(path) == PathKind::kDirectory;
  }
  return stream;
}

int FindStoredCopy(std::string_view relativeName, std::string* fullPath) {
  bool isDirectory = false;
  StreamPtr stream = OpenLocalCopy(relativeName, "rb+", true, fullPath, &isDirectory);
  if (stream != nullptr) return kStoredCopyFound;
  return isDirectory ? kStoredCopyIsDirectory : kNoStoredCopy;
}

bool FileOpensForUpdate(const std::string& path) { return TheFiles().Open(path, "rb+") != nullptr; }

std::string EnsureDirectoriesFor(std::string_view path) {
  std::vector<std::string> segments = SplitSafeName(path);
  bool whole = false;
  return JoinStorePath(WalkDirectories(segments, true, &whole), segments.back());
}

std::string JoinStorePath(std::string_view parent, std::string_view name) {
  if (parent.empty()) return std::string(name);
  return std::string(parent) + "\\" + std::string(name);
}

std::string DataDirectoryPath(std::string_view subdirectory) {
  return JoinStorePath(kDatabaseDirectory, subdirectory);
}

std::string DataFilePath(std::string_view subdirectory, std::string_view file) {
  return JoinStorePath(DataDirectoryPath(subdirectory), file);
}

std::string EntryPageFileUrl() {
  return std::string("file://") + StoreRootUrlPath() + "/" + kDatabaseDirectory + "/" +
         kEtcDirectory + "/" + kEntryFile;
}

std::string NewTempFileName() {
  char name[kTempNameSize];
  for (int draw = 0; draw < kTempNameDraws; ++draw) {
    std::snprintf(name, sizeof name, kTempNameFormat, Current<Random>()->Next());
    std::string path = DataFilePath(kTempDirectory, name);
    if (TheFiles().Kind(path) == PathKind::kMissing) return path;
  }
  return std::string();
}

void EmptyTempDirectory() {
  Files& files = TheFiles();
  WalkTree(
      DataDirectoryPath(kTempDirectory), nullptr,
      [&files](const std::string& path) {
        files.RemoveEmptyDirectory(path);
        return 0;
      },
      [&files](const std::string& path) {
        files.RemoveFile(path);
        return 0;
      });
}

}  // namespace corvisant
