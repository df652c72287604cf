#pragma once

#include <string>
#include <vector>

#include "dictionary/collection_checks.h"
#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/letter_maps.h"
#include "solvers/result_list.h"
#include "search/string_searcher.h"
#include "support/text.h"

// A collection holding one dictionary of given words, with the searcher and the result source
// the word chain and word analysis take their candidates from.

namespace gryvel::testing {

struct SearchWorld {
  // `words` are UTF-8.
  explicit SearchWorld(const std::vector<std::string>& words) {
    searcher.SetCharacterManager(&manager);
    collection.SetStringSearcher(&searcher);
    std::vector<std::string> cp;
    for (const std::string& word : words) cp.push_back(Cp(word));
    TKivDictionary& dictionary = *collection.Dictionary(collection.NewDictionary());
    Fill(dictionary, cp);
    collection.Connect(dictionary);
    source.SetDictionary(&collection);
  }
  ~SearchWorld() { ResetLetterMaps(); }

  TCharacterManager manager;
  TStringSearcher searcher;
  TDictionaryCollection collection;
  TResultSource source;
};

// The results as UTF-8 lines, in the order found.
inline std::vector<std::string> Lines(const TResultList& results) {
  std::vector<std::string> lines;
  for (std::int32_t i = 0; i < results.Count(); ++i) lines.push_back(Utf(results.Text(i)));
  return lines;
}

}  // namespace gryvel::testing
