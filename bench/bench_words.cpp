#include "bench_words.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"
#include "dictionary/word_order.h"

namespace gryvel::bench {

std::vector<std::string> GenerateWords(std::size_t count, std::uint32_t seed) {
  std::mt19937 rng(seed);
  // Letters weighted roughly as in running text, so patterns meet realistic hit rates.
  const std::string russian =
      Cp("оооооееееееааааииииннннттттсссрррвввлллкккмммдддпппуууяяыыьгззбччйххжшюцщэфъё");
  const std::string latin = "eeeeeeettttaaaaoooiiinnnsssrrrhhlllddcuumwfgypbvkjxqz";
  std::uniform_int_distribution<int> half(1, 12);
  std::vector<std::string> words;
  words.reserve(count);
  for (std::size_t n = 0; n < count; ++n) {
    const std::string& letters = rng() % 10 < 7 ? russian : latin;
    const int length = half(rng) + half(rng);  // 2..24, peaked in the middle
    std::string word(length, ' ');
    for (char& c : word) c = letters[rng() % letters.size()];
    const unsigned casing = rng() % 100;
    if (casing < 10) {
      word[0] = static_cast<char>(Upper(static_cast<std::uint8_t>(word[0])));
    } else if (casing < 12) {
      for (char& c : word) c = static_cast<char>(Upper(static_cast<std::uint8_t>(c)));
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string Cp(const char* utf8) {
  std::string out;
  const TStatus status = Utf8ToCp1251(utf8, &out);
  if (!status.ok()) {
    std::fprintf(stderr, "%s\n", status.message().c_str());
    std::abort();
  }
  return out;
}

std::vector<std::string> SortedDistinct(std::vector<std::string> words) {
  std::sort(words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return CompareWords(a, b) < 0; });
  words.erase(std::unique(words.begin(), words.end(),
                          [](const std::string& a, const std::string& b) {
                            return CompareWords(a, b) == 0;
                          }),
              words.end());
  return words;
}

void FillEntries(TArticleList& entries, const std::vector<std::string>& words) {
  entries.SetCapacity(static_cast<std::int32_t>(entries.Count() + words.size()));
  for (const std::string& word : words) entries.AddArticle(word);
}

}  // namespace gryvel::bench
