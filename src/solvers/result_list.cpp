#include "solvers/result_list.h"

#include <algorithm>
#include <cstdio>

#include "dictionary/word_order.h"

namespace gryvel {

namespace {

// The entry word of result `number` (1-based): at least four digits, zero-padded.
std::string NumberWord(std::size_t number) {
  char text[24];
  std::snprintf(text, sizeof text, "%.4zu", number);
  return text;
}

}  // namespace

TResultList::TResultList() : FDictionary(FCollection.Dictionary(FCollection.NewDictionary())) {
  FCollection.Connect(*FDictionary);
}

void TResultList::Clear() {
  FTexts.clear();
  FShown = 0;
  FCollection.ClearAll();
}

void TResultList::Add(std::string_view text) {
  FTexts.emplace_back(text);
}

TDictionaryCollection& TResultList::Collection() {
  if (FShown == FTexts.size()) return FCollection;
  // Numbers past 9999 sort among the shorter ones: the entries are made afresh in word order.
  std::vector<std::pair<std::string, std::size_t>> numbered;
  numbered.reserve(FTexts.size());
  for (std::size_t i = 0; i < FTexts.size(); ++i) numbered.emplace_back(NumberWord(i + 1), i);
  std::sort(numbered.begin(), numbered.end(),
            [](const auto& a, const auto& b) { return CompareWords(a.first, b.first) < 0; });
  FCollection.Disconnect(*FDictionary);
  FDictionary->ClearAll();
  TArticleList& entries = FDictionary->Entries();
  entries.SetCapacity(static_cast<std::int32_t>(numbered.size()));
  for (const auto& [word, result] : numbered) {
    const std::int32_t index = entries.AddArticle(word);
    if (index >= 0) FDictionary->SetDescription(index, FTexts[result]);
  }
  FShown = FTexts.size();
  FCollection.Connect(*FDictionary);
  return FCollection;
}

}  // namespace gryvel
