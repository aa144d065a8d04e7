// The rewrite of a stored page on arbitrary bytes: it never crashes, opens no file for writing but
// its own (written beside it first, and not left there), leaves a page that is not HTML as it was,
// names only safe local files for the images it defers, and every reference of a rewritten page
// (each href and src, background and refresh URL) leads, as a browser and the file system read it
// from the page's copy, to a safe name inside the store root. The first byte chooses the page's
// URL and whether a navigator is active.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/preferences.h"
#include "html/attributes.h"
#include "html/html_scanner.h"
#include "html/local_references.h"
#include "html/rewrite_handoffs.h"
#include "html/stored_page_rewriter.h"
#include "html/tag_table.h"
#include "platform/ports.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/faulty_files.h"
#include "tests/support/recording_handoffs.h"
#include "tests/support/store_name_check.h"
#include "tests/unit/html/followed_reference.h"

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

// A value written in the rewritten page: a web URL or another scheme's, or a reference that leads
// from the page's copy (depth directories below the root) to a safe name.
bool LeadsIntoTheStore(const std::string& value, int depth) {
  std::string scheme(corvisant::SchemeOf(corvisant::BrowserReading(value)));
  corvisant::LowerCaseInPlace(scheme);
  if (!scheme.empty()) return scheme != "file";
  auto path = corvisant::testing::FollowedReference(value, std::vector<std::string>(depth, "d"));
  return path && !path->empty() && corvisant::testing::StoreNameProblem(*path).empty();
}

// The attributes the rewrite makes references of, by tag.
const std::vector<const char*>& RewrittenAttributes(int tagId) {
  namespace tag = corvisant::tag_id;
  static const std::vector<const char*> none, href{"href"}, src{"src"}, sources{"src", "lowsrc"},
      background{"background"}, url{"url"};
  if (tagId == tag::kAnchor || tagId == tag::kArea) return href;
  if (tagId == tag::kFrame || tagId == tag::kInput) return src;
  if (tagId == tag::kImage || tagId == tag::kEmbed) return sources;
  if (tagId == tag::kBody) return background;
  return tagId == tag::kMeta ? url : none;
}

void CheckReferences(const std::string& page, int depth) {
  corvisant::HtmlTokenPtr tokens = corvisant::ScanHtml(page.c_str(), nullptr);
  for (const corvisant::HtmlToken* token = tokens.get(); token; token = token->next.get()) {
    if (!token->startTagText) continue;
    std::string text = *token->startTagText;
    if (token->tagId == corvisant::tag_id::kMeta) {
      std::size_t offset = 0;
      text = corvisant::FindAttribute(text, "", "content", &offset).value_or("");
    }
    for (const char* name : RewrittenAttributes(token->tagId)) {
      std::size_t offset = 0;
      std::optional<std::string> value = corvisant::FindAttribute(text, "", name, &offset);
      if (value && !LeadsIntoTheStore(*value, depth)) std::abort();
    }
  }
  corvisant::FreeHtmlTokens(std::move(tokens));
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
  if (setting.system->List(".", "page.html.*").size() != 0) std::abort();
  if (result == 0) CheckReferences(ReadPage(), corvisant::StoredPageDepth(pageUrl));
  if (title.size() > 1024 || title.find_first_of("\r\n") != std::string::npos) std::abort();
  for (const auto& image : setting.handoffs.images.deferred) {
    if (!corvisant::testing::StoreNameProblem(image.localName).empty()) std::abort();
  }
}
