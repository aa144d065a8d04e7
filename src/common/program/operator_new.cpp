// Routes every C++ allocation of the program through the system's allocator, so that strings and
// containers obey the same pool and the same memory-failure rule as everything else. Linked into
// each executable (an object library), never into a static library, so the replacement is certain.
#include <cstddef>
#include <new>

#include "common/allocator.h"

void* operator new(std::size_t size) { return corvisant::Allocate(size); }
void* operator new[](std::size_t size) { return corvisant::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return corvisant::Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return corvisant::Allocate(size);
}
void operator delete(void* block) noexcept { corvisant::Free(block); }
void operator delete[](void* block) noexcept { corvisant::Free(block); }
void operator delete(void* block, std::size_t) noexcept { corvisant::Free(block); }
void operator delete[](void* block, std::size_t) noexcept { corvisant::Free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { corvisant::Free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { corvisant::Free(block); }
