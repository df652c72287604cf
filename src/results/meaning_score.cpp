#include "results/meaning_score.h"

#include <algorithm>
#include <cmath>

#include "common/cp1251_utf8.h"
#include "dictionary/dictionary_collection.h"
#include "results/meaning_index.h"
#include "results/meaning_words.h"
#include "results/word_commonness.h"
#include "search/letter_maps.h"

namespace gryvel {

namespace {

constexpr auto kFields = static_cast<std::size_t>(kMeaningFields);

// An entry whose description holds the clue word, by the field it stands in.
constexpr double kHeldStrength[kFields] = {0.5, 0.15, 0.9, 1.0, 0.85, 0.85, 0.6, 0.5, 0.6};
constexpr TMeaningRelation kHeldRelation[kFields] = {
    TMeaningRelation::kGloss,   TMeaningRelation::kExample, TMeaningRelation::kSynonym,
    TMeaningRelation::kSynonym, TMeaningRelation::kSimilar, TMeaningRelation::kHypernym,
    TMeaningRelation::kAlso,    TMeaningRelation::kRelated, TMeaningRelation::kAttribute};
// An entry the clue word's own description names, by the field it stands in: a word of a
// gloss is a weak hint, one listed alone a synonym; examples name nothing.
constexpr double kListedStrength[kFields] = {0.4, 0, 0.95, 1.0, 0.85, 0.55, 0.6, 0.5, 0.6};
constexpr TMeaningRelation kListedRelation[kFields] = {
    TMeaningRelation::kDefinedBy, TMeaningRelation::kExample, TMeaningRelation::kListed,
    TMeaningRelation::kListed,    TMeaningRelation::kSimilar, TMeaningRelation::kBroader,
    TMeaningRelation::kAlso,      TMeaningRelation::kRelated, TMeaningRelation::kAttribute};
// The fields whose words name entries: all but examples.
constexpr unsigned kNaming = ~FieldBit(TMeaningField::kExample);
// Two steps along broader words.
constexpr double kSisterStrength = 0.2;
constexpr double kTwoDownStrength = 0.18;
constexpr double kTwoUpStrength = 0.15;
// How many words one step away a clue word's two steps start from: the most general words
// have hundreds of narrower ones, and a word of many senses dozens of broader ones, each a
// weaker hint than the last is worth reading.
constexpr std::size_t kNarrowerSteps = 48;
constexpr std::size_t kBroaderSteps = 16;
// How much the most common word gains over one never met.
constexpr double kCommonnessGain = 1.5;

// Sums, per entry, the strongest way each clue word reaches it.
class TScorer {
 public:
  TScorer(TMeaningIndex& index, const TDictionaryCollection& collection,
          std::vector<std::int32_t>& slots)
      : FIndex(index), FCollection(collection), FSlots(slots) {
    if (FSlots.size() != collection.Items().size()) FSlots.assign(collection.Items().size(), -1);
  }

  void AddWord(std::int32_t w, const TWeightedClueWord& word) {
    FWord = w;
    FTouched.clear();
    FNarrower.clear();
    FBroader.clear();
    const TClueForms forms = ClueForms(FIndex, word.Word);
    std::size_t described = 0;
    const auto held = [&](std::int32_t entry, TMeaningField field) {
      ++described;
      const auto f = static_cast<std::size_t>(field);
      Offer(entry, kHeldStrength[f], kHeldRelation[f], -1);
      if (field == TMeaningField::kHypernym && FNarrower.size() < kNarrowerSteps)
        FNarrower.push_back(entry);
    };
    if (word.Word.Prefix) FIndex.ForEachWithPrefix(word.Word.Text, held);
    for (const std::string& key : forms.Keys) FIndex.ForEachWithKey(key, held);
    for (const std::int32_t own : OwnEntries(FIndex, FCollection, word.Word, forms)) {
      FOwn.push_back(own);
      Listed(own, kNaming, [&](std::int32_t entry, double strength, TMeaningRelation relation) {
        Offer(entry, strength, relation, -1);
        if (relation == TMeaningRelation::kBroader && FBroader.size() < kBroaderSteps)
          FBroader.push_back(entry);
      });
    }
    TwoSteps();
    // The translations of one word are one group: an entry gains what the best of them gives.
    if (word.From.empty() || word.From != FGroupFrom) ++FGroup;
    FGroupFrom = word.From;
    const double weight = word.Weight * Rarity(described);
    for (const std::int32_t slot : FTouched) {
      THit& hit = FHits[slot];
      const double gained = weight * hit.WordStrength;
      if (hit.Group != FGroup) {
        hit.Group = FGroup;
        hit.GroupGained = 0;
      }
      if (gained > hit.GroupGained) {
        hit.Hit.Score += gained - hit.GroupGained;
        hit.GroupGained = gained;
      }
      if (gained > hit.Gained) {
        hit.Gained = gained;
        hit.Hit.Why = hit.WordWhy;
      }
    }
  }

  // The hits; leaves the slots as they were found.
  std::vector<TMeaningHit> Take() {
    std::sort(FOwn.begin(), FOwn.end());
    std::vector<TMeaningHit> hits;
    hits.reserve(FHits.size());
    for (const THit& hit : FHits) {
      FSlots[hit.Hit.Entry] = -1;
      if (!std::binary_search(FOwn.begin(), FOwn.end(), hit.Hit.Entry)) hits.push_back(hit.Hit);
    }
    return hits;
  }

 private:
  struct THit {
    TMeaningHit Hit;
    double Gained = 0;        // the most one clue word gave
    std::int32_t Group = -1;  // the group of clue words GroupGained is of
    double GroupGained = 0;   // the most one word of that group gave
    std::int32_t Stamp = -1;  // the clue word WordStrength is of
    double WordStrength = 0;  // that word's strongest way here
    TMeaningEvidence WordWhy;
  };

  void Offer(std::int32_t entry, double strength, TMeaningRelation relation, std::int32_t via) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= FSlots.size() || strength <= 0) return;
    std::int32_t& slot = FSlots[entry];
    // A slot a search left behind (it ended by an exception) is not trusted.
    if (slot < 0 || static_cast<std::size_t>(slot) >= FHits.size() ||
        FHits[slot].Hit.Entry != entry) {
      slot = static_cast<std::int32_t>(FHits.size());
      FHits.push_back({});
      FHits.back().Hit.Entry = entry;
    }
    THit& hit = FHits[slot];
    if (hit.Stamp != FWord) {
      hit.Stamp = FWord;
      hit.WordStrength = 0;
      FTouched.push_back(slot);
    }
    if (strength > hit.WordStrength) {
      hit.WordStrength = strength;
      hit.WordWhy = {FWord, relation, via};
    }
  }

  // Calls `visit(entry, strength, relation)` for each entry the description of `own` names
  // in one of `fields`.
  template <typename Visit>
  void Listed(std::int32_t own, unsigned fields, Visit visit) {
    ForEachListedEntry(FIndex, FCollection, own, fields,
                       [&](std::int32_t entry, TMeaningField field) {
                         const auto f = static_cast<std::size_t>(field);
                         visit(entry, kListedStrength[f], kListedRelation[f]);
                       });
  }

  // The words two steps away along broader words: the narrower words of the narrower ones,
  // the other narrower words of the broader ones (sisters), the broader words of those.
  void TwoSteps() {
    std::string key;
    for (const std::int32_t narrower : FNarrower) {
      FIndex.Key(FCollection.Items()[narrower]->Word, &key);
      FIndex.ForEachWithKey(key, [&](std::int32_t entry, TMeaningField field) {
        if (field == TMeaningField::kHypernym)
          Offer(entry, kTwoDownStrength, TMeaningRelation::kTwoDown, narrower);
      });
    }
    for (const std::int32_t broader : FBroader) {
      FIndex.Key(FCollection.Items()[broader]->Word, &key);
      FIndex.ForEachWithKey(key, [&](std::int32_t entry, TMeaningField field) {
        if (field == TMeaningField::kHypernym)
          Offer(entry, kSisterStrength, TMeaningRelation::kSister, broader);
      });
      FTwoUp.clear();
      Listed(broader, FieldBit(TMeaningField::kHypernym),
             [&](std::int32_t entry, double, TMeaningRelation) { FTwoUp.push_back(entry); });
      for (const std::int32_t entry : FTwoUp)
        Offer(entry, kTwoUpStrength, TMeaningRelation::kTwoUp, broader);
    }
  }

  // The weight of a clue word that `described` (entry, field) pairs hold: the rarer, the
  // more it tells (an inverse document frequency).
  double Rarity(std::size_t described) const {
    const auto entries = static_cast<double>(FSlots.size());
    return std::max(0.1, std::log((entries + 1) / (static_cast<double>(described) + 1)));
  }

  TMeaningIndex& FIndex;
  const TDictionaryCollection& FCollection;
  std::vector<std::int32_t>& FSlots;  // per entry: its place in FHits, or -1
  std::vector<std::int32_t> FOwn;     // the own entries of the clue words
  std::vector<THit> FHits;
  std::vector<std::int32_t> FTouched;   // the slots the current clue word reached
  std::vector<std::int32_t> FNarrower;  // its narrower entries
  std::vector<std::int32_t> FBroader;   // the broader entries its own entries name
  std::vector<std::int32_t> FTwoUp;
  std::int32_t FWord = -1;
  std::int32_t FGroup = -1;
  std::string FGroupFrom;
};

}  // namespace

std::vector<TMeaningHit> ScoreMeanings(TMeaningIndex& index,
                                       const TDictionaryCollection& collection,
                                       const std::vector<TWeightedClueWord>& clue,
                                       TMeaningScratch* scratch) {
  TScorer scorer(index, collection, scratch->Slots);
  for (std::size_t w = 0; w < clue.size(); ++w)
    scorer.AddWord(static_cast<std::int32_t>(w), clue[w]);
  return scorer.Take();
}

void OrderMeanings(const TDictionaryCollection& collection, const TWordCommonness& commonness,
                   std::vector<TMeaningHit>* hits) {
  const TEntryPointers& items = collection.Items();
  for (TMeaningHit& hit : *hits)
    hit.Score *= 1 + kCommonnessGain * commonness.Of(items[hit.Entry]->Word);
  std::sort(hits->begin(), hits->end(), [](const TMeaningHit& a, const TMeaningHit& b) {
    return a.Score != b.Score ? a.Score > b.Score : a.Entry < b.Entry;
  });
}

const char* RelationName(TMeaningRelation relation) {
  switch (relation) {
    case TMeaningRelation::kListed:
      return "listed";
    case TMeaningRelation::kSynonym:
      return "synonym";
    case TMeaningRelation::kSimilar:
      return "similar";
    case TMeaningRelation::kHypernym:
      return "hypernym";
    case TMeaningRelation::kBroader:
      return "broader";
    case TMeaningRelation::kAttribute:
      return "attribute";
    case TMeaningRelation::kAlso:
      return "see also";
    case TMeaningRelation::kRelated:
      return "related form";
    case TMeaningRelation::kGloss:
      return "gloss";
    case TMeaningRelation::kSister:
      return "sister";
    case TMeaningRelation::kTwoDown:
      return "hypernym, two steps";
    case TMeaningRelation::kTwoUp:
      return "broader, two steps";
    case TMeaningRelation::kDefinedBy:
      return "in its gloss";
    case TMeaningRelation::kExample:
      return "example";
  }
  return "";
}

std::string DescribeEvidence(const TDictionaryCollection& collection,
                             const std::vector<TWeightedClueWord>& clue, const TMeaningHit& hit) {
  static constexpr std::string_view kArrow = " \xE2\x86\x90 ";  // ←, UTF-8
  const TEntryPointers& items = collection.Items();
  std::string line = Cp1251ToUtf8(items[hit.Entry]->Word);
  const auto step = [&](std::string_view word) {
    line.append(kArrow);
    line.append(Cp1251ToUtf8(word));
  };
  if (hit.Why.Back >= 0) step(items[hit.Why.Back]->Word);
  if (hit.Why.Via >= 0) step(items[hit.Why.Via]->Word);
  if (hit.Why.ClueWord >= 0 && static_cast<std::size_t>(hit.Why.ClueWord) < clue.size()) {
    const TWeightedClueWord& word = clue[hit.Why.ClueWord];
    step(word.Word.Text + (word.Word.Prefix ? "*" : ""));
    if (!word.From.empty()) step(word.From);
  }
  return line + " (" + RelationName(hit.Why.Relation) + ")";
}

}  // namespace gryvel
