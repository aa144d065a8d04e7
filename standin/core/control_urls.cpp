#include "standin/core/control_urls.h"

#include <map>

#include "standin/core/options.h"

namespace standin {
namespace {

constexpr std::string_view kControlScheme = "standin:";

// The value of key=value in "a=1&b=2"; empty when absent.
std::string_view QueryValue(std::string_view query, std::string_view key) {
  while (!query.empty()) {
    std::size_t amp = query.find('&');
    std::string_view pair = query.substr(0, amp);
    std::size_t equals = pair.find('=');
    if (pair.substr(0, equals) == key && equals != std::string_view::npos) {
      return pair.substr(equals + 1);
    }
    query.remove_prefix(amp == std::string_view::npos ? query.size() : amp + 1);
  }
  return {};
}

int LanguageOf(std::string_view value, int fallback) {
  if (value.size() != 1 || value[0] < '0' || value[0] >= '0' + kLanguageCount) return fallback;
  return value[0] - '0';
}

}  // namespace

bool IsControlUrl(std::string_view url) {
  return url.substr(0, kControlScheme.size()) == kControlScheme;
}

std::optional<ControlRequest> ParseControlUrl(std::string_view url, int default_language) {
  static const std::map<std::string_view, ControlKind> kNames = {
      {"alert", ControlKind::kAlert},     {"modal", ControlKind::kModal},
      {"progress", ControlKind::kSaving}, {"progress385", ControlKind::kUntitledProgress},
      {"quit", ControlKind::kQuit},
  };
  if (!IsControlUrl(url)) return std::nullopt;
  url.remove_prefix(kControlScheme.size());
  std::size_t question = url.find('?');
  auto name = kNames.find(url.substr(0, question));
  if (name == kNames.end()) return std::nullopt;
  std::string_view query = question == std::string_view::npos ? "" : url.substr(question + 1);
  ControlRequest request;
  request.kind = name->second;
  request.language = LanguageOf(QueryValue(query, "lang"), default_language);
  if (QueryValue(query, "kind") == "location") request.saving = SavingKind::kLocation;
  return request;
}

}  // namespace standin
