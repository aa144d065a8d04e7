#include "common/times.h"

#include <cstdio>

namespace corvisant {

std::uint32_t ToHistoryTime(UnixTime time) {
  return static_cast<std::uint32_t>(time) + kHistoryTimeOffset;
}

UnixTime FromHistoryTime(std::uint32_t stored) {
  return static_cast<UnixTime>(stored) - kHistoryTimeOffset;
}

std::string FormatDisplayLine(const std::tm& when, std::string_view title) {
  char stamp[64];
  int length =
      std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%02d ", when.tm_year + 1900,
                    when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  std::string line(stamp, static_cast<std::size_t>(length));
  line.append(title.substr(0, kDisplayTitleMax));
  return line;
}

std::string FormatLocalDisplayLine(UnixTime time, std::string_view title) {
  std::time_t value = static_cast<std::time_t>(time);
  const std::tm* local = std::localtime(&value);
  if (local == nullptr) {
    // Times the C library cannot place (damaged records) show as the epoch, not as garbage.
    std::tm epoch{};
    epoch.tm_year = 70;
    epoch.tm_mday = 1;
    return FormatDisplayLine(epoch, title);
  }
  return FormatDisplayLine(*local, title);
}

}  // namespace corvisant
