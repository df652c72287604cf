#include "search/result_list.h"

#include <cstdio>

namespace gryvel {

namespace {

// The entry word of result `number` (1-based): at least four digits, zero-padded.
std::string NumberWord(std::int32_t number) {
  char text[16];
  std::snprintf(text, sizeof text, "%.4d", number);
  return text;
}

}  // namespace

TResultList::TResultList() : FDictionary(FCollection.Dictionary(FCollection.NewDictionary())) {
  FCollection.Connect(*FDictionary);
}

void TResultList::Clear() {
  FCollection.ClearAll();
}

void TResultList::Add(std::string_view text) {
  const std::int32_t index = FDictionary->AddWord(NumberWord(Count() + 1));
  if (index >= 0) FDictionary->SetDescription(index, text);
}

std::string TResultList::Text(std::int32_t index) const {
  // Numbers past 9999 sort among the shorter ones, so an entry is found by its number.
  const std::int32_t at = FDictionary->Entries().IndexOf(NumberWord(index + 1));
  return at >= 0 ? FDictionary->GetDescription(at) : std::string();
}

}  // namespace gryvel
