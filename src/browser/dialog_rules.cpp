#include "browser/dialog_rules.h"

#include <algorithm>
#include <iterator>

namespace corvisant {

using namespace dialog_rule;

const std::string_view kAlertTitles[kLanguageCount] = {
    "Alert",   "\x8C\x78\x8D\x90", "Message d'alerte", "Avviso",  "Warnmeldung",
    "Alertar", "Advarsel",         "Waarschuwen",      "Varning",
};
const std::string_view kSavingDocumentTitles[kLanguageCount] = {
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
const std::string_view kSavingLocationTitles[kLanguageCount] = {
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

namespace {

bool InTable(const std::string_view (&table)[kLanguageCount], std::string_view title) {
  return std::find(std::begin(table), std::end(table), title) != std::end(table);
}

std::string_view Cut(std::string_view text, std::size_t max) { return text.substr(0, max); }

}  // namespace

// The caption's added text is taken off by its length only; it is not compared.
bool IsBrowserAlertTitle(std::string_view title, int browserVersion) {
  title = Cut(title, kAlertTitleMax);
  std::string_view inner;
  if (browserVersion < kCommunicatorVersion) {
    if (title.size() <= kNavigatorCaptionHead + kNavigatorCaptionTail) return false;
    inner = title.substr(kNavigatorCaptionHead,
                         title.size() - kNavigatorCaptionHead - kNavigatorCaptionTail);
  } else {
    if (title.size() <= kCommunicatorCaptionTail) return false;
    inner = title.substr(0, title.size() - kCommunicatorCaptionTail);
  }
  return InTable(kAlertTitles, inner);
}

bool IsProgressTitle(std::string_view title) {
  title = Cut(title, kProgressTitleMax);
  return InTable(kSavingDocumentTitles, title) || InTable(kSavingLocationTitles, title);
}

bool ShowsProgress(const ChildFacts& child) {
  if (Cut(child.className, kClassNameMax) == kProgressClass) return true;
  std::string_view text = Cut(child.text, kChildTextMax);
  bool clock = text.size() > kClockColonSecond && text[kClockColonFirst] == ':' &&
               text[kClockColonSecond] == ':';
  return clock || (!text.empty() && text.back() == '%');
}

bool IsProgressDialog(const ProgressFacts& facts) {
  if (IsProgressTitle(facts.title)) return true;
  if (facts.clientWidth == kProgressClientWidth && facts.clientHeight == kProgressClientHeight) {
    return true;
  }
  return std::any_of(facts.children.begin(), facts.children.end(), ShowsProgress);
}

bool IsTabStopButtonStyle(std::uint32_t style) {
  std::uint32_t masked = style & kButtonStyleMask;
  return masked == window_style::kTabStop ||
         masked == (window_style::kGroup | window_style::kTabStop);
}

bool DialogRules::IsBrowserAlert(WindowHandle window) {
  return IsBrowserAlertTitle(desktop_.WindowText(window), browserVersion_);
}

// Read in the order of the rule: the title, the client area, then each child until one shows
// progress.
bool DialogRules::IsBrowserProgressDialog(WindowHandle window) {
  if (IsProgressTitle(desktop_.WindowText(window))) return true;
  std::optional<ScreenRect> client = desktop_.ClientRect(window);
  if (client && client->right - client->left == kProgressClientWidth &&
      client->bottom - client->top == kProgressClientHeight) {
    return true;
  }
  for (WindowHandle child : desktop_.ChildWindows(window)) {
    if (ShowsProgress({desktop_.ClassName(child), desktop_.WindowText(child)})) return true;
  }
  return false;
}

bool DialogRules::HasModalFrameAndTabStop(WindowHandle window) {
  if ((desktop_.ExtendedStyle(window) & window_style::kDialogModalFrame) == 0) return false;
  std::vector<WindowHandle> children = desktop_.ChildWindows(window);
  return std::any_of(children.begin(), children.end(), [this](WindowHandle child) {
    return IsTabStopButtonStyle(desktop_.Style(child));
  });
}

bool DialogRules::IsCandidate(WindowHandle window, std::uint32_t browserProcessId) {
  if (browserProcessId == 0 || desktop_.ProcessOf(window) != browserProcessId) return false;
  return IsBrowserAlert(window) || HasModalFrameAndTabStop(window);
}

}  // namespace corvisant
