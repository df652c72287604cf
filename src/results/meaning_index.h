#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/cp1251_case.h"
#include "results/word_table.h"
#include "search/word_stemmer.h"

// The inverted index of the search by meaning: from the words of the descriptions to the
// entries whose description holds them. Words are runs of letters; they compare through a
// letter map (the searches' MatchMap: case option, equal letters) and by their Snowball stems,
// so "успеха" finds the descriptions that hold "успех". Texts are code page 1251 bytes.

namespace gryvel {

class TDictionaryCollection;

// The descriptions to index, copied out of the dictionaries so that the index can be built
// on any thread. Entries are merged entry indices of one collection.
class TMeaningDocuments {
 public:
  void Add(std::int32_t entry, std::string_view text);
  std::size_t Count() const { return FEntries.size(); }
  std::int32_t Entry(std::size_t i) const { return FEntries[i]; }
  std::string_view Text(std::size_t i) const;
  std::size_t Bytes() const { return FText.size(); }

 private:
  std::string FText;                // every text, one after another
  std::vector<std::uint32_t> FEnds;  // end of text i in FText
  std::vector<std::int32_t> FEntries;
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
  // An empty index that compares through `map`.
  explicit TMeaningIndex(const TByteMap& map);
  TMeaningIndex(const TMeaningIndex&) = delete;
  TMeaningIndex& operator=(const TMeaningIndex&) = delete;

  // Indexes every document; replaces what was held.
  void Build(const TMeaningDocuments& documents);
  // The same in steps, for documents read as they come: Begin, AddDocument for each, Finish.
  void Begin();
  void AddDocument(std::int32_t entry, std::string_view text);
  void Finish();
  // Room for `words` words of documents, so that adding them copies nothing.
  void Reserve(std::size_t words) { FPairs.reserve(words); }

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
  // Turns FPairs into the per-token lists.
  void MakePostings();
  void MakeKeys();

  TByteMap FMap;
  bool FCaseSensitive;
  TWordStemmer FStemmer;
  std::string FScratch;
  std::string FToken;
  std::vector<std::uint64_t> FPairs;  // token << 32 | entry, between Begin and Finish
  TWordTable FTokens;                        // the distinct words, under the map
  std::vector<std::uint32_t> FPostingStart;  // id -> start in FPostings; one more at the end
  std::vector<std::int32_t> FPostings;      // entries, ascending per token
  TWordTable FKeys;
  std::vector<std::uint32_t> FKeyStart;     // key id -> start in FKeyTokens
  std::vector<std::int32_t> FKeyTokens;     // token ids, grouped by key
  std::vector<std::int32_t> FSortedTokens;  // token ids in byte order of the tokens
  std::unordered_set<std::int32_t> FEdited;  // entries whose postings above are void
  std::vector<TAdded> FAdded;
};

template <typename Visit>
void ForEachMeaningWord(std::string_view text, Visit visit) {
  static constexpr std::string_view kOpposites = "\xE0\xED\xF2\xEE\xED\xE8\xEC\xFB:";  // антонимы:
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const std::size_t line_end = std::min(text.find_first_of("\r\n", i), n);
    if (text.substr(i, kOpposites.size()) != kOpposites) {
      std::size_t j = i;
      while (j < line_end) {
        while (j < line_end && kLowerCase[static_cast<std::uint8_t>(text[j])] ==
                                   kUpperCase[static_cast<std::uint8_t>(text[j])])
          ++j;
        const std::size_t start = j;
        while (j < line_end && kLowerCase[static_cast<std::uint8_t>(text[j])] !=
                                   kUpperCase[static_cast<std::uint8_t>(text[j])])
          ++j;
        if (j > start) visit(text.substr(start, j - start));
      }
    }
    i = line_end + 1;
  }
}

}  // namespace gryvel
