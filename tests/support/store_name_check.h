// The safety property of local names made from URLs, checked from the outside: a relative path
// that stays below the store root, names no device, holds no "." or ".." step (also none that
// Windows would make by dropping trailing dots and spaces), and does not enter the data or the
// manual directory (nor a short-name alias of them). Empty when the path is safe, else why not.
#pragma once

#include <string>
#include <string_view>

namespace corvisant::testing {

inline std::string FoldedForCheck(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

inline bool NamesDeviceForCheck(std::string_view segment) {
  std::string base = FoldedForCheck(segment.substr(0, segment.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
         std::string_view("123456789\xB9\xB2\xB3").find(base[3]) != std::string_view::npos;
}

inline std::string StoreNameProblem(std::string_view path) {
  if (path.find(':') != std::string_view::npos) return "holds a drive or stream colon";
  std::size_t start = 0;
  bool first = true;
  for (;;) {
    std::size_t end = path.find_first_of("\\/", start);
    bool last = end == std::string_view::npos;
    std::string_view segment = path.substr(start, last ? std::string_view::npos : end - start);
    if (segment.empty() && !last) return "an empty step (absolute or root path)";
    if (segment.find('\0') != std::string_view::npos) return "a NUL byte";
    if (segment.size() > 255) return "a segment longer than 255";
    if (!segment.empty() && (segment.back() == '.' || segment.back() == ' ')) {
      return "a step ending in a dot or a space";
    }
    if (NamesDeviceForCheck(segment)) return "a device name";
    if (first) {
      std::string folded = FoldedForCheck(segment);
      if (folded == "corvisantdatabase" || folded == "corvisantdocument") {
        return "enters the data or manual directory";
      }
      if (segment.find('~') != std::string_view::npos) return "a possible short-name alias";
    }
    if (last) return std::string();
    start = end + 1;
    first = false;
  }
}

}  // namespace corvisant::testing
