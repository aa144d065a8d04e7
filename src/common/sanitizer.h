// Manual poisoning for AddressSanitizer, so that memory the system manages itself (the allocator's
// pool) is checked like the heap. Without AddressSanitizer these do nothing.
#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define CORVISANT_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVISANT_ASAN 1
#endif
#endif

#ifdef CORVISANT_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace corvisant {

#ifdef CORVISANT_ASAN
constexpr bool kAddressSanitizerActive = true;
#else
constexpr bool kAddressSanitizerActive = false;
#endif

inline void PoisonMemory(const volatile void* start, std::size_t size) {
#ifdef CORVISANT_ASAN
  ASAN_POISON_MEMORY_REGION(start, size);
#else
  (void)start;
  (void)size;
#endif
}

inline void UnpoisonMemory(const volatile void* start, std::size_t size) {
#ifdef CORVISANT_ASAN
  ASAN_UNPOISON_MEMORY_REGION(start, size);
#else
  (void)start;
  (void)size;
#endif
}

inline bool IsMemoryPoisoned(const volatile void* address) {
#ifdef CORVISANT_ASAN
  return __asan_address_is_poisoned(address) != 0;
#else
  (void)address;
  return false;
#endif
}

}  // namespace corvisant
