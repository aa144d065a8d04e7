#ifndef STANDIN_CORE_OPTIONS_H_
#define STANDIN_CORE_OPTIONS_H_

// The stand-in's command line, shared by Netscape.exe and by in-process embeddings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

inline constexpr int kLanguageCount = 9;  // English, Japanese, French, ... Swedish

struct Options {
  std::string site_dir;                     // --site DIR
  int version = 4;                          // --version 3|4, else from the program's path
  std::string log_file;                     // --log FILE (written by the embedding)
  std::string browse_file;                  // --browse FILE
  std::uint32_t browse_interval_ms = 1000;  // --interval MS
  bool exit_when_done = false;              // --exit-when-done
  bool alert_on_missing = false;            // --alert-on-missing
  std::uint32_t alert_every = 0;            // --alert-every N (0: never)
  bool progress_dialog = false;             // --progress-dialog
  int dialog_language = 0;                  // --dialog-language 0..8
  bool refuse_saves = false;                // --refuse-saves
  bool mute = false;                        // --mute
  std::uint32_t save_delay_ms = 300;        // --save-delay MS
  std::uint32_t load_delay_ms = 0;          // --load-delay MS
  std::string start_url = "about:blank";    // --start URL, or a URL on its own
};

// The version a browser installed at program_path would have: 3 in a Navigator folder, else 4.
int VersionForProgramPath(std::string_view program_path);

// Reads args (without the program name). On a bad argument returns false with a message.
bool ParseOptions(const std::vector<std::string>& args, std::string_view program_path,
                  Options* options, std::string* error);

}  // namespace standin

#endif  // STANDIN_CORE_OPTIONS_H_
