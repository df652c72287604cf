#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dictionary/dictionary_collection.h"
#include "dictionary/word_order.h"
#include "support/text.h"

// What every test of the collection checks about its merged list.

namespace gryvel::testing {

// Gives an empty dictionary `words` as a load would (sorted, without AddWord's notices) and
// marks it loaded.
inline void Fill(TKivDictionary& dictionary, std::vector<std::string> words) {
  std::sort(words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return CompareWords(a, b) < 0; });
  for (const std::string& word : words) dictionary.Entries().AddArticle(word);
  dictionary.SetLoaded();
}

inline std::vector<std::string> MergedWords(const TDictionaryCollection& collection) {
  std::vector<std::string> words;
  for (const TArticleItem* item : collection.Items()) words.push_back(item->Word);
  return words;
}

// The merged list is in strict word order, each pointer belongs to a connected dictionary, and
// its words are exactly those of the connected dictionaries. REQUIRES: no load is running.
inline void ExpectConsistent(const TDictionaryCollection& collection) {
  const TEntryPointers& items = collection.Items();
  for (std::size_t i = 1; i < items.size(); ++i)
    ASSERT_LT(CompareWords(items[i - 1]->Word, items[i]->Word), 0)
        << Utf(items[i - 1]->Word) << " before " << Utf(items[i]->Word);
  for (std::int32_t i = 0; i < collection.Count(); ++i)
    ASSERT_NE(nullptr, collection.Owner(i)) << Utf(items[i]->Word);

  std::vector<std::string> expected;
  for (std::int32_t d = 0; d < collection.DictionaryCount(); ++d) {
    const TKivDictionary& dictionary = *collection.Dictionary(d);
    ASSERT_FALSE(dictionary.Loading());
    if (!dictionary.Connected()) continue;
    for (const TArticleItem* item : dictionary.Entries().Items()) expected.push_back(item->Word);
  }
  std::stable_sort(
      expected.begin(), expected.end(),
      [](const std::string& a, const std::string& b) { return CompareWords(a, b) < 0; });
  expected.erase(std::unique(expected.begin(), expected.end(),
                             [](const std::string& a, const std::string& b) {
                               return CompareWords(a, b) == 0;
                             }),
                 expected.end());
  std::vector<std::string> merged = MergedWords(collection);
  ASSERT_EQ(expected.size(), merged.size());
  for (std::size_t i = 0; i < merged.size(); ++i)
    ASSERT_EQ(0, CompareWords(expected[i], merged[i]))
        << Utf(expected[i]) << " / " << Utf(merged[i]);
}

}  // namespace gryvel::testing
