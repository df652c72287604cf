#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// The search by meaning over a collection: a clue of one or more words finds the entries
// whose description holds them or is named by their own entries, along the relations the
// descriptions give (see meaning_score.h), best first. Texts are code page 1251 bytes.

namespace gryvel {

// One word of a clue.
struct TClueWord {
  std::string Text;     // letters, as typed
  bool Prefix = false;  // typed with a final "*": any ending
  bool operator==(const TClueWord&) const = default;
};

// The words of `clue`: runs of letters, each optionally ended by "*"; everything else
// separates them. Function words of both languages (see IsFunctionWord) are dropped when the
// clue has other words: they would find most entries.
std::vector<TClueWord> ParseClue(std::string_view clue);

// The place of an entry the search did not find.
inline constexpr std::uint32_t kNoMeaning = std::numeric_limits<std::uint32_t>::max();

}  // namespace gryvel
