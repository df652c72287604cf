#pragma once

#include <string>
#include <string_view>

// Reduces a word to its stem with Snowball's Russian or English stemmer, so that forms of one
// word ("успех", "успеха"; "cold", "colds") compare equal. Words are code page 1251 bytes.

struct sb_stemmer;

namespace gryvel {

// Thread safety: none; one stemmer per thread (each owns its Snowball state).
class TWordStemmer {
 public:
  TWordStemmer();
  ~TWordStemmer();
  TWordStemmer(const TWordStemmer&) = delete;
  TWordStemmer& operator=(const TWordStemmer&) = delete;

  // Stores in *stem the stem of `word`, a run of lower-case letters: the Russian stemmer's for
  // a word with a Cyrillic letter and no Latin one, the English stemmer's for a word of Latin
  // letters only, the word itself otherwise (mixed scripts, other characters). A stem keeps
  // the word's ё: whether ё counts as е is the caller's choice.
  void Stem(std::string_view word, std::string* stem);

 private:
  sb_stemmer* FRussian;
  sb_stemmer* FEnglish;
  std::string FBuffer;
};

}  // namespace gryvel
