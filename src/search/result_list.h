#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/dictionary_collection.h"

// The results of a word chain or word analysis search: entries of a private in-memory
// dictionary whose words are the result numbers ("0001", "0002", …) and whose descriptions are
// the result texts, so that the search dialog can show them with its own result source and
// word list.

namespace gryvel {

class TResultList {
 public:
  // An empty, connected in-memory dictionary in a collection of its own.
  TResultList();
  TResultList(const TResultList&) = delete;
  TResultList& operator=(const TResultList&) = delete;

  // Removes every result.
  void Clear();
  // Adds the result `text` (code page 1251) as the next numbered entry.
  void Add(std::string_view text);

  std::int32_t Count() const { return FDictionary->Count(); }
  // The text of result `index` (0-based, in the order found).
  std::string Text(std::int32_t index) const;

  // The collection holding the results, for a result source to show.
  TDictionaryCollection& Collection() { return FCollection; }

 private:
  TDictionaryCollection FCollection;
  TKivDictionary* FDictionary;
};

}  // namespace gryvel
