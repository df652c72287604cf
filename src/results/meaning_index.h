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

// Calls `visit` with every word of `text` (a run of letters), skipping the lines that start
// with "антонимы:": they name opposites, not meanings.
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
  };

  // `word` through the map, into *out.
  void Normalize(std::string_view word, std::string* out) const;
  // The key of a word already through the map.
  void KeyOfNormalized(std::string_view token, std::string* key);
  void AppendPostings(std::int32_t token, std::vector<std::int32_t>* entries) const;
  // Turns the token of every word of every document (`words`; per document its entry and
  // the end of its words there) into the per-token lists.
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
  TLargeIds FPostings;                      // entries, ascending per token
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

template <typename Visit>
void ForEachMeaningWord(std::string_view text, Visit visit) {
  static constexpr std::string_view kOpposites = "\xE0\xED\xF2\xEE\xED\xE8\xEC\xFB:";  // антонимы:
  const auto& kinds = meaning_detail::kByteKinds;
  const std::size_t n = text.size();
  bool line_start = true;
  std::size_t i = 0;
  while (i < n) {
    if (line_start && text.substr(i, kOpposites.size()) == kOpposites) {
      i = text.find_first_of("\r\n", i);
      if (i == std::string_view::npos) return;
    }
    const std::uint8_t kind = kinds[static_cast<std::uint8_t>(text[i])];
    if (kind == 1) {
      const std::size_t start = i;
      while (++i < n && kinds[static_cast<std::uint8_t>(text[i])] == 1) {
      }
      visit(text.substr(start, i - start));
      line_start = false;
      continue;
    }
    line_start = kind == 2;
    ++i;
  }
}

}  // namespace gryvel
