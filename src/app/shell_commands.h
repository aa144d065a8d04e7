// What the Windows shell asks of the program for its URL list files: the DDE execute strings of
// the file types ".urli" and ".urld" ("[open(\"%1\")]", and the print commands that the program
// takes but does not carry out), and the two files and the name of the list a chosen file
// belongs to.
#pragma once

#include <string>
#include <string_view>

namespace corvisant {

struct ShellCommand {
  enum class Kind { kOpen, kPrint, kRefused };
  Kind kind = Kind::kRefused;
  // The file of an open command.
  std::string path;
};

// "[open(\"PATH\")]" opens PATH; "[print(\"FILE\")]" and "[printto(\"FILE\",\"PRINTER\",...)]"
// are taken and not printed; anything else, and an open without its closing quote, is refused.
ShellCommand ParseShellCommand(std::string_view command);

struct UrlListPairFiles {
  std::string indexPath;
  std::string dataPath;
  // The list's name: what follows the last "\" of the path without its extension.
  std::string name;
};

// The pair of a chosen file: the path cut at its last "." (without one, at its last character),
// with ".urli" and ".urld" put after it.
UrlListPairFiles UrlListPairOf(std::string_view path);

}  // namespace corvisant
