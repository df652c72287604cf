#include "results/meaning_search.h"

#include <algorithm>

#include "common/cp1251_case.h"
#include "results/meaning_words.h"

namespace gryvel {

std::vector<TClueWord> ParseClue(std::string_view clue) {
  const auto letter = [](char c) { return IsLetter(static_cast<std::uint8_t>(c)); };
  std::vector<TClueWord> words;
  std::size_t i = 0;
  while (i < clue.size()) {
    while (i < clue.size() && !letter(clue[i])) ++i;
    const std::size_t start = i;
    while (i < clue.size() && letter(clue[i])) ++i;
    if (i == start) break;
    TClueWord word{std::string(clue.substr(start, i - start)), i < clue.size() && clue[i] == '*'};
    if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
  }
  const auto content = std::stable_partition(words.begin(), words.end(), [](const TClueWord& w) {
    return w.Prefix || !IsFunctionWord(w.Text);
  });
  if (content != words.begin()) words.erase(content, words.end());
  return words;
}

}  // namespace gryvel
