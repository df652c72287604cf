#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gryvel::testing {

// Compresses `size` bytes into the stream format lzh::Decode expands back to them. The program
// never compresses; this exists to build test inputs and benchmark data.
std::vector<std::uint8_t> LzssEncode(const std::uint8_t* data, std::size_t size);

}  // namespace gryvel::testing
