#pragma once

#include <array>
#include <cstdint>

// Upper and lower case of single code page 1251 bytes, as the code page's own case
// conversion gives them. Bytes that are not letters are their own upper and lower case.

namespace gryvel {

using TByteMap = std::array<std::uint8_t, 256>;

namespace cp1251_detail {

// Cyrillic capitals outside 0xC0-0xDF and their small letters.
inline constexpr std::uint8_t kExtraPairs[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr TByteMap MakeCaseMap(bool to_lower) {
  TByteMap map{};
  for (int x = 0; x < 256; ++x) map[x] = static_cast<std::uint8_t>(x);
  auto pair = [&](int upper, int lower) {
    if (to_lower)
      map[upper] = static_cast<std::uint8_t>(lower);
    else
      map[lower] = static_cast<std::uint8_t>(upper);
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 0x20);
  for (int c = 0xC0; c <= 0xDF; ++c) pair(c, c + 0x20);
  for (const auto& p : kExtraPairs) pair(p[0], p[1]);
  return map;
}

}  // namespace cp1251_detail

inline constexpr TByteMap kLowerCase = cp1251_detail::MakeCaseMap(true);
inline constexpr TByteMap kUpperCase = cp1251_detail::MakeCaseMap(false);

inline constexpr std::uint8_t Lower(std::uint8_t x) { return kLowerCase[x]; }
inline constexpr std::uint8_t Upper(std::uint8_t x) { return kUpperCase[x]; }

// True for every byte that is a letter of the code page (it has another case).
inline constexpr bool IsLetter(std::uint8_t x) { return kLowerCase[x] != kUpperCase[x]; }

}  // namespace gryvel
