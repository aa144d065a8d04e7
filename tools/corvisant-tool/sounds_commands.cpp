// sounds ... and keywords ...: the sound list (--media, else the Windows directory's Media
// folder) and the Keyword Watcher with the saved keyword table.
#include <string>

#include "navigation/keyword_watcher.h"
#include "platform/ports.h"
#include "tools/corvisant-tool/tool.h"

namespace corvisant::tool {
namespace {

constexpr std::size_t kReadChunk = 4096;

// Prints "play NAME" for every sound it is asked to play instead of playing it.
class PrintedSound : public Sound {
 public:
  explicit PrintedSound(std::FILE* out) : out_(out) {}
  bool PlayFile(const std::string& path) override {
    std::string name = path.substr(path.rfind('\\') + 1);
    std::fprintf(out_, "play %s\n", name.c_str());
    return true;
  }

 private:
  std::FILE* out_;
};

int RunSoundsList(Context& context, const Arguments& arguments) {
  if (!arguments.empty()) return kExitUsage;
  const SoundList& sounds = *Current<SoundList>();
  for (int i = 0; i < sounds.Count(); ++i) {
    std::fprintf(context.out, "%s\n", sounds.NameOf(i).c_str());
  }
  return kExitDone;
}

int RunKeywordsCheck(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) return kExitUsage;
  std::string path(arguments[0]);
  StreamPtr stream = Current<Files>()->Open(path, "rb");
  if (stream == nullptr) {
    std::fprintf(context.err, "corvisant-tool: cannot open %s\n", path.c_str());
    return kExitNothing;
  }
  std::string page;
  char chunk[kReadChunk];
  for (std::size_t count; (count = stream->Read(chunk, sizeof chunk)) > 0;)
    page.append(chunk, count);
  PrintedSound printed(context.out);
  Installed<Sound> printing(&printed);
  WatchKeywords(Current<Preferences>()->keywords, *Current<SoundList>(), page.data(), page.size());
  return kExitDone;
}

const Command kSoundsCommands[] = {
    {"sounds", "list", "", "the sound list, one name per line", RunSoundsList},
    {"keywords", "check", "FILE", "the sounds the Keyword Watcher plays for FILE",
     RunKeywordsCheck},
};
const CommandRegistration registerSounds(kSoundsCommands);

}  // namespace
}  // namespace corvisant::tool
