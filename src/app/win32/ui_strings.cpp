#include "app/win32/ui_strings.h"

#include "app/resources/resource_ids.h"
#include "common/process_wide.h"

namespace corvisant {
namespace {

// A string of the table fills at most this many bytes with its terminating NUL.
constexpr int kUiStringBuffer = 256;

std::string LoadUiString(UINT id) {
  char text[kUiStringBuffer] = "";
  ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

bool InTable(UINT id) { return id >= IDS_UI_FIRST && id <= IDS_UI_LAST; }

}  // namespace

UiStrings::UiStrings() {
  for (UINT id = IDS_UI_FIRST; id <= IDS_UI_LAST; ++id) texts_.push_back(LoadUiString(id));
}

const std::string& UiStrings::Text(UINT id) const {
  static const std::string kNone;
  return InTable(id) ? texts_[id - IDS_UI_FIRST] : kNone;
}

std::string UiString(UINT id) {
  const UiStrings* table = Current<UiStrings>();
  return table != nullptr && InTable(id) ? table->Text(id) : LoadUiString(id);
}

}  // namespace corvisant
