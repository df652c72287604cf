// How well the search by meaning answers real crossword clues: for each line "clue<TAB>
// answer<TAB>pattern" of the given files (UTF-8, "#" starts a comment), a search over both
// bundled dictionaries; prints the answer's place in the result (or "-") per clue, then how
// often the answer came first and how often it was among the first ten.
// Usage: meaning_quality CLUES.tsv...

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/cp1251_utf8.h"
#include "common/synchronize.h"
#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

namespace gryvel::bench {
namespace {

constexpr const char* kDictionaries[] = {GRYVEL_BUNDLED_DIRECTORY "/dictionary.kiv",
                                         GRYVEL_BUNDLED_DIRECTORY "/english.kiv"};

std::string Cp(const std::string& utf8) {
  std::string text;
  if (!Utf8ToCp1251(utf8, &text).ok()) std::fprintf(stderr, "not code page 1251: %s\n", utf8.c_str());
  return text;
}

// The answer's place in the view (1 for the first), 0 when it is not there.
std::size_t Place(TResultSource& source, const TDictionaryCollection& collection,
                  const std::string& answer) {
  const std::vector<std::int32_t>& view = source.View();
  for (std::size_t k = 0; k < view.size(); ++k)
    if (collection.Item(view[k])->Word == answer) return k + 1;
  return 0;
}

int Run(int argc, char** argv) {
  SetUiThread();
  TCharacterManager manager;
  TStringSearcher searcher;
  searcher.SetCharacterManager(&manager);
  TDictionaryCollection collection;
  collection.SetStringSearcher(&searcher);
  TKivDictionaries all;
  for (const char* file : kDictionaries)
    all.push_back(collection.Dictionary(collection.AddDictionary(file)));
  collection.LoadNow(all);
  for (TKivDictionary* dictionary : all) collection.Connect(*dictionary);
  TResultSource source;
  source.SetDictionary(&collection);
  for (int f = 1; f < argc; ++f) {
    std::ifstream in(argv[f]);
    int clues = 0, first = 0, top10 = 0;
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      const std::size_t a = line.find('\t');
      const std::size_t b = line.find('\t', a + 1);
      const std::string clue = line.substr(0, a);
      const std::string answer = line.substr(a + 1, b - a - 1);
      source.SearchMeaning(Cp(line.substr(b + 1)), Cp(clue));
      source.SetFilterActive(true);
      const std::size_t place = Place(source, collection, Cp(answer));
      ++clues;
      first += place == 1;
      top10 += place >= 1 && place <= 10;
      std::printf("%s\t%s\t%s\tof %d\n", clue.c_str(), answer.c_str(),
                  place == 0 ? "-" : std::to_string(place).c_str(), source.Count());
      source.SetFilterActive(false);
    }
    std::printf("%s: %d clues, answer first %d (%.0f %%), in the first ten %d (%.0f %%)\n\n",
                argv[f], clues, first, 100.0 * first / clues, top10, 100.0 * top10 / clues);
  }
  return 0;
}

}  // namespace
}  // namespace gryvel::bench

int main(int argc, char** argv) {
  return gryvel::bench::Run(argc, argv);
}
