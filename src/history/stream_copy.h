// Copying a stream's bytes into another a block at a time, so that no file is held whole in
// memory whatever its size.
#pragma once

#include <cstdint>

#include "platform/file_stream.h"

namespace corvisant {

// Copied to the end of the file rather than a number of bytes.
constexpr std::int64_t kToTheEnd = -1;

// The bytes of from, from its start (length of them, or all), written to to at its position.
// False when they could not be read or written whole.
bool CopyStreamBytes(FileStream& from, FileStream& to, std::int64_t length);

}  // namespace corvisant
