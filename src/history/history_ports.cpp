#include "history/history_ports.h"

namespace corvisant {
namespace {
// The browser's title request keeps at most this many bytes.
constexpr std::size_t kBrowserTitleMax = 512;
}  // namespace

std::string AskBrowserTitle() {
  BrowserTitleSource* source = Current<BrowserTitleSource>();
  if (source == nullptr) return std::string();
  std::string title = source->GetBrowserTitle();
  if (title.size() > kBrowserTitleMax) title.resize(kBrowserTitleMax);
  return title;
}

bool ShowVisitLine(std::string_view line) {
  HistoryWindowView* window = Current<HistoryWindowView>();
  return window != nullptr && window->AddVisitLine(line);
}

}  // namespace corvisant
