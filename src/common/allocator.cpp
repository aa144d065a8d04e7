#include "common/allocator.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/sanitizer.h"

namespace corvisant {
namespace {

struct FreeBlock {
  FreeBlock* next;
};

class DefaultMemoryFailureHandler : public MemoryFailureHandler {
 public:
  void ReportMemoryFailure(std::size_t size) override {
    char text[kMemoryFailureTextMax];
    FormatMemoryFailure(size, text);
    std::fprintf(stderr, "%s: %s\n", kMemoryFailureTitle, text);
    std::fflush(stderr);
    std::_Exit(kFatalExitCode);
  }
};

DefaultMemoryFailureHandler defaultHandler;
MemoryFailureHandler* failureHandler = &defaultHandler;

// The pool is made on the first request, which comes before main (static constructors allocate):
// that is the system's start-up as far as the pool can tell.
unsigned char* pool = nullptr;
FreeBlock* freeList = nullptr;
std::size_t freeCount = 0;
bool poolTried = false;

[[noreturn]] void FailAllocation(std::size_t size) {
  failureHandler->ReportMemoryFailure(size);
  // A handler must not return; if one does, there is still no memory to hand out.
  std::abort();
}

// Only sanitizer builds can tell: a free pool block is poisoned there.
[[noreturn]] void ReportBadFree(const void* block) {
  std::fprintf(stderr, "Corvisant: pool block %p freed twice\n", block);
  std::abort();
}

void PushFree(unsigned char* block) {
  UnpoisonMemory(block, kPoolBlockSize);
  auto* entry = reinterpret_cast<FreeBlock*>(block);
  entry->next = freeList;
  freeList = entry;
  ++freeCount;
  PoisonMemory(block, kPoolBlockSize);
}

unsigned char* PopFree() {
  FreeBlock* entry = freeList;
  UnpoisonMemory(entry, sizeof(FreeBlock));
  freeList = entry->next;
  --freeCount;
  return reinterpret_cast<unsigned char*>(entry);
}

void MakePool() {
  poolTried = true;
  pool = static_cast<unsigned char*>(std::malloc(kPoolBytes));
  if (pool == nullptr) FailAllocation(kPoolBytes);
  // Pushed from the end so that the first block handed out is the lowest one.
  for (std::size_t i = kPoolBlockCount; i-- > 0;) PushFree(pool + i * kPoolBlockSize);
}

}  // namespace

void FormatMemoryFailure(std::size_t size, char (&text)[kMemoryFailureTextMax]) {
  // Formatted on the stack and without the allocator: there is no memory to ask for.
  const char* format = kMemoryFailureFormat;
  const char* number = std::strstr(format, "%d");
  std::snprintf(text, kMemoryFailureTextMax, "%.*s%llu%s", static_cast<int>(number - format),
                format, static_cast<unsigned long long>(size), number + 2);
}

MemoryFailureHandler* SetMemoryFailureHandler(MemoryFailureHandler* handler) {
  MemoryFailureHandler* previous = failureHandler;
  failureHandler = handler != nullptr ? handler : &defaultHandler;
  return previous;
}

bool IsPoolBlock(const void* block) {
  auto address = reinterpret_cast<std::uintptr_t>(block);
  auto start = reinterpret_cast<std::uintptr_t>(pool);
  return pool != nullptr && address >= start && address < start + kPoolBytes;
}

std::size_t FreePoolBlockCount() { return freeCount; }

void* Allocate(std::size_t size) {
  if (size <= kPoolBlockSize) {
    if (!poolTried) MakePool();
    if (freeList != nullptr) {
      unsigned char* block = PopFree();
      PoisonMemory(block, kPoolBlockSize);
      // Even an empty request owns its first byte, so that freeing it twice can be seen.
      UnpoisonMemory(block, size > 0 ? size : 1);
      return block;
    }
    size = kPoolBlockSize;
  }
  void* block = std::malloc(size);
  if (block == nullptr) FailAllocation(size);
  return block;
}

void Free(void* block) {
  if (block == nullptr) return;
  if (IsPoolBlock(block)) {
    if (IsMemoryPoisoned(block)) ReportBadFree(block);
    PushFree(static_cast<unsigned char*>(block));
    return;
  }
  std::free(block);
}

char* CopyString(const char* text) {
  std::size_t length = std::strlen(text);
  auto* copy = static_cast<char*>(Allocate(length + 1));
  std::memcpy(copy, text, length + 1);
  return copy;
}

}  // namespace corvisant
