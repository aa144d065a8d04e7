// Whole-file helpers of the page store and its free-space check.
#pragma once

#include <cstdint>
#include <string>

#include "common/times.h"

namespace corvisant {

// Files are copied in blocks of this many bytes.
constexpr std::size_t kCopyBlockSize = 10240;
// Below this many megabytes (of 1,048,576 bytes) free, the user is warned.
constexpr double kFreeSpaceWarningMegabytes = 3.0;
constexpr double kBytesPerMegabyte = 1048576.0;

// The whole file as a NUL-terminated buffer. False (a short read reported with 40012) when it
// cannot be read whole; false without a report when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string* contents);
// Sets the file's end at length.
bool TruncateFile(const std::string& path, std::int64_t length);
enum class FileCopy { kNoSource, kFailed, kCopied };
// Copies source to target (target replaced; one 40005 when it cannot be written). Nothing happens
// when source cannot be opened; kCopied only when every byte was read and written.
FileCopy CopyFileByBlocks(const std::string& source, const std::string& target);
// Moves source to target by copying (target replaced; one 40005 when it cannot be written), then
// deletes source. Nothing happens when source cannot be opened; a copy that could not be read or
// written whole keeps the source.
void MoveFileByCopy(const std::string& source, const std::string& target);
// The file's modification time, 0 when it cannot be examined.
UnixTime FileModificationTime(const std::string& path);
// Warns (40023) when the store's disk has less than 3.0 MB free; a failure to ask is fatal
// (40022).
void CheckFreeSpace();
// The free megabytes as the warning shows them ("%5.1f").
std::string FormatFreeMegabytes(double megabytes);

}  // namespace corvisant
