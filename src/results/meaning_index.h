#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/cp1251_case.h"
#include "common/huge_pages.h"
#include "results/word_table.h"
#include "search/word_stemmer.h"

// The inverted index of the search by meaning: from the words of the descriptions to the
// entries whose description holds them. Words are runs of letters; they compare through a
// letter map (the searches' MatchMap: case option, equal letters) and by their Snowball stems,
// so "успеха" finds the descriptions that hold "успех". Texts are code page 1251 bytes.

namespace gryvel {

class TArrayReader;
class TArrayWriter;
class TDictionaryCollection;

// The descriptions to index, copied out of the dictionaries so that the index can be built
// on any thread. Entries are merged entry indices of one collection.
class TMeaningDocuments {
 public:
  void Add(std::int32_t entry, std::string_view text);
  std::size_t Count() const { return FEntries.size(); }
  std::int32_t Entry(std::size_t i) const { return FEntries[i]; }
  std::string_view Text(std::size_t i) const { return FTexts[i]; }
  std::size_t Bytes() const { return FBytes; }

 private:
  // The texts one after another in blocks that never grow past their first capacity, so
  // that adding copies each text once and the views stay put.
  std::vector<std::string> FBlocks;
  std::vector<std::string_view> FTexts;
  std::vector<std::int32_t> FEntries;
  std::size_t FBytes = 0;
};

// Calls `visit` with the merged entry index and the text of every description of every
// connected dictionary of `collection` (several holders of a word each give one). Reads each
// dictionary file once. REQUIRES: the UI thread (it reads the dictionaries).
void ForEachDescription(const TDictionaryCollection& collection,
                        const std::function<void(std::int32_t, std::string_view)>& visit);
// The same descriptions, copied.
TMeaningDocuments CollectDescriptions(const TDictionaryCollection& collection);

// The part of a description a word stands in. A label ("syn.:", "hypernym:", ...) opens a
// list of related words, separated by commas, that runs to the next ";" or line; a quoted
// example stands apart from the gloss around it. A word alone between separators is an item
// of a list; a word of a longer item ("cut" of "cut down") counts as a gloss word.
enum class TMeaningField : std::uint8_t {
  kGloss,
  kExample,    // within double quotes
  kListItem,   // alone between separators outside a labelled list, as a thesaurus lists
  kSynonym,    // "syn.:"
  kSimilar,    // "similar:"
  kHypernym,   // "hypernym:", the broader words
  kAlso,       // "also:"
  kRelated,    // "related:", forms derived from the word or it from them
  kAttribute,  // "attribute:"
};
inline constexpr int kMeaningFieldBits = 4;
inline constexpr int kMeaningFields = 9;

// Calls `visit(word, field)` with every word of `text` (a run of letters) but the labels,
// skipping the lines that start with "антонимы:": they name opposites, not meanings.
template <typename Visit>
void ForEachMeaningWord(std::string_view text, Visit visit);

// Thread safety: none. Build may run on any thread on documents nobody changes meanwhile; an
// index is then handed over whole and used on one thread.
class TMeaningIndex {
 public:
  // Lists of millions of numbers, filled once: on huge pages where the system has them.
  using TLargeIds = std::vector<std::int32_t, THugePageAllocator<std::int32_t>>;

  // An empty index that compares through `map`.
  explicit TMeaningIndex(const TByteMap& map);
  TMeaningIndex(const TMeaningIndex&) = delete;
  TMeaningIndex& operator=(const TMeaningIndex&) = delete;

  // Indexes every document; replaces what was held. Returns false, the index left unusable,
  // when `cancel` turned true meanwhile.
  bool Build(const TMeaningDocuments& documents, const std::atomic<bool>* cancel = nullptr);
  // The letter map it compares through.
  const TByteMap& Map() const { return FMap; }

  // The comparison key of `word` (letters, as typed): its stem under the map.
  void Key(std::string_view word, std::string* key);

  // Appends to *entries every entry whose description holds a word with the key `key`
  // (see Key), or, for `prefix`, a word that starts with `prefix` (under the map). Entries may
  // repeat and are unordered.
  void EntriesWithKey(std::string_view key, std::vector<std::int32_t>* entries) const;
  void EntriesWithPrefix(std::string_view prefix, std::vector<std::int32_t>* entries);
  // Calls `visit(entry, field)` once for each field of each entry whose description holds a
  // word with the key `key`, or starting with `prefix`; unordered.
  template <typename Visit>
  void ForEachWithKey(std::string_view key, Visit visit) const;
  template <typename Visit>
  void ForEachWithPrefix(std::string_view prefix, Visit visit);
  // How many (entry, field) pairs hold a word with the key `key`: how common it is.
  std::size_t KeyCount(std::string_view key) const;

  // Entry `entry` now has the descriptions `texts` (its index and every other stays the same).
  void Update(std::int32_t entry, const std::vector<std::string>& texts);

  // Stores the index as built, for Read on this machine. REQUIRES: no Update since the build.
  void Write(TArrayWriter& out) const;
  // Replaces the index with one Write stored for the same letter map; false, the index left
  // empty, when the bytes are damaged or name an entry from `entry_count` on.
  bool Read(TArrayReader& in, std::int32_t entry_count);

  // Distinct words and (word, entry) pairs held, and the bytes held, roughly.
  std::size_t WordCount() const { return static_cast<std::size_t>(FTokens.Count()); }
  std::size_t PairCount() const { return FPostings.size() + FAdded.size(); }
  std::size_t MemoryBytes() const;

 private:
  // A word of an entry edited after the build.
  struct TAdded {
    std::string Token;  // under the map
    std::string Key;
    std::int32_t Entry;
    TMeaningField Field;
  };

  // `word` through the map, into *out.
  void Normalize(std::string_view word, std::string* out) const;
  // The key of a word already through the map.
  void KeyOfNormalized(std::string_view token, std::string* key);
  template <typename Visit>
  void VisitPostings(std::int32_t token, Visit& visit) const;
  // Turns the token and field of every word of every document (`words`, the token shifted
  // past the field bits; per document its entry and the end of its words there) into the
  // per-token lists.
  void MakePostings(const TLargeIds& words,
                    const std::vector<std::pair<std::int32_t, std::uint32_t>>& documents);
  void MakeKeys();
  // Empties the index.
  void Clear();
  // Whether the lists read by Read fit together.
  bool Sound(std::int32_t entry_count) const;

  TByteMap FMap;
  bool FCaseSensitive;
  TWordStemmer FStemmer;
  std::string FScratch;
  TWordTable FTokens;                        // the distinct words, under the map
  std::vector<std::uint32_t> FPostingStart;  // id -> start in FPostings; one more at the end
  TLargeIds FPostings;  // entry << kMeaningFieldBits | field, ascending per token
  TWordTable FKeys;
  std::vector<std::uint32_t> FKeyStart;     // key id -> start in FKeyTokens
  std::vector<std::int32_t> FKeyTokens;     // token ids, grouped by key
  std::vector<std::int32_t> FSortedTokens;  // token ids in byte order of the tokens
  std::unordered_set<std::int32_t> FEdited;  // entries whose postings above are void
  std::vector<TAdded> FAdded;
};

namespace meaning_detail {
// Per byte: 1 for a letter, 2 for a line break, 0 for anything else.
inline constexpr std::array<std::uint8_t, 256> kByteKinds = [] {
  std::array<std::uint8_t, 256> kinds{};
  for (int b = 0; b < 256; ++b) kinds[b] = IsLetter(static_cast<std::uint8_t>(b)) ? 1 : 0;
  kinds['\r'] = kinds['\n'] = 2;
  return kinds;
}();
}  // namespace meaning_detail

namespace meaning_detail {
// The field a label opens, or kGloss when `word` (lower case) is no label.
TMeaningField LabelField(std::string_view word);
}  // namespace meaning_detail

template <typename Visit>
void ForEachMeaningWord(std::string_view text, Visit visit) {
  static constexpr std::string_view kOpposites = "\xE0\xED\xF2\xEE\xED\xE8\xEC\xFB:";  // антонимы:
  static constexpr std::string_view kItemEnds = ",;\r\n";
  const auto& kinds = meaning_detail::kByteKinds;
  const std::size_t n = text.size();
  bool line_start = true;
  bool item_start = true;  // no word since the last separator
  TMeaningField field = TMeaningField::kGloss;
  std::size_t i = 0;
  while (i < n) {
    if (line_start && text.substr(i, kOpposites.size()) == kOpposites) {
      i = text.find_first_of("\r\n", i);
      if (i == std::string_view::npos) return;
    }
    const char c = text[i];
    const std::uint8_t kind = kinds[static_cast<std::uint8_t>(c)];
    if (kind == 1) {
      const std::size_t start = i;
      while (++i < n && kinds[static_cast<std::uint8_t>(text[i])] == 1) {
      }
      const std::string_view word = text.substr(start, i - start);
      line_start = false;
      const bool whole = item_start && (i == n || kItemEnds.find(text[i]) != std::string_view::npos);
      item_start = false;
      // "word:" or "word.:" may be a label.
      const std::size_t colon = i < n && text[i] == '.' ? i + 1 : i;
      if (colon < n && text[colon] == ':' && field != TMeaningField::kExample) {
        const TMeaningField opened = meaning_detail::LabelField(word);
        if (opened != TMeaningField::kGloss) {
          field = opened;
          item_start = true;
          i = colon + 1;
          continue;
        }
      }
      if (field == TMeaningField::kExample)
        visit(word, field);
      else if (field == TMeaningField::kGloss)
        visit(word, whole ? TMeaningField::kListItem : field);
      else
        visit(word, whole ? field : TMeaningField::kGloss);
      continue;
    }
    line_start = kind == 2;
    // A line ends everything, even an example whose closing quote is missing.
    if (kind == 2 || (field != TMeaningField::kExample && c == ';')) field = TMeaningField::kGloss;
    if (kind == 2 || (field != TMeaningField::kExample && (c == ';' || c == ',')))
      item_start = true;
    if (c == '"' && (field == TMeaningField::kGloss || field == TMeaningField::kExample)) {
      field = field == TMeaningField::kGloss ? TMeaningField::kExample : TMeaningField::kGloss;
      if (field == TMeaningField::kExample) item_start = false;
    }
    ++i;
  }
}

template <typename Visit>
void TMeaningIndex::VisitPostings(std::int32_t token, Visit& visit) const {
  constexpr std::int32_t kFieldMask = (1 << kMeaningFieldBits) - 1;
  for (std::uint32_t i = FPostingStart[token]; i < FPostingStart[token + 1]; ++i) {
    const std::int32_t entry = FPostings[i] >> kMeaningFieldBits;
    if (!FEdited.empty() && FEdited.contains(entry)) continue;
    visit(entry, static_cast<TMeaningField>(FPostings[i] & kFieldMask));
  }
}

template <typename Visit>
void TMeaningIndex::ForEachWithKey(std::string_view key, Visit visit) const {
  const std::int32_t found = FKeys.Find(key);
  if (found >= 0)
    for (std::uint32_t i = FKeyStart[found]; i < FKeyStart[found + 1]; ++i)
      VisitPostings(FKeyTokens[i], visit);
  for (const TAdded& added : FAdded)
    if (added.Key == key) visit(added.Entry, added.Field);
}

template <typename Visit>
void TMeaningIndex::ForEachWithPrefix(std::string_view prefix, Visit visit) {
  std::string normal;
  Normalize(prefix, &normal);
  auto at = std::lower_bound(
      FSortedTokens.begin(), FSortedTokens.end(), normal,
      [&](std::int32_t t, const std::string& p) { return FTokens.Word(t) < std::string_view(p); });
  for (; at != FSortedTokens.end() && FTokens.Word(*at).starts_with(normal); ++at)
    VisitPostings(*at, visit);
  for (const TAdded& added : FAdded)
    if (added.Token.starts_with(normal)) visit(added.Entry, added.Field);
}

}  // namespace gryvel
