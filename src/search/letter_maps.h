#pragma once

#include <cstdint>

#include "common/cp1251_case.h"

// The process-wide letter maps that every search and every word order compares through.
// Only the user-interface thread changes them; searches read them without locking.

namespace gryvel {

namespace letter_maps_detail {
extern const TByteMap* gMatchMap;
extern TByteMap gCollationMap;
}  // namespace letter_maps_detail

// The current search manager's map (case kept or folded, equal letters applied); the
// identity while no search manager exists.
inline const TByteMap& MatchMap() {
  return *letter_maps_detail::gMatchMap;
}

// Lower case with Ё and ё both as е once a character manager exists; the identity before.
inline const TByteMap& CollationMap() {
  return letter_maps_detail::gCollationMap;
}

// Every byte mapped to itself.
const TByteMap& IdentityMap();

// Points MatchMap at `map`, or back at the identity for nullptr. `map` must outlive its use.
void SetMatchMap(const TByteMap* map);

// Fills CollationMap with the lower-case map with Ё/ё folded to е.
void FillCollationMap();

// Returns both maps to their start-up state (identity). For tests.
void ResetLetterMaps();

// The fixed letter classes of the pattern language, as 256-bit sets.
struct TLetterSet {
  std::uint8_t Bits[32] = {};

  bool Contains(std::uint8_t x) const { return (Bits[x >> 3] >> (x & 7)) & 1; }
  void Add(std::uint8_t x) { Bits[x >> 3] |= static_cast<std::uint8_t>(1u << (x & 7)); }
  void Remove(std::uint8_t x) { Bits[x >> 3] &= static_cast<std::uint8_t>(~(1u << (x & 7))); }
  void AddAll(const TLetterSet& other) {
    for (int i = 0; i < 32; ++i) Bits[i] |= other.Bits[i];
  }
  bool IsFull() const {
    for (std::uint8_t b : Bits)
      if (b != 0xFF) return false;
    return true;
  }
  bool operator==(const TLetterSet&) const = default;
};

// А Е Ё И О У Ы Э Ю Я and A E I O U, in both cases (30 bytes).
const TLetterSet& VowelClass();
// Б В Г Д Ж З Й К Л М Н П Р С Т Ф Х Ц Ч Ш Щ and the 21 other Latin letters, Y among them, in
// both cases (84 bytes). Ъ and Ь are in neither class.
const TLetterSet& ConsonantClass();
// All 256 byte values.
const TLetterSet& AnyClass();

}  // namespace gryvel
