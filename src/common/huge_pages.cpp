#include "common/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace gryvel {

namespace {

constexpr std::size_t kHuge = std::size_t{2} << 20;

}  // namespace

void AdviseHugePages(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
  const std::uintptr_t last = (begin + size) & ~(kHuge - 1);
  // A refusal only leaves ordinary pages.
  if (last > first) (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

void* AllocateLarge(std::size_t size) {
  if (size < kLargeBlock) return std::malloc(size == 0 ? 1 : size);
  if (size > SIZE_MAX - kHuge) return nullptr;
  // The rounded tail is never touched unless huge pages back it, so it costs no memory
  // where there are none.
  const std::size_t rounded = (size + kHuge - 1) & ~(kHuge - 1);
  void* block = std::aligned_alloc(kHuge, rounded);
  if (block != nullptr) AdviseHugePages(block, rounded);
  return block;
}

void FreeLarge(void* block) noexcept {
  std::free(block);
}

}  // namespace gryvel
