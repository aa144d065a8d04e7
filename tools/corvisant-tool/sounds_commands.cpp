// sounds ... and keywords ...: the sound list (--media, else the Windows directory's Media
// folder) and the Keyword Watcher with the saved keyword table.
#include <string>

#include "app/preferences_file.h"
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
  if (!arguments.empty()) {
    std::fprintf(context.err, "usage: corvisant-tool sounds list\n");
    return kExitUsage;
  }
  SoundList sounds;
  sounds.Build(context.mediaDirectory);
  for (int i = 0; i < sounds.Count(); ++i)
    std::fprintf(context.out, "%s\n", sounds.NameOf(i).c_str());
  return kExitDone;
}

int RunKeywordsCheck(Context& context, const Arguments& arguments) {
  if (arguments.size() != 1) {
    std::fprintf(context.err, "usage: corvisant-tool keywords check FILE\n");
    return kExitUsage;
  }
  std::string path(arguments[0]);
  StreamPtr stream = CurrentPorts().files->Open(path, "rb");
  if (stream == nullptr) {
    std::fprintf(context.err, "corvisant-tool: cannot open %s\n", path.c_str());
    return kExitNothing;
  }
  std::string page;
  char chunk[kReadChunk];
  for (std::size_t count; (count = stream->Read(chunk, sizeof chunk)) > 0;)
    page.append(chunk, count);
  SoundList sounds;
  Preferences preferences;
  LoadSoundsAndPreferences(context.mediaDirectory, sounds, preferences);
  PrintedSound printed(context.out);
  Ports ports = CurrentPorts();
  ports.sound = &printed;
  Ports previous = InstallPorts(ports);
  WatchKeywords(preferences.keywords, sounds, page.data(), page.size());
  InstallPorts(previous);
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
