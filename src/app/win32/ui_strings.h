// The UI strings (50000 to 50026 of the string table): the labels of the windows, the
// executable's file name and the default font. The program loads them once at start-up; until
// then, and in a process that never loads them, each is read from the string table when asked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace corvisant {

class UiStrings {
 public:
  // Each string of the table, at most 255 characters.
  UiStrings();

  const std::string& Text(UINT id) const;

 private:
  std::vector<std::string> texts_;
};

// The string id, from the loaded table when there is one.
std::string UiString(UINT id);

}  // namespace corvisant
