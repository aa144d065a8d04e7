// Keeping a text's bytes from breaking the file they are written into.
#pragma once

#include <string>
#include <string_view>

namespace corvisant {

// text with every byte `from` written as `to`.
std::string ReplaceEach(std::string_view text, char from, std::string_view to);

}  // namespace corvisant
