#include "dictionary/lzh.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace gryvel::lzh {

namespace {

constexpr std::size_t kRingSize = 4096;
constexpr std::size_t kRingMask = kRingSize - 1;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kThreshold = 2;
constexpr std::size_t kRingStart = kRingSize - kMaxMatch;

// Half a megabyte: on the heap, one block per call.
struct TBuffers {
  std::uint8_t input[kBufferSize];
  std::uint8_t output[kBufferSize];
  std::uint8_t ring[kRingSize + kMaxMatch - 1];
};

}  // namespace

void Decode(const TReadFn& read, const TWriteFn& write) {
  // Uninitialised: only the ring needs a known content.
  const auto buffers = std::make_unique_for_overwrite<TBuffers>();
  std::uint8_t* const input = buffers->input;
  std::uint8_t* const output = buffers->output;
  std::uint8_t* const ring = buffers->ring;
  std::memset(ring, 0, sizeof buffers->ring);

  // The cursors are plain locals so that the per-byte paths stay in registers; the callbacks
  // run only once per buffer.
  std::size_t in_pos = 0;
  std::size_t in_fill = 0;
  std::size_t out_fill = 0;
  std::size_t r = kRingStart;

  const auto next = [&](std::uint8_t& byte) -> bool {
    if (in_pos == in_fill) [[unlikely]] {
      in_fill = std::min(read(input, kBufferSize), kBufferSize);
      in_pos = 0;
      if (in_fill == 0) return false;
    }
    byte = input[in_pos++];
    return true;
  };
  const auto flush = [&] {
    if (out_fill != 0) write(output, out_fill);
    out_fill = 0;
  };

  unsigned flags = 0;
  for (;;) {
    flags >>= 1;
    if ((flags & 0xFF00) == 0) {
      std::uint8_t c;
      if (!next(c)) break;
      flags = c | 0xFF00u;  // the high byte counts the eight items of the group
    }
    std::uint8_t c;
    if (!next(c)) break;
    if (flags & 1) {
      output[out_fill++] = c;
      ring[r] = c;
      r = (r + 1) & kRingMask;
      if (out_fill == kBufferSize) flush();
      continue;
    }
    std::uint8_t d;
    if (!next(d)) break;
    const std::size_t position = c | (static_cast<std::size_t>(d & 0xF0) << 4);
    const std::size_t count = (d & 0x0F) + kThreshold + 1;
    // Byte by byte in ring order: a reference may overlap the bytes it is writing.
    for (std::size_t k = 0; k < count; ++k) {
      const std::uint8_t b = ring[(position + k) & kRingMask];
      output[out_fill++] = b;
      ring[r] = b;
      r = (r + 1) & kRingMask;
      if (out_fill == kBufferSize) flush();
    }
  }
  flush();
}

}  // namespace gryvel::lzh
