#include "common/huge_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace gryvel {
namespace {

constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;

// Large blocks start on a huge-page boundary and the whole size asked for is usable; small
// ones come from the heap as they are.
TEST(HugePagesTest, LargeBlocksStartOnAHugePageAndHoldTheirSize) {
  for (std::size_t size : {std::size_t{1}, kLargeBlock - 1, kLargeBlock, std::size_t{5'000'001}}) {
    auto* block = static_cast<unsigned char*>(AllocateLarge(size));
    ASSERT_NE(nullptr, block) << size;
    if (size >= kLargeBlock) {
      EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(block) % kHuge) << size;
    }
    std::memset(block, 0xA5, size);
    EXPECT_EQ(0xA5, block[size - 1]);
    FreeLarge(block);
  }
  FreeLarge(nullptr);
}

TEST(HugePagesTest, AVectorOverTheAllocatorGrowsAcrossTheLargeSize) {
  std::vector<std::uint64_t, THugePageAllocator<std::uint64_t>> values;
  for (std::uint64_t k = 0; k < 400'000; ++k) values.push_back(k * 3);
  std::uint64_t sum = 0;
  for (std::uint64_t v : values) sum += v;
  EXPECT_EQ(3 * (400'000ull * 399'999 / 2), sum);
}

}  // namespace
}  // namespace gryvel
