#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The search by meaning over a collection: a clue of one or more words finds the entries
// whose description holds one of them (by stem, see TMeaningIndex) and the entries that the
// clue words' own entries list in their descriptions. Texts are code page 1251 bytes.

namespace gryvel {

class TDictionaryCollection;
class TMeaningIndex;

// One word of a clue.
struct TClueWord {
  std::string Text;     // letters, as typed
  bool Prefix = false;  // typed with a final "*": any ending
  bool operator==(const TClueWord&) const = default;
};

// The words of `clue`: runs of letters, each optionally ended by "*"; everything else
// separates them. Common function words (prepositions, conjunctions, articles, pronouns of
// both languages) are dropped when the clue has other words: they would find most entries.
std::vector<TClueWord> ParseClue(std::string_view clue);

// Ranks of the search: lower comes first. The clue's own entries list an entry (group 0) or
// its description holds a clue word (group 1); within a group, entries more clue words
// reach come first.
inline constexpr std::uint8_t kNoMeaning = 255;
inline constexpr std::uint8_t kListedGroup = 0;
inline constexpr std::uint8_t kDescribedGroup = 64;

// Fills *ranks (one per merged entry of `collection`) with the rank of each entry the clue
// finds and kNoMeaning elsewhere. `index` must hold the collection's descriptions. REQUIRES:
// the UI thread (it reads the clue words' own entries).
void RankMeanings(TMeaningIndex& index, const TDictionaryCollection& collection,
                  const std::vector<TClueWord>& clue, std::vector<std::uint8_t>* ranks);

}  // namespace gryvel
