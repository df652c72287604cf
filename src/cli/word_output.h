#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/article_list.h"

// What the commands print on stdout: words with their details, result texts, counts. Engine
// text is converted to UTF-8 here.

namespace gryvel {
class TDictionaryCollection;
}

namespace gryvel::cli {

// How a list is printed.
enum class TListStyle {
  Lines,      // one item per line
  Described,  // word, a tab, the description on one line (see OneLineText)
  Json,       // a JSON array
  Count,      // only the number of items
};

// Prints the merged entries `indices` of `collection` in that order: words (Lines), words
// and descriptions (Described), an array of {word, parts, number, description} (Json), or
// their number (Count).
void PrintEntries(const TDictionaryCollection& collection, const std::vector<std::int32_t>& indices,
                  TListStyle style);

// Prints `texts` (code page 1251) one per line, as a JSON array of strings, or their number.
// Described prints as Lines.
void PrintTexts(const std::vector<std::string>& texts, TListStyle style);

// Writes `utf8` to stdout as it is.
void PrintRaw(std::string_view utf8);

// The abbreviated parts of speech of `item` ("n., v."); "" for none.
std::string PartsText(const TArticleItem& item);
// "singular", "plural", "singular, plural" or "" by the number flags of `item`.
std::string NumberText(const TArticleItem& item);

// Engine text (code page 1251) on one line, in UTF-8: a line feed becomes the two characters
// "\n", a tab "\t" and a backslash "\\"; carriage returns are dropped.
std::string OneLineText(std::string_view cp1251);
// Engine text in UTF-8 with carriage returns dropped, so that "\r\n" and "\n\r" both end a
// line with "\n".
std::string PlainText(std::string_view cp1251);

}  // namespace gryvel::cli
