#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"

// Conversion between code page Windows-1251 bytes (the engine's text) and UTF-8 (the
// world outside). Byte 0x98, which the code page leaves unassigned, is carried as U+0098 so
// that every byte string survives a round trip.

namespace gryvel {

// Returns `cp1251` as UTF-8. Never fails: every byte has a character.
std::string Cp1251ToUtf8(std::string_view cp1251);

// The first character of a text that code page 1251 cannot hold, placed as a text edit shows
// it. A shown character is a character with the combining marks, variation selectors, skin
// tones and zero-width joins that follow it, so "e" with U+0301 is one shown character.
struct TUnstorable {
  char32_t Code = 0;          // the character; 0 where the text is not valid UTF-8
  std::size_t Position = 0;   // 1-based number of the shown character that holds it
  std::size_t Utf16Start = 0;   // that shown character in UTF-16 units, as text edits count
  std::size_t Utf16Length = 0;  // (a character past U+FFFF takes two)
  std::string Shown;          // UTF-8 of that shown character; empty for malformed UTF-8
  std::string Message;        // the engine's words for it, English, UTF-8
};

// Whether `utf8` can be stored in code page 1251: nullopt when it can, else its first
// character that cannot, or its first malformed sequence (stray or missing continuation
// bytes, overlong forms, surrogates, values past U+10FFFF).
std::optional<TUnstorable> FindUnstorable(std::string_view utf8);

// Stores `utf8` as code page 1251 bytes in *out and returns OK. Fails where FindUnstorable
// finds something, with its message; then *out is untouched.
TStatus Utf8ToCp1251(std::string_view utf8, std::string* out);

// A native (UTF-8) file name as code page 1251 text, for messages: a character the code page
// cannot hold, and a byte that is not valid UTF-8, becomes "?".
std::string PathForMessage(std::string_view path);

}  // namespace gryvel
