#include "search/letter_maps.h"

#include <string_view>

namespace gryvel {

namespace {

constexpr TByteMap MakeIdentity() {
  TByteMap map{};
  for (int x = 0; x < 256; ++x) map[x] = static_cast<std::uint8_t>(x);
  return map;
}

constexpr TByteMap kIdentity = MakeIdentity();

TLetterSet MakeSet(std::string_view cp1251_bytes, bool with_upper) {
  TLetterSet set;
  for (char c : cp1251_bytes) {
    const auto x = static_cast<std::uint8_t>(c);
    set.Add(x);
    if (with_upper) set.Add(Upper(x));
  }
  return set;
}

}  // namespace

namespace letter_maps_detail {
const TByteMap* gMatchMap = &kIdentity;
TByteMap gCollationMap = kIdentity;
}  // namespace letter_maps_detail

const TByteMap& IdentityMap() {
  return kIdentity;
}

void SetMatchMap(const TByteMap* map) {
  letter_maps_detail::gMatchMap = map != nullptr ? map : &kIdentity;
}

void FillCollationMap() {
  auto& map = letter_maps_detail::gCollationMap;
  map = kLowerCase;
  map[0xA8] = map[0xB8] = 0xE5;  // Ё and ё sort as е
}

void ResetLetterMaps() {
  letter_maps_detail::gMatchMap = &kIdentity;
  letter_maps_detail::gCollationMap = kIdentity;
}

// Latin letters have their classes too, so that English words answer "$" and "@"; "y" counts
// as a consonant.
const TLetterSet& VowelClass() {
  // а е ё и о у ы э ю я, a e i o u
  static const TLetterSet set = MakeSet(
      "\xE0\xE5\xB8\xE8\xEE\xF3\xFB\xFD\xFE\xFF"
      "aeiou",
      true);
  return set;
}

const TLetterSet& ConsonantClass() {
  // б в г д ж з й к л м н п р с т ф х ц ч ш щ, b c d f g h j k l m n p q r s t v w x y z
  static const TLetterSet set = MakeSet(
      "\xE1\xE2\xE3\xE4\xE6\xE7\xE9\xEA\xEB\xEC\xED\xEF\xF0\xF1\xF2\xF4\xF5\xF6\xF7\xF8\xF9"
      "bcdfghjklmnpqrstvwxyz",
      true);
  return set;
}

const TLetterSet& AnyClass() {
  static const TLetterSet set = [] {
    TLetterSet s;
    for (std::uint8_t& b : s.Bits) b = 0xFF;
    return s;
  }();
  return set;
}

}  // namespace gryvel
