#include "common/allocator.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "common/process_wide.h"
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

// Any thread may allocate: the program's own, Wine's and the C++ runtime's. The pool's list is
// held for a few instructions at a time, so a spin lock costs one uncontended atomic exchange on
// the single-threaded path, where a mutex would cost a call into the thread library.
class PoolLock {
 public:
  void Lock() {
    while (held_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  }
  void Unlock() { held_.clear(std::memory_order_release); }

 private:
  std::atomic_flag held_ = ATOMIC_FLAG_INIT;
};

class PoolGuard {
 public:
  explicit PoolGuard(PoolLock& lock) : lock_(lock) { lock_.Lock(); }
  ~PoolGuard() { lock_.Unlock(); }
  PoolGuard(const PoolGuard&) = delete;
  PoolGuard& operator=(const PoolGuard&) = delete;

 private:
  PoolLock& lock_;
};

// Constant-initialised, so that it is ready before the first static constructor allocates.
PoolLock poolLock;

// The pool is made on the first request, which comes before main (static constructors allocate):
// that is the system's start-up as far as the pool can tell. Its address is written once, under
// the lock, and read without it by IsPoolBlock.
std::atomic<unsigned char*> pool{nullptr};
FreeBlock* freeList = nullptr;
std::size_t freeCount = 0;
bool poolTried = false;

MemoryFailureHandler& FailureHandler() {
  MemoryFailureHandler* installed = Current<MemoryFailureHandler>();
  return installed != nullptr ? *installed : defaultHandler;
}

[[noreturn]] void FailAllocation(std::size_t size) {
  FailureHandler().ReportMemoryFailure(size);
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

// Called with the lock held; false when the heap gave no room for the pool.
bool MakePool() {
  poolTried = true;
  auto* blocks = static_cast<unsigned char*>(std::malloc(kPoolBytes));
  if (blocks == nullptr) return false;
  // Pushed from the end so that the first block handed out is the lowest one.
  for (std::size_t i = kPoolBlockCount; i-- > 0;) PushFree(blocks + i * kPoolBlockSize);
  pool.store(blocks, std::memory_order_release);
  return true;
}

// A block of the pool, or null when the pool is empty or could not be made. The caller reports a
// failure outside the lock, since the handler may allocate on its way out.
unsigned char* TakePoolBlock(std::size_t size) {
  PoolGuard guard(poolLock);
  if (!poolTried) MakePool();
  if (freeList == nullptr) return nullptr;
  unsigned char* block = PopFree();
  PoisonMemory(block, kPoolBlockSize);
  // Even an empty request owns its first byte, so that freeing it twice can be seen.
  UnpoisonMemory(block, size > 0 ? size : 1);
  return block;
}

}  // namespace

void FormatMemoryFailure(std::size_t size, char (&text)[kMemoryFailureTextMax]) {
  // Formatted on the stack and without the allocator: there is no memory to ask for.
  const char* format = kMemoryFailureFormat;
  const char* number = std::strstr(format, "%d");
  std::snprintf(text, kMemoryFailureTextMax, "%.*s%llu%s", static_cast<int>(number - format),
                format, static_cast<unsigned long long>(size), number + 2);
}

bool IsPoolBlock(const void* block) {
  unsigned char* blocks = pool.load(std::memory_order_acquire);
  auto address = reinterpret_cast<std::uintptr_t>(block);
  auto start = reinterpret_cast<std::uintptr_t>(blocks);
  return blocks != nullptr && address >= start && address < start + kPoolBytes;
}

std::size_t FreePoolBlockCount() {
  PoolGuard guard(poolLock);
  return freeCount;
}

void* Allocate(std::size_t size) {
  if (size <= kPoolBlockSize) {
    if (unsigned char* block = TakePoolBlock(size)) return block;
    if (pool.load(std::memory_order_acquire) == nullptr) FailAllocation(kPoolBytes);
    size = kPoolBlockSize;
  }
  void* block = std::malloc(size);
  if (block == nullptr) FailAllocation(size);
  return block;
}

void Free(void* block) {
  if (block == nullptr) return;
  if (IsPoolBlock(block)) {
    PoolGuard guard(poolLock);
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
