// The face names the Miscellaneous settings offer for the list font: the font families of the
// menu-bar window's display, for the ANSI character set and the system font's.
#pragma once

#include <windows.h>

#include "common/string_list.h"

namespace corvisant {

// Fills faces (sorted byte-wise, each name once, vertical "@" faces left out) from window's
// device context, asking for fonts of size tenths of a point.
void BuildFontFaceList(HWND window, int size, SortedStringList* faces);

}  // namespace corvisant
