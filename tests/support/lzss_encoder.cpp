#include "support/lzss_encoder.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace gryvel::testing {

namespace {

constexpr std::size_t kRingSize = 4096;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kRingStart = kRingSize - kMaxMatch;
// A source further back than this might have been overwritten in the decoder's ring by the time
// the match reads it; the margin keeps the reasoning trivial at no real cost.
constexpr std::size_t kMaxDistance = kRingSize - kMaxMatch;
constexpr std::size_t kHashBits = 15;
constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);
// Bounds the search on highly repetitive input; the match found is then merely good.
constexpr int kMaxChain = 48;

std::size_t Hash(const std::uint8_t* p) {
  const std::uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
  return (v * 2654435761u) >> (32 - kHashBits);
}

// Hash chains over input positions: the newest position with each hash, and for each position
// within the window the previous one with the same hash.
class TMatchFinder {
 public:
  TMatchFinder(const std::uint8_t* data, std::size_t size)
      : data_(data),
        size_(size),
        head_(std::size_t{1} << kHashBits, kNoPosition),
        prev_(kRingSize, kNoPosition) {}

  void Insert(std::size_t pos) {
    if (pos + kMinMatch > size_) return;
    std::size_t& head = head_[Hash(data_ + pos)];
    prev_[pos % kRingSize] = head;
    head = pos;
  }

  // The longest earlier match for `pos` as {source, length}; length < kMinMatch if none.
  std::pair<std::size_t, std::size_t> Find(std::size_t pos) const {
    const std::size_t limit = std::min(kMaxMatch, size_ - pos);
    std::size_t best_source = 0;
    std::size_t best_length = 0;
    if (limit < kMinMatch) return {best_source, best_length};
    std::size_t candidate = head_[Hash(data_ + pos)];
    for (int chain = 0; chain < kMaxChain && candidate != kNoPosition && candidate < pos &&
                        pos - candidate <= kMaxDistance;
         ++chain) {
      std::size_t length = 0;
      while (length < limit && data_[candidate + length] == data_[pos + length]) ++length;
      if (length > best_length) {
        best_source = candidate;
        best_length = length;
        if (length == limit) break;
      }
      const std::size_t older = prev_[candidate % kRingSize];
      if (older >= candidate) break;  // the slot was reused by a newer position
      candidate = older;
    }
    return {best_source, best_length};
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::vector<std::size_t> head_;
  std::vector<std::size_t> prev_;
};

}  // namespace

std::vector<std::uint8_t> LzssEncode(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> out;
  out.reserve(size + size / 8 + 1);
  const auto finder = std::make_unique<TMatchFinder>(data, size);
  std::size_t flag_at = 0;
  unsigned items = 8;  // items in the current group; 8 means a new group is due
  std::size_t pos = 0;
  while (pos < size) {
    if (items == 8) {
      flag_at = out.size();
      out.push_back(0);
      items = 0;
    }
    const auto [source, length] = finder->Find(pos);
    std::size_t taken = 1;
    if (length >= kMinMatch) {
      // Output byte j sits at ring position (kRingStart + j) mod kRingSize in the decoder.
      const std::size_t ring_pos = (kRingStart + source) % kRingSize;
      out.push_back(static_cast<std::uint8_t>(ring_pos & 0xFF));
      out.push_back(static_cast<std::uint8_t>(((ring_pos >> 4) & 0xF0) | (length - kMinMatch)));
      taken = length;
    } else {
      out[flag_at] |= static_cast<std::uint8_t>(1u << items);
      out.push_back(data[pos]);
    }
    ++items;
    for (std::size_t k = 0; k < taken; ++k) finder->Insert(pos + k);
    pos += taken;
  }
  return out;
}

}  // namespace gryvel::testing
