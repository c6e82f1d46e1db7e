// Large blocks aligned for large pages, with the platform's advice.
#include "core/LargeBlocks.h"

#include <atomic>
#include <new>

namespace ordonna {
namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
// Below two large pages the advice cannot pay for the rounding.
constexpr std::size_t kLargeBlock = 2 * kLargePage;

std::atomic<LargeBlockAdvice> g_advice{nullptr};

}  // namespace

void SetLargeBlockAdvice(LargeBlockAdvice advice) { g_advice.store(advice); }

void* AllocateBlock(std::size_t bytes) {
  if (bytes < kLargeBlock) return ::operator new(bytes);
  void* block = ::operator new (bytes, std::align_val_t{kLargePage});
  // Before the first touch: the pages are chosen when they are first written.
  if (LargeBlockAdvice advice = g_advice.load()) advice(block, bytes);
  return block;
}

void FreeBlock(void* block, std::size_t bytes) {
  if (bytes < kLargeBlock) {
    ::operator delete(block, bytes);
  } else {
    ::operator delete (block, bytes, std::align_val_t{kLargePage});
  }
}

}  // namespace ordonna
