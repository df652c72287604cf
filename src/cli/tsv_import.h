#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "dictionary/article_list.h"
#include "dictionary/kiv_dictionary.h"

// Building a dictionary from tab-separated lines "word<TAB>parts<TAB>description".

namespace gryvel::cli {

// One entry of the file; texts in code page 1251.
struct TImportEntry {
  std::string Word;
  std::uint16_t Parts = 0;  // kPart* bits
  std::uint16_t Flags = 0;  // kFlagSingular, kFlagPlural
  std::string Description;
};

// The line break stored in imported descriptions, as the entry editor stores one.
inline constexpr std::string_view kDescriptionLineBreak = "\r\n";

// Parses `utf8` (a UTF-8 byte-order mark is skipped; lines end with LF or CR LF; blank lines
// are skipped). Per line: the word (spaces around it dropped), then optionally a tab and the
// parts field, then optionally a tab and the description (the rest of the line). The parts
// field holds letters n a v r p i (noun, adjective, verb, adverb, preposition, interjection),
// then optionally "/" and s (singular) and/or p (plural). In the description "\n" stands for
// a line break, "\t" for a tab and "\\" for a backslash. Fails on the first bad line with a
// UTF-8 message that starts "line N: ".
TStatus ParseTsv(std::string_view utf8, std::vector<TImportEntry>* entries);

// Puts `entries` in word order and merges byte-identical words: parts and number bits are
// combined and distinct descriptions joined by a line break, in file order.
void SortAndMerge(std::vector<TImportEntry>& entries);

// Gives the empty `dictionary` the entries (sorted and merged), all descriptions in memory,
// and marks it loaded. Linear in the number of entries.
void FillDictionary(TKivDictionary& dictionary, const std::vector<TImportEntry>& entries);

// "ENG" when every word is plain ASCII, else "RUS".
std::string GuessLanguage(const TArticleList& entries);

}  // namespace gryvel::cli
