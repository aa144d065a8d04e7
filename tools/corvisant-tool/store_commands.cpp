// store ...: the page store in the store root (the working directory, after --root).
#include <string>

#include "platform/ports.h"
#include "tools/corvisant-tool/tool.h"
#include "url/page_store.h"
#include "url/url.h"

namespace corvisant::tool {
namespace {

constexpr std::string_view kCreate = "--create";

int RunPrepare(Context&, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  return PrepareStore() == StorePreparation::kReady ? kExitDone : kExitNothing;
}

// The name of a URL's local copy as the recording of a visit gives it: the normalised URL after
// its first ":", without the leading "/" characters.
std::string LocalCopyName(std::string_view url) {
  std::string normalised = NormaliseUrlForStore(url, nullptr, false);
  std::size_t colon = normalised.find(':');
  std::size_t start = colon == std::string::npos ? 0 : colon + 1;
  start = normalised.find_first_not_of('/', start);
  return start == std::string::npos ? std::string() : normalised.substr(start);
}

int RunLocalCopy(Context& context, const Arguments& arguments) {
  bool create = arguments.size() == 2 && arguments[1] == kCreate;
  if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && !create)) {
    return kExitUsage;
  }
  std::string path;
  // "ab" makes a missing file and leaves an existing one as it is.
  StreamPtr stream =
      OpenLocalCopy(LocalCopyName(arguments[0]), create ? "ab" : "rb", create, &path, nullptr);
  std::fwrite(path.data(), 1, path.size(), context.out);
  std::fputc('\n', context.out);
  return (create && stream == nullptr) ? kExitNothing : kExitDone;
}

int RunTempName(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  // Seeded as at start-up.
  Current<Random>()->Seed(static_cast<unsigned>(Current<Clock>()->Now()));
  std::string name = NewTempFileName();
  if (name.empty()) return kExitNothing;
  std::fprintf(context.out, "%s\n", name.c_str());
  return kExitDone;
}

const Command kStoreCommands[] = {
    {"store", "prepare", "", "make the data directories and files, empty temp", RunPrepare},
    {"store", "local-copy", "URL [--create]", "the path of the URL's local copy", RunLocalCopy},
    {"store", "temp-name", "", "a fresh temporary file name", RunTempName},
};
const CommandRegistration registerStore(kStoreCommands);

}  // namespace
}  // namespace corvisant::tool
