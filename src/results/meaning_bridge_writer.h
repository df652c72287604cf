#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/status.h"
#include "results/bridge_entry.h"

// Makes the meaning bridge file (docs/meaning_bridge_format.md) out of the translations of an
// English–Russian dictionary: both languages' words with the stems that find them.

namespace gryvel {

class TWriteFile;

class TMeaningBridgeWriter {
 public:
  // Adds the translations of the English `headword` (ASCII letters, hyphens and apostrophes
  // inside, any case). Returns false, adding nothing, for any other head word: a phrase, an
  // affix, a word with other characters. A pair added twice keeps its larger weight.
  bool Add(std::string_view headword, const std::vector<TBridgeTranslation>& translations);

  // The number of English words added so far.
  std::size_t EnglishCount() const { return FPairs.size(); }

  // Appends the bridge file to `file` with `note` (code page 1251: where the words come from,
  // their licence) in it, and returns the first write failure. The caller commits the file.
  TStatus Write(std::string_view note, TWriteFile& file) const;

 private:
  // The sections in file order; the note's is left empty.
  std::vector<std::pair<std::uint32_t, std::string>> Sections() const;

  // English word (lower case) → Russian word → weight.
  std::map<std::string, std::map<std::string, std::uint8_t>> FPairs;
};

}  // namespace gryvel
