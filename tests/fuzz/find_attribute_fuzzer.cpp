// Reads the attributes of any tag text and checks the positions they report: inside the text,
// moving forward, and pointing at exactly the value that is returned, so that a caller replacing
// a value in the page replaces that value and nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "html/attributes.h"
#include "html/html_text.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using corvisant::fuzzing::Check;

void CheckEveryAttribute(std::string_view text) {
  std::size_t cursor = 0;
  std::size_t nameStart = 0;
  std::size_t nameEnd = 0;
  std::size_t valueStart = 0;
  while (auto value = corvisant::NextAttribute(text, &cursor, &nameStart, &nameEnd, &valueStart)) {
    Check(nameStart <= nameEnd && nameEnd <= cursor && cursor <= text.size());
    Check(cursor > nameStart);
    for (char c : text.substr(nameStart, nameEnd - nameStart)) {
      Check(c != '=' && !corvisant::IsHtmlSpace(c));
    }
    if (valueStart == corvisant::kNoValue) {
      Check(*value == corvisant::kValuelessAttribute);
    } else {
      Check(valueStart >= nameEnd && valueStart + value->size() <= cursor);
      Check(text.substr(valueStart, value->size()) == *value);
    }
  }
  Check(cursor == text.size());
}

}  // namespace

// The input is the tag text, the skip text and the attribute name, separated by NUL bytes.
CORVISANT_FUZZ_TARGET(find_attribute) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t first = input.find('\0');
  std::string_view tagText = input.substr(0, first);
  std::string_view rest = first == std::string_view::npos ? "" : input.substr(first + 1);
  std::size_t second = rest.find('\0');
  std::string_view skip = rest.substr(0, second);
  std::string_view name = second == std::string_view::npos ? "" : rest.substr(second + 1);

  CheckEveryAttribute(tagText);
  std::size_t offset = SIZE_MAX;
  auto value = corvisant::FindAttribute(tagText, skip, name, &offset);
  if (!value) return;
  Check(skip.size() < tagText.size());
  std::string_view attributes = tagText.substr(skip.size());
  Check(offset > 0 && offset <= attributes.size());
  Check(attributes.substr(offset, value->size()) == *value);
}
