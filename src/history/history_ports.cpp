#include "history/history_ports.h"

namespace corvisant {
namespace {
// The browser's title request keeps at most this many bytes.
constexpr std::size_t kBrowserTitleMax = 512;
}  // namespace

HistoryPorts& CurrentHistoryPorts() {
  static HistoryPorts ports;
  return ports;
}

HistoryPorts InstallHistoryPorts(const HistoryPorts& ports) {
  HistoryPorts previous = CurrentHistoryPorts();
  CurrentHistoryPorts() = ports;
  return previous;
}

std::string AskBrowserTitle() {
  BrowserTitleSource* source = CurrentHistoryPorts().browserTitle;
  if (source == nullptr) return std::string();
  std::string title = source->GetBrowserTitle();
  if (title.size() > kBrowserTitleMax) title.resize(kBrowserTitleMax);
  return title;
}

bool ShowVisitLine(std::string_view line) {
  HistoryWindowView* window = CurrentHistoryPorts().historyWindow;
  return window != nullptr && window->AddVisitLine(line);
}

}  // namespace corvisant
