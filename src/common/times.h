// Time values: whole seconds since 1970 (Unix time) everywhere, shifted to the 1904-based clock of
// the history files only where those files are read and written.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace corvisant {

using UnixTime = std::int64_t;

// Seconds from 1904-01-01 on a clock nine hours ahead of UTC to 1970-01-01 UTC.
constexpr std::uint32_t kHistoryTimeOffset = 2082877200u;  // 0x7C262F10

// The times the history files can hold: their 32-bit clock from 0 to its last second.
constexpr UnixTime kEarliestHistoryTime = -static_cast<UnixTime>(kHistoryTimeOffset);
constexpr UnixTime kLatestHistoryTime = 0xFFFFFFFFll - kHistoryTimeOffset;

std::uint32_t ToHistoryTime(UnixTime time);
UnixTime FromHistoryTime(std::uint32_t stored);

// The longest title a display line shows.
constexpr std::size_t kDisplayTitleMax = 512;

// "%04d/%02d/%02d %02d:%02d:%02d %s": the given calendar time and the title cut to 512 bytes.
std::string FormatDisplayLine(const std::tm& when, std::string_view title);
// The same with the time shown in local time.
std::string FormatLocalDisplayLine(UnixTime time, std::string_view title);

}  // namespace corvisant
