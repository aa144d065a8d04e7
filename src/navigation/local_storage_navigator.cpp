#include "navigation/local_storage_navigator.h"

#include "navigation/local_storage_dialogs.h"
#include "platform/ports.h"
#include "url/classify.h"
#include "url/page_store.h"
#include "url/store_names.h"
#include "url/store_walk.h"

namespace corvisant {
namespace {

// The first draw is the high part of the entry number: i = (a x 65536 + b + 32767) mod count.
constexpr long long kHighDrawFactor = 65536;
constexpr long long kEntryDrawOffset = kRandomMax;
// The file drawn within the directory: k = ((rand() + 32737) mod m) + 1.
constexpr long long kFileDrawOffset = 32737;
// The entries looked at for the directory's count are two apart (a stride of 8 bytes).
constexpr int kCountStride = 2;
// Draws one nextUrl makes before it gives up: a store whose directories have all gone would
// otherwise be drawn from for ever.
constexpr int kMaxDraws = 1000;
constexpr std::uint32_t kRootRecordOffset = 0;
constexpr const char* kEveryName = "*";
constexpr const char* kFileUrlPrefix = "file://";

bool IsSystemDirectory(const std::string& name) {
  return name == kDatabaseDirectory || name == kDocumentDirectory;
}

}  // namespace

LocalStorageNavigator::LocalStorageNavigator() {
  LocalStorageDialogs* dialogs = Current<LocalStorageDialogs>();
  if (files_.OpenExisting()) {
    DensityAnswer answer =
        dialogs != nullptr ? dialogs->AskRecreateDensity() : DensityAnswer::kUseOld;
    if (answer == DensityAnswer::kUseOld) entryCount_ = files_.EntryCount();
    if (answer != DensityAnswer::kRecreate) return;
  }
  Rebuild();
}

void LocalStorageNavigator::Rebuild() {
  if (!files_.Create()) return;
  LocalStorageDialogs* dialogs = Current<LocalStorageDialogs>();
  std::unique_ptr<ScanningDialog> dialog =
      dialogs != nullptr ? dialogs->OpenScanningDialog(kHtmlFilesFoundLabel) : nullptr;
  ScanProgress progress(dialog.get());
  if (files_.AppendDirectory(kRootRecordOffset, "") >= 0) Walk(progress);
  dialog.reset();
  entryCount_ = files_.EntryCount();
  files_.Flush();
}

// The store's top directory has a record of its own; the system's data and manual directories
// hold no stored pages and are left out.
bool LocalStorageNavigator::Walk(ScanProgress& progress) {
  std::int64_t top = files_.AppendDirectory(kRootRecordOffset, "");
  if (top < 0) return false;
  auto topOffset = static_cast<std::uint32_t>(top);
  for (const DirectoryEntry& entry : Current<Files>()->List(StoreRoot(), kEveryName)) {
    if (entry.isDirectory) {
      if (!IsSystemDirectory(entry.name) && !WalkDirectory(entry.name, topOffset, progress)) {
        return false;
      }
      continue;
    }
    bool html = IsHtmlFile(entry.name);
    if (html) files_.AppendEntry(topOffset);
    if (!progress.Count(html, entry.name)) return false;
  }
  return true;
}

// False when the walk was stopped.
bool LocalStorageNavigator::WalkDirectory(const std::string& name, std::uint32_t parent,
                                          ScanProgress& progress) {
  constexpr int kStopped = 1;
  auto onDirectory = [this](const std::string& directory, WalkState handedDown, WalkState* own) {
    std::int64_t offset = files_.AppendDirectory(static_cast<std::uint32_t>(handedDown), directory);
    *own = offset < 0 ? handedDown : offset;
    return 0;
  };
  auto onFile = [this, &progress](const std::string& directory, const std::string& file,
                                  WalkState own) {
    bool html = IsHtmlFileIn(directory, file);
    if (html) files_.AppendEntry(static_cast<std::uint32_t>(own));
    return progress.Count(html, file) ? 0 : kStopped;
  };
  return WalkTreeRelative("", name, onDirectory, onFile, parent) != kStopped;
}

std::string LocalStorageNavigator::nextUrl() {
  if (entryCount_ == 0) return std::string();
  Random& random = *Current<Random>();
  for (int draw = 0; draw < kMaxDraws; ++draw) {
    long long a = random.Next();
    long long b = random.Next();
    std::string url =
        Pick(static_cast<int>((a * kHighDrawFactor + b + kEntryDrawOffset) % entryCount_));
    if (!url.empty()) return url;
  }
  return std::string();
}

std::string LocalStorageNavigator::Pick(int i) {
  std::uint32_t directory = 0;
  if (!files_.ReadEntry(i, &directory)) return std::string();
  int m = 0;
  std::uint32_t other = 0;
  for (int j = i - kCountStride; j >= 0 && files_.ReadEntry(j, &other) && other == directory;
       j -= kCountStride) {
    ++m;
  }
  int k = m > 0 ? static_cast<int>((Current<Random>()->Next() + kFileDrawOffset) % m) + 1 : 1;
  std::string path;
  if (!files_.DirectoryPath(directory, &path)) return std::string();
  Files& files = *Current<Files>();
  for (const DirectoryEntry& entry : files.List(path.empty() ? StoreRoot() : path, kEveryName)) {
    if (entry.isDirectory || !IsHtmlFile(JoinStorePath(path, entry.name)) || --k > 0) continue;
    std::string relative = JoinStorePath(path, entry.name);
    DosPathToUrlPath(relative);
    return kFileUrlPrefix + StoreRootUrlPath() + "/" + relative;
  }
  return std::string();
}

NavigatorPtr MakeLocalStorageNavigator() { return std::make_unique<LocalStorageNavigator>(); }

}  // namespace corvisant
