// Telling whether two paths name one file, as the file system would resolve them: the commands
// that write a list's exports must never write over a file that the list itself is read from.
#pragma once

#include <string>
#include <string_view>

namespace corvisant {

// The form in which two paths of one file agree: made absolute from the working directory (a
// path from the drive's root takes the working directory's drive), "/" and "\" alike and never
// doubled, "." and ".." steps resolved, the dots and spaces that end a name dropped (Windows
// drops them), A-Z folded.
std::string FileKey(std::string_view path);
bool SameFile(std::string_view a, std::string_view b);

}  // namespace corvisant
