#pragma once

#include <array>
#include <atomic>
#include <bit>
#include <cassert>
#include <cstddef>
#include <memory>
#include <type_traits>

// An append-only array in large fixed chunks: elements never move, so appending costs no
// copies and no doubled peak, and one thread may read what another has appended. Chunks are
// large enough for the allocator to map them on their own, so Clear gives the memory back to
// the system at once; pages of a chunk not yet written take no memory.
//
// Thread safety: one writer calls Append and Clear; readers on other threads may call Size
// and read elements below a Size they read, but not while Clear runs.

namespace gryvel {

template <typename T>
class TChunkedArray {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);

 public:
  // A power of two elements, so that an index splits into chunk and place by shifts, and more
  // than 32 MiB, the most the allocator ever serves from its heap: each chunk is then mapped
  // on its own and Clear gives it back whatever was freed before.
  static constexpr std::size_t kChunkSize = std::bit_ceil((std::size_t{33} << 20) / sizeof(T));
  static constexpr std::size_t kMaxChunks = 1024;

  TChunkedArray() = default;
  ~TChunkedArray() { Clear(); }
  TChunkedArray(const TChunkedArray&) = delete;
  TChunkedArray& operator=(const TChunkedArray&) = delete;

  // Appends `value` and makes it visible to readers; false, with nothing added, when full.
  bool Append(const T& value) {
    const std::size_t size = FSize.load(std::memory_order_relaxed);
    const std::size_t chunk = size / kChunkSize;
    if (size % kChunkSize == 0) {
      if (chunk == kMaxChunks) return false;
      // Not value-initialised: the pages stay untouched until written.
      FChunks[chunk].store(new T[kChunkSize], std::memory_order_relaxed);
    }
    FChunks[chunk].load(std::memory_order_relaxed)[size % kChunkSize] = value;
    FSize.store(size + 1, std::memory_order_release);
    return true;
  }

  std::size_t Size() const { return FSize.load(std::memory_order_acquire); }
  // REQUIRES: index < a Size read before.
  const T& operator[](std::size_t index) const {
    return FChunks[index / kChunkSize].load(std::memory_order_relaxed)[index % kChunkSize];
  }

  // Removes every element and frees every chunk.
  void Clear() {
    FSize.store(0, std::memory_order_relaxed);
    for (std::atomic<T*>& chunk : FChunks) delete[] chunk.exchange(nullptr);
  }

  // Bytes of the elements held (not of the chunks reserved for more).
  std::size_t Bytes() const { return Size() * sizeof(T); }

 private:
  std::atomic<std::size_t> FSize{0};
  std::array<std::atomic<T*>, kMaxChunks> FChunks{};
};

}  // namespace gryvel
