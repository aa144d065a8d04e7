#include "standin/core/options.h"

#include <cctype>
#include <charconv>
#include <functional>
#include <map>

namespace standin {
namespace {

constexpr std::string_view kNavigatorPath = "NAVIGATOR\\PROGRAM\\NETSCAPE.EXE";

bool ParseNumber(const std::string& text, std::uint32_t* value) {
  const char* end = text.data() + text.size();
  auto [stop, failure] = std::from_chars(text.data(), end, *value);
  return failure == std::errc() && stop == end && !text.empty();
}

// Each option that takes a value stores it; false when the value is not acceptable.
using ValueSetter = std::function<bool(Options*, const std::string&)>;

ValueSetter Text(std::string Options::*field) {
  return [field](Options* o, const std::string& v) {
    o->*field = v;
    return !v.empty();
  };
}

ValueSetter Number(std::uint32_t Options::*field) {
  return [field](Options* o, const std::string& v) { return ParseNumber(v, &(o->*field)); };
}

ValueSetter Ranged(int Options::*field, std::uint32_t low, std::uint32_t high) {
  return [=](Options* o, const std::string& v) {
    std::uint32_t n = 0;
    if (!ParseNumber(v, &n) || n < low || n > high) return false;
    o->*field = static_cast<int>(n);
    return true;
  };
}

const std::map<std::string_view, ValueSetter>& ValueOptions() {
  static const std::map<std::string_view, ValueSetter> options = {
      {"--site", Text(&Options::site_dir)},
      {"--version", Ranged(&Options::version, 3, 4)},
      {"--log", Text(&Options::log_file)},
      {"--browse", Text(&Options::browse_file)},
      {"--interval", Number(&Options::browse_interval_ms)},
      {"--alert-every", Number(&Options::alert_every)},
      {"--dialog-language", Ranged(&Options::dialog_language, 0, kLanguageCount - 1)},
      {"--save-delay", Number(&Options::save_delay_ms)},
      {"--load-delay", Number(&Options::load_delay_ms)},
      {"--start", Text(&Options::start_url)},
  };
  return options;
}

const std::map<std::string_view, bool Options::*>& Switches() {
  static const std::map<std::string_view, bool Options::*> switches = {
      {"--exit-when-done", &Options::exit_when_done},
      {"--alert-on-missing", &Options::alert_on_missing},
      {"--progress-dialog", &Options::progress_dialog},
      {"--refuse-saves", &Options::refuse_saves},
      {"--mute", &Options::mute},
  };
  return switches;
}

}  // namespace

int VersionForProgramPath(std::string_view program_path) {
  std::string upper(program_path);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper.find(kNavigatorPath) != std::string::npos ? 3 : 4;
}

bool ParseOptions(const std::vector<std::string>& args, std::string_view program_path,
                  Options* options, std::string* error) {
  *options = Options();
  options->version = VersionForProgramPath(program_path);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (auto s = Switches().find(name); s != Switches().end()) {
      options->*(s->second) = true;
      continue;
    }
    // A word that is no option is the document to start with, as the browser's own command
    // line takes it.
    if (name.rfind("--", 0) != 0) {
      options->start_url = name;
      continue;
    }
    auto v = ValueOptions().find(name);
    if (v == ValueOptions().end()) {
      *error = "unknown option " + name;
      return false;
    }
    if (i + 1 == args.size() || !v->second(options, args[i + 1])) {
      *error = "bad value for " + name;
      return false;
    }
    ++i;
  }
  return true;
}

}  // namespace standin
