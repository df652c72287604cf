#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The header of a dictionary file as the dictionary object holds it. Texts are code page 1251
// bytes. The byte layouts are described in docs/dictionary_format.md.

namespace gryvel {

// Header flags. Both protections fix the entries and the properties; with kHeadReadOnly the
// properties dialog is read-only too.
inline constexpr std::uint8_t kHeadReadOnly = 0x01;
inline constexpr std::uint8_t kHeadProtected = 0x02;
inline constexpr std::uint8_t kHeadSixthText = 0x04;   // the sixth header text is written
inline constexpr std::uint8_t kHeadCompressed = 0x10;  // version 1: the body is compressed

// The signature of a binary dictionary file.
inline constexpr std::string_view kDictSignature = "kiv";

// Character sets chosen by the language code.
inline constexpr std::uint8_t kCharSetAnsi = 0;        // "ENG"
inline constexpr std::uint8_t kCharSetCyrillic = 204;  // "RUS"
inline constexpr std::uint8_t kCharSetDefault = 1;     // before any language is known

struct TDictHead {
  std::string Signature;       // "kiv" for a binary file, else empty; at most 3 bytes
  std::uint32_t HeadSize = 0;  // version 2: header length after offset 7; version 1: body offset
  std::uint64_t FileSize = 0;  // size of the file when the header was read; the progress measure
  std::uint32_t Count = 0;     // entry count
  std::uint8_t Flags = 0;      // kHead* bits
  std::uint32_t Version = 0;
  std::uint32_t Reserved = 0;                    // carried through unchanged
  std::array<std::uint8_t, 10> ReservedBytes{};  // carried through unchanged
  std::string Language;                          // "ENG", "RUS" or anything else; at most 3 bytes
  std::string Title;
  std::string Comments;
  std::string Author;
  std::string Email;
  std::string Web;
  std::string Sixth;  // written only with kHeadSixthText; never read back

  bool operator==(const TDictHead&) const = default;
};

// The character set `language` selects; `current` when it selects none.
inline std::uint8_t CharSetForLanguage(std::string_view language, std::uint8_t current) {
  if (language == "ENG") return kCharSetAnsi;
  if (language == "RUS") return kCharSetCyrillic;
  return current;
}

}  // namespace gryvel
