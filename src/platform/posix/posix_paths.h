// How the POSIX side names the system's Windows-form paths, the way Wine maps its "Z:" drive.
#pragma once

#include <string>
#include <string_view>

namespace corvisant {

// "\" becomes "/", and a leading "Z:" the root: "Z:\tmp\x" -> "/tmp/x", "a\b" -> "a/b".
std::string ToPosixPath(std::string_view windowsPath);
// "/tmp/x" -> "Z:\tmp\x", "/" -> "Z:\".
std::string ToWindowsPath(std::string_view posixPath);

}  // namespace corvisant
