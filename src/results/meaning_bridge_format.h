#pragma once

#include <cstdint>
#include <string_view>

// What the writer and the reader of the meaning bridge file share; docs/meaning_bridge_format.md
// describes the layout.

namespace gryvel::bridge_format {

inline constexpr std::string_view kMagic = "GRYVBRDG";
// A reader takes every minor version of its major version: a later minor version only adds
// sections, which the reader skips.
inline constexpr std::uint16_t kMajorVersion = 1;
inline constexpr std::uint16_t kMinorVersion = 0;
// Magic, major and minor version, section count.
inline constexpr std::uint32_t kHeaderSize = 16;
// Tag, offset and size of one section.
inline constexpr std::uint32_t kSectionEntrySize = 12;

// Four letters read as a little-endian number, as they lie in the file.
constexpr std::uint32_t Tag(const char (&name)[5]) {
  return static_cast<std::uint8_t>(name[0]) | static_cast<std::uint8_t>(name[1]) << 8 |
         static_cast<std::uint8_t>(name[2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[3])) << 24;
}
inline constexpr std::uint32_t kNoteTag = Tag("NOTE");          // source and licence
inline constexpr std::uint32_t kRussianWordsTag = Tag("RUWD");  // word table
inline constexpr std::uint32_t kEnglishWordsTag = Tag("ENWD");  // word table
inline constexpr std::uint32_t kRussianStemsTag = Tag("RUST");  // stem → English words
inline constexpr std::uint32_t kEnglishStemsTag = Tag("ENST");  // stem → Russian words

// A posting: the id of a word of the other language (low 24 bits) and its weight (high 8).
inline constexpr std::uint32_t kIdBits = 24;
inline constexpr std::uint32_t kMaxWords = 1u << kIdBits;
inline constexpr std::uint32_t kMaxWeight = 255;

}  // namespace gryvel::bridge_format
