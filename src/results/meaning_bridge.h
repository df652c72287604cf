#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "search/word_stemmer.h"

// The bridge between Russian and English words that lets the search by meaning read Russian
// clues through English definitions: a Russian word gives the English words it translates,
// an English word the Russian words that translate it, each with a weight (the first
// translation of the first sense weighs most). Words match by their Snowball stems, in any
// case, with ё and е as one letter. Texts are code page 1251 bytes, like every engine text.
// The file it reads is described in docs/meaning_bridge_format.md.

namespace gryvel {

class TFileSystem;

// A word of the other language and how strongly it translates the word asked for.
struct TBridgeWord {
  std::string_view Word;  // lower case; lives as long as the bridge's loaded file
  float Weight = 0;       // (0, 1]; 1 for the first translation of the first sense
};

// Thread safety: none. Load on any thread, then hand the bridge over whole; each query uses
// the bridge's own stemmer, so one thread at a time.
class TMeaningBridge {
 public:
  TMeaningBridge() = default;
  TMeaningBridge(const TMeaningBridge&) = delete;
  TMeaningBridge& operator=(const TMeaningBridge&) = delete;

  // Reads the bridge file at `path`. On failure (no such file, not a bridge, a later major
  // version, a damaged file) returns the reason and leaves the bridge empty.
  TStatus Load(TFileSystem& files, const std::string& path);
  // The same on the file's bytes, taken over: the one entry point every reader goes through.
  TStatus Parse(std::string bytes);

  // True when a bridge is loaded.
  bool Loaded() const { return !FBytes.empty(); }
  // Where the words come from and their licence (code page 1251); empty when not loaded.
  std::string_view Note() const { return FNote; }

  // Replaces *out with the English words that translate the Russian `word` (any form and
  // case), heaviest first; empty for a word the bridge does not know.
  void EnglishFor(std::string_view word, std::vector<TBridgeWord>* out);
  // Replaces *out with the Russian words that translate the English `word` (any form and
  // case), heaviest first; empty for a word the bridge does not know.
  void RussianFor(std::string_view word, std::vector<TBridgeWord>* out);

  // Bytes of memory the loaded bridge holds.
  std::size_t MemoryBytes() const { return FBytes.capacity(); }

 private:
  // A table of words in the loaded bytes: end offsets (little-endian 32-bit) and the text.
  struct TWordTable {
    const char* Ends = nullptr;
    const char* Text = nullptr;
    std::uint32_t Count = 0;
    std::string_view At(std::uint32_t i) const;
  };
  // Stems with, for each, its posting list: word ids of the other language and weights.
  struct TStemTable {
    TWordTable Stems;
    const char* PostingEnds = nullptr;
    const char* Postings = nullptr;
  };

  static TStatus ReadWordTable(std::string_view bytes, TWordTable* table);
  static TStatus ReadStemTable(std::string_view bytes, std::uint32_t targets, TStemTable* table);
  TStatus ReadSections();
  void Clear();
  // The place of `stem` in `stems`, if there.
  static std::optional<std::uint32_t> FindStem(const TWordTable& stems, std::string_view stem);
  void Find(const TStemTable& stems, const TWordTable& targets, std::string_view word,
            std::vector<TBridgeWord>* out);

  std::string FBytes;
  std::string_view FNote;
  TWordTable FRussianWords;
  TWordTable FEnglishWords;
  TStemTable FRussianStems;  // Russian stem → English words
  TStemTable FEnglishStems;  // English stem → Russian words
  TWordStemmer FStemmer;
  std::string FKey;  // the word asked for, lower case, ё written е
  std::string FStem;
};

}  // namespace gryvel
