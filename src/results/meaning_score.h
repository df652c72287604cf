#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "results/meaning_search.h"

// The evidence and the score of the search by meaning. Each clue word reaches entries along
// the relations the descriptions hold (a synonym list, a gloss, a broader word, ...); each
// relation has a strength, each clue word a weight and a rarity, and an entry scores the sum,
// over the clue words, of the strongest way each reaches it. Texts are code page 1251 bytes.

namespace gryvel {

class TDictionaryCollection;
class TMeaningIndex;
class TWordCommonness;

// One clue word as the scorer takes it: the words typed weigh 1; a translation carries the
// weight its bridge gives it and the word it translates. The translations of one word stand
// next to each other and count as one clue word: an entry gains what the best of them gives.
struct TWeightedClueWord {
  TClueWord Word;
  double Weight = 1;
  std::string From;  // the word this one translates; empty for a word typed
};

// How an entry was reached from a clue word, strongest first.
enum class TMeaningRelation : std::uint8_t {
  kListed,     // the clue word's own entry lists it
  kSynonym,    // its entry lists the clue word among its synonyms
  kSimilar,    // an adjective similar to the clue word, either way
  kHypernym,   // the clue word is its broader word
  kBroader,    // it is the clue word's broader word
  kAttribute,  // attribute, either way
  kAlso,       // "see also", either way
  kRelated,    // a derived form, either way
  kGloss,      // its gloss holds the clue word
  kSister,     // it shares a broader word (the step between) with the clue word
  kTwoDown,    // the clue word is the broader word of its broader word (the step between)
  kTwoUp,      // it is the broader word of the clue word's broader word (the step between)
  kDefinedBy,  // the clue word's own gloss names it
  kExample,    // an example of its use holds the clue word
};

// The evidence that weighed most for an entry.
struct TMeaningEvidence {
  std::int32_t ClueWord = -1;  // into the clue words scored
  TMeaningRelation Relation = TMeaningRelation::kGloss;
  std::int32_t Via = -1;   // the entry between, for two steps; else -1
  std::int32_t Back = -1;  // for a hit carried back through a translation: the entry found
};

struct TMeaningHit {
  std::int32_t Entry = -1;  // merged entry index
  double Score = 0;
  TMeaningEvidence Why;
};

// Room a search reuses from one search to the next, so that it clears what it used instead of
// a table of every entry: per entry, -1 between searches.
struct TMeaningScratch {
  std::vector<std::int32_t> Slots;
};

// Every entry `clue` reaches, with its score (unordered). The clue words' own entries are
// not among them: a word does not answer itself. `index` must hold the collection's
// descriptions; `scratch` may come from an earlier call (or be new). REQUIRES: the UI thread
// (it reads the clue words' own entries).
std::vector<TMeaningHit> ScoreMeanings(TMeaningIndex& index,
                                       const TDictionaryCollection& collection,
                                       const std::vector<TWeightedClueWord>& clue,
                                       TMeaningScratch* scratch);

// Orders `hits` best first: by score raised by how common each entry's word is, ties in
// entry order. Deterministic.
void OrderMeanings(const TDictionaryCollection& collection, const TWordCommonness& commonness,
                   std::vector<TMeaningHit>* hits);

// The evidence of `hit` as a line in UTF-8: "reduce ← decrease (hypernym)"; for a translated
// clue word "reduce ← decrease ← уменьшить (hypernym)", and for a hit carried back through a
// translation «сократить ← reduce ← decrease ← уменьшить (hypernym)».
std::string DescribeEvidence(const TDictionaryCollection& collection,
                             const std::vector<TWeightedClueWord>& clue, const TMeaningHit& hit);

// The name of `relation` in the evidence line.
const char* RelationName(TMeaningRelation relation);

}  // namespace gryvel
