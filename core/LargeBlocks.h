// Storage for the lists' record arrays: large blocks are aligned to 2 MiB and offered to an
// advice function the host platform installs (on Linux: large pages). A list of 262,144
// 564-byte records spans 36,000 small pages; walking it cold costs several times more in
// address translation than in reading the records.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

namespace ordonna {

using LargeBlockAdvice = void (*)(void* block, std::size_t bytes);
void SetLargeBlockAdvice(LargeBlockAdvice advice);

void* AllocateBlock(std::size_t bytes);
// REQUIRES: `bytes` as given to AllocateBlock.
void FreeBlock(void* block, std::size_t bytes);

// A stateless allocator over the two above.
template <typename T>
struct LargeBlockAllocator {
  using value_type = T;

  LargeBlockAllocator() = default;
  template <typename U>
  explicit LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

  T* allocate(std::size_t count) { return static_cast<T*>(AllocateBlock(count * sizeof(T))); }
  void deallocate(T* block, std::size_t count) { FreeBlock(block, count * sizeof(T)); }

  // Growing leaves new records as they come: every record is written (appended, read, or
  // zeroed when the count grows) before it is used, and a list of 262,144 is not cleared twice.
  template <typename U>
  void construct(U* at) noexcept {
    ::new (static_cast<void*>(at)) U;
  }
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator&) { return true; }
};

}  // namespace ordonna
