#include <fcntl.h>
#include <io.h>

#include "tools/corvisant-tool/tool.h"

namespace corvisant::tool {

void UseBinaryConsole() {
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

}  // namespace corvisant::tool
