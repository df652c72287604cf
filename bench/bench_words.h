#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/article_list.h"

// Generated word lists for the benchmarks: the same words on every run.

namespace gryvel::bench {

// `count` words of code page 1251 bytes: mostly Russian, some Latin, lengths 2-24 (most
// around 8-12), mostly lower case with some capitalised and some all-capital words.
std::vector<std::string> GenerateWords(std::size_t count, std::uint32_t seed = 1251);

// `words` sorted in word order with the ones comparing equal to a neighbour dropped.
std::vector<std::string> SortedDistinct(std::vector<std::string> words);

// Appends `words` (in word order, distinct) to `entries`, as a loader would.
void FillEntries(TArticleList& entries, const std::vector<std::string>& words);

// Code page 1251 bytes of a UTF-8 literal; aborts on text the code page cannot hold.
std::string Cp(const char* utf8);

}  // namespace gryvel::bench
