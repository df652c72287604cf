#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// The LZSS decoder of compressed version-1 dictionary bodies.
//
// Stream format: groups of one flag byte followed by up to eight items, flag bits taken from
// the least significant bit. A 1 bit is a literal byte. A 0 bit is a two-byte reference into a
// 4096-byte ring of the most recent output: the first byte holds the low 8 bits of the ring
// position, the second byte's high nibble its high 4 bits and its low nibble the length - 3
// (lengths 3 to 18). The ring starts as zero bytes with the write position at 4078. There is no
// header and no end marker: the data ends where the input ends.
//
// Each Decode call owns its buffers, so calls on different threads do not interfere.

namespace gryvel::lzh {

// Size of the input pieces requested from the reader and the largest output piece written.
inline constexpr std::size_t kBufferSize = 262144;

// Fills `buffer` with up to `capacity` bytes and returns how many; 0 means end of input.
using TReadFn = std::function<std::size_t(std::uint8_t* buffer, std::size_t capacity)>;
// Takes the next `size` bytes of output; `data` is valid only during the call.
using TWriteFn = std::function<void(const std::uint8_t* data, std::size_t size)>;

// Decodes the whole input, delivering the output in order in non-empty pieces of at most
// kBufferSize bytes. Input that ends inside a group or an item yields what was decoded before
// it. Throws std::bad_alloc, before the first read, when its buffers cannot be allocated;
// exceptions of the callbacks pass through.
void Decode(const TReadFn& read, const TWriteFn& write);

}  // namespace gryvel::lzh
