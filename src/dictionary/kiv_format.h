#pragma once

#include <cstddef>
#include <cstdint>

// Sizes and limits of the dictionary file format shared by its readers and its writer, and the
// little-endian integer coding it uses. The layouts are described in docs/dictionary_format.md.

namespace gryvel {

// Readers take the file in chunks of this many bytes; a version-2 record must fit one chunk.
inline constexpr std::size_t kReadChunk = 1'000'000;
// The header of a binary file is read into a buffer of this many bytes.
inline constexpr std::size_t kHeaderBuffer = 1'000'000;
// The longest word a version-2 record may hold.
inline constexpr std::uint32_t kMaxWordLength = 1000;

// Version-2 record: u32 size, flags A, flags B, u16 parts, u32 word length, then the word.
inline constexpr std::uint32_t kRecordFixedSize = 12;
inline constexpr std::uint8_t kRecordHasDescription = 0x01;  // flags A
inline constexpr std::uint8_t kRecordSingular = 0x20;        // flags B
inline constexpr std::uint8_t kRecordPlural = 0x40;          // flags B

// Version-1 record: flags, 3 unread bytes, u16 word length, then the word.
inline constexpr std::size_t kV1RecordFixedSize = 6;
inline constexpr std::uint8_t kV1RecordHasDescription = 0x40;

inline std::uint16_t LoadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t LoadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void StoreU32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

}  // namespace gryvel
