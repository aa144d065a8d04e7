// The string table of the messages that failures are reported with (ids in
// platform/message_ids.h). One table serves the program and the tool alike.
#pragma once

#include <cstddef>

namespace corvisant {

// The longest message text the table hands out, as the string-table load has always cut it.
constexpr std::size_t kMessageTextMax = 1023;

// The format text of message id, or null when the table has no such message.
const char* MessageText(int id);

}  // namespace corvisant
