#pragma once

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/collection_checks.h"
#include "dictionary/kiv_dictionary.h"
#include "support/text.h"

// Dictionaries with descriptions, for the tests of the search by meaning.

namespace gryvel::testing {

// Gives an empty dictionary `entries` (a word and its description, UTF-8; an empty description
// for none) as a load would, then sets the descriptions in memory with CR LF line ends, as
// the entry editor stores them.
inline void FillDescribed(TKivDictionary& dictionary,
                          std::span<const std::pair<const char*, const char*>> entries) {
  std::vector<std::string> words;
  for (const auto& [word, text] : entries) words.push_back(Cp(word));
  Fill(dictionary, words);
  for (const auto& [word, text] : entries) {
    if (*text == '\0') continue;
    std::string description = Cp(text);
    for (std::size_t at = 0; (at = description.find('\n', at)) != std::string::npos; at += 2)
      description.replace(at, 1, "\r\n");
    dictionary.SetDescription(dictionary.Entries().IndexOf(Cp(word)), description);
  }
}

}  // namespace gryvel::testing
