#pragma once

#include <cstddef>
#include <string_view>

#include "search/letter_maps.h"

// The order of every sorted word list: a dictionary's entry list and the collection's merged
// list. Words are code page 1251 bytes.

namespace gryvel {

// Compares `a` with `b`: hyphens are skipped, the other bytes compare as unsigned values after
// mapping through CollationMap(). At the first differing pair returns -1 or +1; a word whose
// letters run out first is the smaller; equal letters give length(a) - length(b), hyphens
// counted. Returns +1 whenever either word is empty. Allocates nothing.
inline int CompareWords(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return 1;
  const TByteMap& map = CollationMap();
  const auto* pa = reinterpret_cast<const unsigned char*>(a.data());
  const auto* pb = reinterpret_cast<const unsigned char*>(b.data());
  const unsigned char* const end_a = pa + a.size();
  const unsigned char* const end_b = pb + b.size();
  for (;;) {
    while (pa != end_a && *pa == '-') ++pa;
    while (pb != end_b && *pb == '-') ++pb;
    if (pa == end_a || pb == end_b) break;
    const unsigned ca = map[*pa++];
    const unsigned cb = map[*pb++];
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (pa != end_a) return 1;
  if (pb != end_b) return -1;
  return static_cast<int>(static_cast<std::ptrdiff_t>(a.size()) -
                          static_cast<std::ptrdiff_t>(b.size()));
}

}  // namespace gryvel
