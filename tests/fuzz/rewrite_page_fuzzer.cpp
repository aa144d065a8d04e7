// The rewrite of a stored page on arbitrary bytes: it never crashes, opens no file for writing but
// its own (written beside it first), leaves a page that is not HTML as it was, and names only safe
// local files for the images it defers. The first byte chooses the page's URL and whether a
// navigator is active.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/preferences.h"
#include "html/rewrite_handoffs.h"
#include "html/stored_page_rewriter.h"
#include "platform/ports.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/faulty_files.h"
#include "tests/support/recording_handoffs.h"
#include "tests/support/store_name_check.h"

namespace {

constexpr const char* kScratch = "rewrite-fuzz-store";
constexpr const char* kPage = "page.html";
constexpr const char* kPageUrls[] = {"http://h1/index.html", "http://h1:81/a/b/c.html",
                                     "ftp://h2/x/", "file:///C|/x.html"};
constexpr std::size_t kPageUrlCount = sizeof kPageUrls / sizeof kPageUrls[0];
constexpr std::uint8_t kNavigatorBit = 0x10;

// The system's files under a recording double, the store in its own directory, Visit tags
// followed, and every hand-off but the Keyword Watcher recorded.
struct FuzzSetting {
  corvisant::Files* system = corvisant::SystemPorts().files;
  corvisant::testing::FaultyFiles files{*system};
  corvisant::fuzzing::FuzzProcess process{kScratch, &files};
  corvisant::testing::RecordingHandoffs handoffs;
  corvisant::Installed<corvisant::PageTextWatcher> noKeywords{nullptr};

  FuzzSetting() {
    corvisant::Current<corvisant::Preferences>()->miscellaneous =
        corvisant::miscellaneous_flag::kFollowVisitTags;
  }
};

FuzzSetting& Setting() {
  static FuzzSetting setting;
  return setting;
}

// Writes bytes to the page through the system's own port, so that only the rewrite's own opens
// are recorded.
void WritePage(const std::string& bytes) {
  corvisant::StreamPtr stream = Setting().system->Open(kPage, "wb");
  if (stream == nullptr || stream->Write(bytes.data(), bytes.size()) != bytes.size()) std::abort();
}

std::string ReadPage() {
  corvisant::StreamPtr stream = Setting().system->Open(kPage, "rb");
  if (stream == nullptr) std::abort();
  std::string bytes(static_cast<std::size_t>(stream->Size()), '\0');
  bytes.resize(stream->Read(bytes.data(), bytes.size()));
  return bytes;
}

}  // namespace

CORVISANT_FUZZ_TARGET(rewrite_page) {
  if (size == 0) return;
  FuzzSetting& setting = Setting();
  const char* pageUrl = kPageUrls[data[0] % kPageUrlCount];
  setting.handoffs.navigation.active = (data[0] & kNavigatorBit) != 0;
  setting.handoffs.images.deferred.clear();
  std::string page(reinterpret_cast<const char*>(data + 1), size - 1);
  WritePage(page);
  setting.files.ForgetWriteOpens();

  std::string title;
  corvisant::RewriteOutcome outcome;
  int result = corvisant::RewriteStoredPage(pageUrl, pageUrl, kPage, &title, &outcome);

  // The page's new form is written beside it before it takes the page's place.
  const std::string beside = std::string(kPage) + ".";
  for (const std::string& path : setting.files.writeOpens()) {
    if (path != kPage && path.compare(0, beside.size(), beside) != 0) std::abort();
  }
  if (result != 0 && ReadPage() != page) std::abort();
  if (title.size() > 1024 || title.find_first_of("\r\n") != std::string::npos) std::abort();
  for (const auto& image : setting.handoffs.images.deferred) {
    if (!corvisant::testing::StoreNameProblem(image.localName).empty()) std::abort();
  }
}
