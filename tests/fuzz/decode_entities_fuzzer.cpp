// Decodes any bytes and checks the decoder's promises: it never lengthens its text, never makes
// a NUL, leaves a text without "&" as it is, and both of its forms agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "html/entities.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using corvisant::fuzzing::Check;

}  // namespace

CORVISANT_FUZZ_TARGET(decode_entities) {
  const std::string original(reinterpret_cast<const char*>(data), size);
  std::string decoded = original;
  corvisant::DecodeEntities(decoded);
  Check(decoded.size() <= original.size());
  Check(decoded.find('\0') == std::string::npos || original.find('\0') != std::string::npos);
  if (original.find('&') == std::string::npos) Check(decoded == original);

  // The NUL-terminated form decodes the text up to its first NUL exactly as the counted form.
  std::string head = original.substr(0, original.find('\0'));
  std::vector<char> buffer(head.begin(), head.end());
  buffer.push_back('\0');
  corvisant::DecodeEntities(buffer.data());
  std::string decodedHead = head;
  corvisant::DecodeEntities(decodedHead);
  Check(decodedHead == buffer.data());
}
