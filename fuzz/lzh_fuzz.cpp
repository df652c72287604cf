// Arbitrary bytes as a compressed stream: no crash, no out-of-bounds access, output bounded by
// the input, and ExpandStream agrees with Decode. The input is also compressed with the test
// encoder and must expand back to itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "dictionary/crypt_lib.h"
#include "dictionary/lzh.h"
#include "support/lzss_encoder.h"

namespace {

// Decodes `data`, handing it over in reads of at most `chunk` bytes.
std::vector<std::uint8_t> DecodeInChunks(const std::uint8_t* data, std::size_t size,
                                         std::size_t chunk) {
  std::vector<std::uint8_t> output;
  std::size_t at = 0;
  gryvel::lzh::Decode(
      [&](std::uint8_t* buffer, std::size_t capacity) {
        std::size_t n = size - at;
        if (n > capacity) n = capacity;
        if (n > chunk) n = chunk;
        for (std::size_t k = 0; k < n; ++k) buffer[k] = data[at + k];
        at += n;
        return n;
      },
      [&](const std::uint8_t* piece, std::size_t n) {
        if (n == 0 || n > gryvel::lzh::kBufferSize) std::abort();
        output.insert(output.end(), piece, piece + n);
      });
  return output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A literal is one byte in and out; a reference two bytes in and at most 18 out.
  const std::vector<std::uint8_t> whole = DecodeInChunks(data, size, gryvel::lzh::kBufferSize);
  if (whole.size() > 9 * size) std::abort();
  if (size != 0 && DecodeInChunks(data, size, 1 + data[0] % 7) != whole) std::abort();

  std::vector<std::uint8_t> stream(data, data + size);
  gryvel::TCryptLib crypt;
  crypt.ExpandStream(stream);
  if (stream != whole) std::abort();

  const std::vector<std::uint8_t> packed = gryvel::testing::LzssEncode(data, size);
  if (DecodeInChunks(packed.data(), packed.size(), gryvel::lzh::kBufferSize) !=
      std::vector<std::uint8_t>(data, data + size)) {
    std::abort();
  }
  return 0;
}
