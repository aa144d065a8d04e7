#include "history/file_key.h"

#include <vector>

#include "platform/ports.h"

namespace corvisant {
namespace {

constexpr char kSeparator = '\\';
constexpr std::string_view kSameStep = ".";
constexpr std::string_view kUpStep = "..";
constexpr std::string_view kNameEndsDropped = ". ";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The path with the working directory put before it where it does not start at a root.
std::string Absolute(std::string_view path) {
  std::string directory = Current<Files>()->CurrentDirectory();
  bool fromRoot = !path.empty() && IsSeparator(path[0]);
  if (HasDrive(path)) {
    bool driveRooted = path.size() > 2 && IsSeparator(path[2]);
    bool sameDrive = HasDrive(directory) && Fold(directory[0]) == Fold(path[0]);
    if (driveRooted || !sameDrive) return std::string(path);
    return directory + kSeparator + std::string(path.substr(2));
  }
  if (fromRoot) return directory.substr(0, HasDrive(directory) ? 2 : 0) + std::string(path);
  return directory + kSeparator + std::string(path);
}

// The names between separators, with the steps resolved; a ".." never climbs above the first
// name (the drive), as the system resolves it.
std::vector<std::string> Names(const std::string& absolute) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= absolute.size()) {
    std::size_t end = start;
    while (end < absolute.size() && !IsSeparator(absolute[end])) ++end;
    std::string name = absolute.substr(start, end - start);
    if (name == kUpStep) {
      if (names.size() > 1) names.pop_back();
    } else if (name != kSameStep) {
      std::size_t kept = name.find_last_not_of(kNameEndsDropped);
      name.resize(kept == std::string::npos ? 0 : kept + 1);
      if (!name.empty()) names.push_back(name);
    }
    start = end + 1;
  }
  return names;
}

}  // namespace

std::string FileKey(std::string_view path) {
  std::string key;
  for (const std::string& name : Names(Absolute(path))) {
    if (!key.empty()) key.push_back(kSeparator);
    for (char c : name) key.push_back(Fold(c));
  }
  return key;
}

bool SameFile(std::string_view a, std::string_view b) { return FileKey(a) == FileKey(b); }

}  // namespace corvisant
