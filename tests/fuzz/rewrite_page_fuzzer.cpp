// The rewrite of a stored page on arbitrary bytes: it never crashes, opens no file for writing but
// its own, leaves a page that is not HTML as it was, and names only safe local files for the
// images it defers. The first byte chooses the page's URL and whether a navigator is active.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/preferences.h"
#include "html/rewrite_handoffs.h"
#include "html/stored_page_rewriter.h"
#include "platform/ports.h"
#include "tests/support/recording_handoffs.h"
#include "tests/support/store_name_check.h"
#include "tests/support/write_failing_files.h"

namespace {

constexpr const char* kScratch = "rewrite-fuzz-store";
constexpr const char* kPage = "rewrite-fuzz-store\\page.html";
constexpr const char* kPageUrls[] = {"http://h1/index.html", "http://h1:81/a/b/c.html",
                                     "ftp://h2/x/", "file:///C|/x.html"};
constexpr std::size_t kPageUrlCount = sizeof kPageUrls / sizeof kPageUrls[0];
constexpr std::uint8_t kNavigatorBit = 0x10;

struct FuzzSetting {
  corvisant::Files* system = nullptr;
  corvisant::testing::WriteFailingFiles* files = nullptr;
  corvisant::Preferences preferences;
  corvisant::testing::RecordingImageDeferral images;
  corvisant::testing::ScriptedNavigationLink navigation;
  corvisant::testing::RecordingVisitTagReplay replay;
  corvisant::testing::FixedBrowserLocation browser;
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

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSetting& setting = Setting();
  corvisant::Ports ports = corvisant::SystemPorts();
  setting.system = ports.files;
  static corvisant::testing::WriteFailingFiles files(*ports.files);
  setting.files = &files;
  ports.files = &files;
  corvisant::InstallPorts(ports);
  setting.system->MakeDirectory(kScratch);
  setting.preferences.miscellaneous = corvisant::miscellaneous_flag::kFollowVisitTags;
  corvisant::InstallPreferences(&setting.preferences);
  corvisant::InstallRewriteHandoffs(corvisant::RewriteHandoffs{
      nullptr, &setting.images, &setting.navigation, &setting.replay, &setting.browser});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  FuzzSetting& setting = Setting();
  const char* pageUrl = kPageUrls[data[0] % kPageUrlCount];
  setting.navigation.active = (data[0] & kNavigatorBit) != 0;
  setting.images.deferred.clear();
  std::string page(reinterpret_cast<const char*>(data + 1), size - 1);
  WritePage(page);
  setting.files->ForgetWriteOpens();

  std::string title;
  corvisant::RewriteOutcome outcome;
  int result = corvisant::RewriteStoredPage(pageUrl, pageUrl, kPage, &title, &outcome);

  for (const std::string& path : setting.files->writeOpens()) {
    if (path != kPage) std::abort();
  }
  if (result != 0 && ReadPage() != page) std::abort();
  if (title.size() > 1024 || title.find_first_of("\r\n") != std::string::npos) std::abort();
  for (const auto& image : setting.images.deferred) {
    if (!corvisant::testing::StoreNameProblem(image.localName).empty()) std::abort();
  }
  return 0;
}
