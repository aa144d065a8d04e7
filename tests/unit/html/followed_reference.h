// Where a reference of a stored page leads, as a browser walks it from the page's directory and
// the file system then reads it: "/" and "\" separate, "." and ".." (a dot also "%2e") are steps,
// every other name is decoded once ("%" and two hex digits). Nothing when it leads above the store
// root, or when a name decodes to a separator or to dots and blanks alone (a step to the file
// system). Shared by the table of hostile links and the rewrite property.
#pragma once

#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace corvisant::testing {

inline std::string DecodedName(const std::string& name) {
  auto hex = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  std::string bytes;
  for (std::size_t i = 0; i < name.size(); ++i) {
    bool escape = name[i] == '%' && i + 2 < name.size() &&
                  std::isxdigit(static_cast<unsigned char>(name[i + 1])) &&
                  std::isxdigit(static_cast<unsigned char>(name[i + 2]));
    bytes += escape ? static_cast<char>(hex(name[i + 1]) * 16 + hex(name[i + 2])) : name[i];
    if (escape) i += 2;
  }
  return bytes;
}

// The store path (names joined with "\") that reference leads to from the directory path.
inline std::optional<std::string> FollowedReference(const std::string& reference,
                                                    std::vector<std::string> path) {
  std::string rest = reference.substr(0, reference.find('#')) + "/";
  for (std::size_t end; (end = rest.find_first_of("/\\")) != std::string::npos;) {
    std::string name = DecodedName(rest.substr(0, end));
    bool last = end + 1 == rest.size();
    rest.erase(0, end + 1);
    if (name == ".." && path.empty()) return std::nullopt;
    if (name == "..") path.pop_back();
    if (name == "." || name == ".." || (name.empty() && last)) continue;
    if (name.find_first_of("/\\") != std::string::npos) return std::nullopt;
    if (!name.empty() && name.find_first_not_of(". ") == std::string::npos) return std::nullopt;
    path.push_back(name);
  }
  std::string joined;
  for (const std::string& name : path) joined += (joined.empty() ? "" : "\\") + name;
  return joined;
}

}  // namespace corvisant::testing
