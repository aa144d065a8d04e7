// The one allocator of the system: every string and small object is allocated and freed here.
// Requests of at most 32 bytes come from a pool of 5,000 blocks made in one allocation at
// start-up; larger requests, and small ones once the pool is empty, go to the general heap.
// Running out of memory is reported through the installed handler and ends the process.
#pragma once

#include <cstddef>

namespace corvisant {

constexpr std::size_t kPoolBlockSize = 32;
constexpr std::size_t kPoolBlockCount = 5000;
constexpr std::size_t kPoolBytes = kPoolBlockSize * kPoolBlockCount;  // 160,000

// Told when the allocator cannot obtain memory. The real handler shows the memory message and
// ends the process with exit code -1; it never returns.
class MemoryFailureHandler {
 public:
  virtual ~MemoryFailureHandler() = default;
  virtual void ReportMemoryFailure(std::size_t size) = 0;
};

// The installed handler is Current<MemoryFailureHandler>(); while none is installed the
// allocator's own writes the message to stderr and exits with -1.

// Safe to call from any thread. Never returns null: a failure goes to the handler and ends the
// process.
void* Allocate(std::size_t size);
void Free(void* block);

// A NUL-terminated copy of text in a new block of its length plus one.
char* CopyString(const char* text);

// Observations for tests and diagnostics.
bool IsPoolBlock(const void* block);
std::size_t FreePoolBlockCount();

// The memory message, its title, and the exit code of the process after it.
constexpr const char* kMemoryFailureFormat = "Corvisant can't obtain %d bytes of memory.";
constexpr const char* kMemoryFailureTitle = "Error";
constexpr int kFatalExitCode = -1;
constexpr std::size_t kMemoryFailureTextMax = 128;

// The memory message filled with size. The size is written whole, even beyond what an int holds.
void FormatMemoryFailure(std::size_t size, char (&text)[kMemoryFailureTextMax]);

}  // namespace corvisant
