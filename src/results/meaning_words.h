#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/meaning_index.h"
#include "results/meaning_search.h"

// The words of the search by meaning: the function words of clues, the forms a clue word is
// looked up by, its own entries and the entries their descriptions name. Code page 1251.

namespace gryvel {

class TDictionaryCollection;

// True for a function word of either language (a preposition, conjunction, article, pronoun,
// particle): it says nothing of a meaning. Any case.
bool IsFunctionWord(std::string_view word);

// The forms a clue word is looked up by, with their keys (TMeaningIndex::Key): the word and,
// for an English comparative or superlative the stemmer keeps whole ("colder"), its base.
// None for a prefix.
struct TClueForms {
  std::vector<std::string> Forms;
  std::vector<std::string> Keys;
};
TClueForms ClueForms(TMeaningIndex& index, const TClueWord& word);

// The entries that are a clue word's own: their word has the key of one of its forms, or,
// for a prefix, starts with it.
std::vector<std::int32_t> OwnEntries(TMeaningIndex& index, const TDictionaryCollection& collection,
                                     const TClueWord& word, const TClueForms& forms);

// Calls `visit(entry, field)` for each word of the descriptions of entry `own` that stands in
// one of `fields` (a bit per TMeaningField) and is an entry of `collection` (under the
// index's map), but function words and `own` itself. REQUIRES: the UI thread.
template <typename Visit>
void ForEachListedEntry(const TMeaningIndex& index, const TDictionaryCollection& collection,
                        std::int32_t own, unsigned fields, Visit visit);
constexpr unsigned FieldBit(TMeaningField field) {
  return 1u << static_cast<unsigned>(field);
}

namespace meaning_detail {
// The descriptions of entry `own` of `collection`, one per dictionary that holds it.
std::vector<std::string> HeldDescriptions(const TDictionaryCollection& collection,
                                          std::int32_t own);
// The entry of `collection` that is `word` under `map`, or -1.
std::int32_t EntryOfWord(const TDictionaryCollection& collection, std::string_view word,
                         const TByteMap& map);
}  // namespace meaning_detail

template <typename Visit>
void ForEachListedEntry(const TMeaningIndex& index, const TDictionaryCollection& collection,
                        std::int32_t own, unsigned fields, Visit visit) {
  for (const std::string& text : meaning_detail::HeldDescriptions(collection, own))
    ForEachMeaningWord(text, [&](std::string_view word, TMeaningField field) {
      if (!(fields & FieldBit(field))) return;
      if (IsFunctionWord(word)) return;  // "a", "of" in a gloss name nothing
      const std::int32_t at = meaning_detail::EntryOfWord(collection, word, index.Map());
      if (at >= 0 && at != own) visit(at, field);
    });
}

}  // namespace gryvel
