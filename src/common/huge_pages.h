#pragma once

#include <cstddef>
#include <limits>
#include <new>

// Large buffers that are filled once, quickly (the text of a word list while it loads, its
// sort keys, a dictionary's entry records and index), cost more in page faults than in the
// filling: backing them with huge pages where the system offers them on request saves most of
// that.

namespace gryvel {

// Asks for huge pages for the whole 2 MiB blocks inside [data, data + size); does nothing for
// smaller buffers or where the system does not offer them. Call before the buffer is touched.
void AdviseHugePages(void* data, std::size_t size);

// Memory for a buffer that will be filled whole. From kLargeBlock bytes on, the block starts
// on a 2 MiB boundary and its untouched tail is rounded up to whole 2 MiB blocks, all advised
// for huge pages, so that filling it takes one page fault per 2 MiB instead of one per 4 KiB;
// smaller sizes come from the ordinary heap. Null when memory runs out.
inline constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
void* AllocateLarge(std::size_t size);
// Releases a block from AllocateLarge; nothing for null.
void FreeLarge(void* block) noexcept;

// A standard allocator over AllocateLarge, for the vectors that hold a pointer per entry.
template <class T>
struct THugePageAllocator {
  using value_type = T;

  THugePageAllocator() = default;
  template <class U>
  THugePageAllocator(const THugePageAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    void* block = AllocateLarge(n * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* block, std::size_t) noexcept { FreeLarge(block); }

  friend bool operator==(const THugePageAllocator&, const THugePageAllocator&) { return true; }
};

}  // namespace gryvel
