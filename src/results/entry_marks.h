#pragma once

#include <cstdint>
#include <string>

// The grey text a word list shows after a word: how many dictionaries hold it (when more
// than one) and its parts of speech, gathered from every connected dictionary that holds it.

namespace gryvel {

class TDictionaryCollection;

// "[n] " when `n` (> 1) connected dictionaries hold the word of merged entry `index`, then the
// part-of-speech abbreviations of the union of their part bits with the plural mark when any of
// their records is plural, in the current language (code page 1251). Empty for an index out of
// range.
std::string EntryPartOfSpeechText(const TDictionaryCollection& collection, std::int32_t index);

}  // namespace gryvel
