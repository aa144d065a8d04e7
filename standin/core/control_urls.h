#ifndef STANDIN_CORE_CONTROL_URLS_H_
#define STANDIN_CORE_CONTROL_URLS_H_

// "standin:" URLs: opened like documents, they raise dialogs instead, so that tests can have
// the browser show any of its dialogs on demand. They are never displayed nor echoed.
//   standin:alert[?lang=N]                         an Alert with an OK button
//   standin:modal                                  a modal dialog with tab-stop buttons
//   standin:progress[?lang=N&kind=document|location] a titled saving dialog
//   standin:progress385                            an untitled 385 x 150 progress dialog
//   standin:quit                                   no dialog: every window closes

#include <optional>
#include <string_view>

#include "standin/core/dialogs.h"

namespace standin {

bool IsControlUrl(std::string_view url);

enum class ControlKind { kAlert, kModal, kSaving, kUntitledProgress, kQuit };

struct ControlRequest {
  ControlKind kind = ControlKind::kAlert;
  int language = 0;
  SavingKind saving = SavingKind::kDocument;
};

// Nothing for a "standin:" URL that names no dialog. default_language applies without lang=.
std::optional<ControlRequest> ParseControlUrl(std::string_view url, int default_language);

}  // namespace standin

#endif  // STANDIN_CORE_CONTROL_URLS_H_
