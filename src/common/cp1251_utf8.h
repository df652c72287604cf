#pragma once

#include <string>
#include <string_view>

#include "common/status.h"

// Conversion between code page Windows-1251 bytes (the engine's text) and UTF-8 (the
// world outside). Byte 0x98, which the code page leaves unassigned, is carried as U+0098 so
// that every byte string survives a round trip.

namespace gryvel {

// Returns `cp1251` as UTF-8. Never fails: every byte has a character.
std::string Cp1251ToUtf8(std::string_view cp1251);

// Stores `utf8` as code page 1251 bytes in *out and returns OK. Fails on malformed UTF-8
// (stray or missing continuation bytes, overlong forms, surrogates, values past U+10FFFF)
// and on a character the code page cannot hold; then *out is untouched and the message,
// which quotes the character, is UTF-8.
TStatus Utf8ToCp1251(std::string_view utf8, std::string* out);

// A native (UTF-8) file name as code page 1251 text, for messages: a character the code page
// cannot hold, and a byte that is not valid UTF-8, becomes "?".
std::string PathForMessage(std::string_view path);

}  // namespace gryvel
