// Local names made from URLs stay plain names below the store root. The character mapping
// already keeps ":?|*"<>" out of them; on top of it, every segment that a file system would read
// as something else is given a form of its own, in the same spirit (one "_" standing for what
// cannot stay):
//   - "/" and "\" both separate segments, so a backslash never hides a directory step;
//   - a NUL byte (which would end the name early) becomes "_";
//   - trailing dots and spaces (which Windows drops, so that ".. " would be "..") become "_",
//     which also covers "." and ".." ("_", "__", as the mapping already does for "..");
//   - a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, with or without an
//     extension) gets "_" after its base: "con.html" is stored as "con_.html";
//   - an empty segment before the last (a leading "/", "a//b") becomes "_", so that no name is
//     absolute or reaches a drive's root;
//   - the first segment, directly below the store root, is never the data directory or the
//     manual's directory (compared with A-Z folded, as the file system does): "_" is appended;
//     and a "~" in it becomes "_", so that it is never a short-name alias of either;
//   - a name of the form a whole-file writer gives the fresh file it writes beside its target
//     ("p.html.01234~new") ends in "_" instead, so that no fresh file that an ended process left
//     is ever taken for a copy.
// Names that hold none of these pass unchanged.
#include <algorithm>
#include <array>

#include "url/store_names.h"
#include "url/text_helpers.h"
#include "url/whole_file_writer.h"

namespace corvisant {
namespace {

constexpr char kStandIn = '_';
constexpr char kShortNameMarker = '~';

constexpr std::array<std::string_view, 6> kPlainDevices = {"con", "prn",    "aux",
                                                           "nul", "conin$", "conout$"};
constexpr std::array<std::string_view, 2> kNumberedDevices = {"com", "lpt"};
// The digits Windows accepts after COM and LPT: 1-9 and the superscripts 1, 2, 3 of the ANSI
// code page.
constexpr std::string_view kDeviceDigits = "123456789\xB9\xB2\xB3";

std::string Folded(std::string_view text) {
  std::string folded(text);
  LowerCaseInPlace(folded);
  return folded;
}

// The length of the base of a segment as Windows reads it for device names: up to the first
// ".", without trailing spaces.
std::size_t DeviceBaseLength(std::string_view segment) {
  std::size_t end = segment.find('.');
  if (end == std::string_view::npos) end = segment.size();
  while (end > 0 && segment[end - 1] == ' ') --end;
  return end;
}

bool IsDeviceName(std::string_view base) {
  std::string folded = Folded(base);
  for (std::string_view device : kPlainDevices) {
    if (folded == device) return true;
  }
  for (std::string_view device : kNumberedDevices) {
    if (folded.size() == device.size() + 1 && folded.compare(0, device.size(), device) == 0 &&
        kDeviceDigits.find(folded.back()) != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

bool IsReservedTopDirectory(std::string_view segment) {
  std::string folded = Folded(segment);
  return folded == Folded(kDatabaseDirectory) || folded == Folded(kDocumentDirectory);
}

void ReplaceTrailingDotsAndSpaces(std::string& segment) {
  for (std::size_t i = segment.size(); i > 0 && (segment[i - 1] == '.' || segment[i - 1] == ' ');
       --i) {
    segment[i - 1] = kStandIn;
  }
}

}  // namespace

std::string SafeStoreSegment(std::string_view segment, bool first, bool last) {
  std::string safe(segment.substr(0, kMaxStoreSegment));
  MapToStoreChars(safe);
  for (char& c : safe) {
    if (c == '\0' || (first && c == kShortNameMarker)) c = kStandIn;
  }
  std::size_t base = DeviceBaseLength(safe);
  if (IsDeviceName(std::string_view(safe).substr(0, base))) {
    safe.insert(base, 1, kStandIn);
    safe.resize(std::min(safe.size(), kMaxStoreSegment));
  }
  ReplaceTrailingDotsAndSpaces(safe);
  if (first && IsReservedTopDirectory(safe)) safe += kStandIn;
  if (!FreshFileTarget(safe).empty()) safe.back() = kStandIn;
  if (safe.empty() && !last) safe += kStandIn;
  return safe;
}

std::string SafeStoreName(std::string_view name) {
  std::string safe;
  bool first = true;
  for (;;) {
    std::size_t end = name.find_first_of("/\\");
    bool last = end == std::string_view::npos;
    safe += SafeStoreSegment(name.substr(0, end), first, last);
    if (last) return safe;
    safe += '\\';
    name.remove_prefix(end + 1);
    first = false;
  }
}

}  // namespace corvisant
