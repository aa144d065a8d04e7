#include "standin/core/dialogs.h"

#include "standin/core/dde_text.h"
#include "standin/core/options.h"

namespace standin {
namespace {

// Control ids: the usual OK and Cancel, then the modal dialog's own buttons.
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kMessageId = 100;
constexpr int kDetailsId = 101;
constexpr int kCertificateId = 102;
constexpr int kHelpId = 103;
constexpr int kContinueId = 104;
constexpr int kProgressId = 105;

constexpr int kMargin = 10;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kWideButtonWidth = 120;
constexpr int kBarHeight = 16;
constexpr int kTextHeight = 40;

constexpr int kAlertWidth = 320;
constexpr int kAlertHeight = 110;
constexpr int kModalWidth = 380;
constexpr int kModalHeight = 140;
constexpr int kSavingWidth = 380;
constexpr int kSavingHeight = 120;
constexpr int kUntitledWidth = 385;
constexpr int kUntitledHeight = 150;

constexpr std::string_view kAlertTitles[kLanguageCount] = {
    "Alert",   "\x8C\x78\x8D\x90", "Message d'alerte", "Avviso",  "Warnmeldung",
    "Alertar", "Advarsel",         "Waarschuwen",      "Varning",
};
constexpr std::string_view kSavingDocumentTitles[kLanguageCount] = {
    "Saving Document",
    "\x95\xB6\x8F\x91\x82\xF0\x95\xDB\x91\xB6\x92\x86",
    "Enregistrement du document",
    "Salvataggio documento in corso",
    "Speichern von Dokument",
    "Salvando documento",
    "Gemmer dokument",
    "Bezig met opslaan document",
    "Sparar dokument",
};
constexpr std::string_view kSavingLocationTitles[kLanguageCount] = {
    "Saving Location",
    "\x8F\xEA\x8F\x8A\x82\xF0\x95\xDB\x91\xB6\x92\x86",
    "Enregistrement de l'adresse",
    "Salvataggio indirizzo",
    "Speichert Adresse",
    "Salvando endere\xE7o",
    "Gemmer adresse",
    "Bezig met opslaan locatie",
    "Sparar adress",
};

int KnownLanguage(int language) {
  return language >= 0 && language < kLanguageCount ? language : 0;
}

DialogControl Text(std::string_view text, int x, int y, int width) {
  DialogControl control;
  control.id = kMessageId;
  control.class_name = "Static";
  control.text = std::string(text);
  control.x = x;
  control.y = y;
  control.width = width;
  control.height = kTextHeight;
  return control;
}

// A tab-stop push button; the first of a group also carries the group style.
DialogControl Button(int id, std::string_view text, int x, int y, int width, bool group) {
  DialogControl control;
  control.id = id;
  control.class_name = "Button";
  control.text = std::string(text);
  control.x = x;
  control.y = y;
  control.width = width;
  control.height = kButtonHeight;
  control.tab_stop = true;
  control.group = group;
  return control;
}

DialogControl ProgressBar(int width, int y) {
  DialogControl control;
  control.id = kProgressId;
  control.class_name = "NSProgress";
  control.x = kMargin;
  control.y = y;
  control.width = width - 2 * kMargin;
  control.height = kBarHeight;
  return control;
}

// The Cancel button of a progress dialog, at its bottom right.
DialogControl CancelButton(int width, int height) {
  DialogControl cancel = Button(kCancelId, "Cancel", width - kMargin - kButtonWidth,
                                height - kMargin - kButtonHeight, kButtonWidth, true);
  cancel.closes = true;
  return cancel;
}

Dialog Sized(std::string_view title, int width, int height) {
  Dialog dialog;
  dialog.title = std::string(title);
  dialog.client_width = width;
  dialog.client_height = height;
  return dialog;
}

}  // namespace

std::string_view AlertTitle(int language) { return kAlertTitles[KnownLanguage(language)]; }

std::string_view SavingTitle(SavingKind kind, int language) {
  const auto& titles =
      kind == SavingKind::kDocument ? kSavingDocumentTitles : kSavingLocationTitles;
  return titles[KnownLanguage(language)];
}

Dialog AlertDialog(int version, int language, std::string_view message) {
  // Version 4 puts the word first ("Alert - Netscape"), version 3 in brackets.
  Dialog dialog = Sized(WindowCaption(version, AlertTitle(language)), kAlertWidth, kAlertHeight);
  dialog.controls.push_back(Text(message, kMargin, kMargin, kAlertWidth - 2 * kMargin));
  DialogControl ok = Button(kOkId, "OK", (kAlertWidth - kButtonWidth) / 2,
                            kAlertHeight - kMargin - kButtonHeight, kButtonWidth, true);
  ok.closes = true;
  dialog.controls.push_back(ok);
  return dialog;
}

Dialog ModalDialog() {
  Dialog dialog = Sized("Security Information", kModalWidth, kModalHeight);
  const int right = kModalWidth - kMargin - kButtonWidth;
  const int bottom = kModalHeight - kMargin - kButtonHeight;
  dialog.controls.push_back(
      Text("You are about to leave a secure document.", kMargin, kMargin, right - 2 * kMargin));
  // Details shares the right edge with Continue but stands higher: only the bottom edge tells
  // the bottom-right button apart, and Details comes first.
  dialog.controls.push_back(Button(kDetailsId, "Details", right, kMargin, kButtonWidth, true));
  dialog.controls.push_back(
      Button(kCertificateId, "Show Certificate", kMargin, bottom, kWideButtonWidth, false));
  dialog.controls.push_back(
      Button(kHelpId, "Help", 2 * kMargin + kWideButtonWidth, bottom, kButtonWidth, false));
  DialogControl proceed = Button(kContinueId, "Continue", right, bottom, kButtonWidth, false);
  proceed.closes = true;
  dialog.controls.push_back(proceed);
  return dialog;
}

Dialog SavingDialog(SavingKind kind, int language, std::string_view location, bool with_bar) {
  Dialog dialog = Sized(SavingTitle(kind, language), kSavingWidth, kSavingHeight);
  dialog.controls.push_back(
      Text("Location " + std::string(location), kMargin, kMargin, kSavingWidth - 2 * kMargin));
  if (with_bar) dialog.controls.push_back(ProgressBar(kSavingWidth, kMargin + kTextHeight));
  dialog.controls.push_back(CancelButton(kSavingWidth, kSavingHeight));
  return dialog;
}

Dialog UntitledProgressDialog() {
  Dialog dialog = Sized("", kUntitledWidth, kUntitledHeight);
  dialog.controls.push_back(ProgressBar(kUntitledWidth, kMargin + kTextHeight));
  dialog.controls.push_back(CancelButton(kUntitledWidth, kUntitledHeight));
  return dialog;
}

}  // namespace standin
