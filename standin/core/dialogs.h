#ifndef STANDIN_CORE_DIALOGS_H_
#define STANDIN_CORE_DIALOGS_H_

// The browser's dialogs as the stand-in raises them: their titles in the browser's nine
// languages and the layout of their controls. Ids are left 0 for the browser to assign.

#include <string>
#include <string_view>

#include "standin/core/browser_types.h"

namespace standin {

enum class SavingKind { kDocument, kLocation };

// Languages in order: English, Japanese (Shift-JIS), French, Italian, German, Portuguese,
// Danish, Dutch, Swedish. An index out of range gives English.
std::string_view AlertTitle(int language);
std::string_view SavingTitle(SavingKind kind, int language);

// An alert with one OK button; its title follows the browser's caption rule.
Dialog AlertDialog(int version, int language, std::string_view message);
// A modal dialog with a group of tab-stop buttons; only the bottom-right one closes it.
Dialog ModalDialog();
// "Saving Document" or "Saving Location" with a Cancel button; with_bar adds an NSProgress child.
Dialog SavingDialog(SavingKind kind, int language, std::string_view location, bool with_bar);
// No title; a client area of exactly 385 x 150 with an NSProgress child and a Cancel button.
Dialog UntitledProgressDialog();

}  // namespace standin

#endif  // STANDIN_CORE_DIALOGS_H_
