#include "common/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace gryvel {

void AdviseHugePages(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
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

}  // namespace gryvel
