// Local names of any URL: no store path, and no directory or file that the page store would make,
// open for writing or delete for it, leaves the store root, enters the data or manual directory,
// names a device or holds a "." or ".." step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ports.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/name_recording_files.h"
#include "tests/support/store_name_check.h"
#include "url/page_store.h"
#include "url/url.h"

namespace {

// The store at "C:\\Corvisant" on a files port that touches no disk and records every change.
struct FuzzSetting {
  corvisant::testing::NameRecordingFiles recorder;
  corvisant::fuzzing::FuzzProcess process{nullptr, &recorder};
};

corvisant::testing::NameRecordingFiles& Recorder() {
  static FuzzSetting setting;
  return setting.recorder;
}

void RequireSafe(const std::string& path) {
  if (!corvisant::testing::StoreNameProblem(path).empty()) std::abort();
}

void RequireSafeChanges() {
  for (const std::string& path : Recorder().changed()) RequireSafe(path);
  Recorder().Forget();
}

// The name of a URL's local copy as a visit's recording takes it: after the first ":", without
// leading "/".
std::string VisitName(const std::string& normalised) {
  std::size_t colon = normalised.find(':');
  std::size_t start = normalised.find_first_not_of('/', colon == std::string::npos ? 0 : colon + 1);
  return start == std::string::npos ? std::string() : normalised.substr(start);
}

}  // namespace

CORVISANT_FUZZ_TARGET(store_path) {
  Recorder().Forget();
  std::string url(reinterpret_cast<const char*>(data), size);
  corvisant::PercentDecode(url);

  std::string path = corvisant::UrlToStorePath(url);
  if (!path.empty()) RequireSafe(path);
  if (corvisant::SafeStoreName(url) != corvisant::SafeStoreName(corvisant::SafeStoreName(url))) {
    std::abort();
  }

  corvisant::UrlParts parts;
  corvisant::ParseUrl(url, &parts);
  std::string name = corvisant::PartsToStoreName(parts);
  RequireSafe(name);
  corvisant::PercentDecode(name);
  RequireSafe(corvisant::EnsureDirectoriesFor(name));
  RequireSafeChanges();

  std::string normalised = corvisant::NormaliseUrlForStore(url, nullptr, false);
  std::string fullPath;
  for (const std::string& relative : {VisitName(normalised), url}) {
    corvisant::OpenLocalCopy(relative, "wb", true, &fullPath);
    RequireSafe(fullPath);
    corvisant::FindStoredCopy(relative, &fullPath);
    RequireSafe(fullPath);
    RequireSafeChanges();
  }

  std::string fileUrl = url;
  if (corvisant::UrlToStoreFileUrl(fileUrl)) {
    std::string prefix = "file://" + corvisant::StoreRootUrlPath() + "/";
    if (fileUrl.compare(0, prefix.size(), prefix) != 0) std::abort();
    std::string local = fileUrl.substr(prefix.size());
    corvisant::UrlParts normalisedParts;
    corvisant::ParseUrl(normalised, &normalisedParts);
    if (normalisedParts.fragment.present()) {
      local.resize(local.size() - normalisedParts.fragment.size() - 1);
    }
    RequireSafe(local);
  }
}
