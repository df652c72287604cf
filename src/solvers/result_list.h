#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_collection.h"

// The results of a word chain or word analysis search, in the order found. For the search
// dialog's own result source and word list they are also the entries of a private in-memory
// dictionary whose words are the result numbers ("0001", "0002", …) and whose descriptions are
// the result texts.

namespace gryvel {

class TResultList {
 public:
  // No results; an empty, connected in-memory dictionary in a collection of its own.
  TResultList();
  TResultList(const TResultList&) = delete;
  TResultList& operator=(const TResultList&) = delete;

  // Removes every result.
  void Clear();
  // Adds the result `text` (code page 1251) as the next numbered entry.
  void Add(std::string_view text);

  std::int32_t Count() const { return static_cast<std::int32_t>(FTexts.size()); }
  // The text of result `index` (0-based, in the order found).
  const std::string& Text(std::int32_t index) const { return FTexts.at(index); }

  // The collection holding the results as numbered entries, for a result source to show;
  // brought up to date with the results added since the last call. A search adds thousands
  // of results a second, so the entries are made in bulk when shown, not one by one.
  TDictionaryCollection& Collection();

 private:
  std::vector<std::string> FTexts;
  TDictionaryCollection FCollection;
  TKivDictionary* FDictionary;
  std::size_t FShown = 0;  // results that are entries
};

}  // namespace gryvel
