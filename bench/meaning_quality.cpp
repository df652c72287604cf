// How well the search by meaning answers crossword clues. Each line of the given files is
// "clue<TAB>answer[<TAB>pattern]" (UTF-8; "#" starts a comment; the "# source:" and
// "# licence:" lines, with their continuation lines "#  ...", say where the clues come from
// and are printed with the figures), or, in a file whose first line is a header naming the
// columns "answer", "pattern" and "clue" (others are ignored), in the columns it names.
// Without a pattern the clue gets the answer's length with its 2nd and 4th letters shown, as
// crossing words give them. Each clue runs as `gryvel-cli meaning PATTERN CLUE` does, over
// both bundled dictionaries; the program prints the answer's place per clue (or "-"), why a
// miss missed, the way the answer was found, then how often the answer came first, among
// the first ten and anywhere.
// Usage: meaning_quality CLUES.tsv...

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "bundled_session.h"
#include "common/cp1251_utf8.h"
#include "dictionary/dictionary_collection.h"
#include "results/meaning_index.h"
#include "results/meaning_search.h"
#include "results/result_source.h"
#include "search/letter_maps.h"

namespace gryvel::bench {
namespace {

// Why the answer was not among the first ten, in the order they are checked.
enum class TOutcome {
  kFirst,
  kTopTen,
  kRankedLow,      // found, below the tenth place
  kNotInList,      // the answer is no word of the dictionaries
  kNoEntry,        // a one-word clue whose word has no entry: an inflected or unknown form
  kMultiWord,      // no word of a clue of several reaches the answer
  kNoSynonym,      // a one-word clue with an entry that neither names nor is named by the answer
};
constexpr std::size_t kOutcomes = 7;
constexpr const char* kOutcomeNames[kOutcomes] = {
    "first", "top ten", "found below the tenth place", "answer not in the word list",
    "clue word without an entry (inflected or unknown form)", "multi-word clue",
    "no synonym in the data"};

struct TClue {
  std::string Clue, Answer, Pattern;  // code page 1251
};

// The answer's length with its 2nd and 4th letters shown.
std::string RevealedPattern(std::string_view answer) {
  std::string pattern(answer.size(), '?');
  for (const std::size_t at : {std::size_t{1}, std::size_t{3}})
    if (at < answer.size()) pattern[at] = answer[at];
  return pattern;
}

bool ToCp1251(std::string_view utf8, std::string* text) {
  return Utf8ToCp1251(utf8, text).ok();
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// Where the clue, the answer and the pattern stand in a line.
struct TColumns {
  std::size_t Clue = 0, Answer = 1, Pattern = 2;
  std::size_t Least = 2, Most = 3;  // fields a line may have
};

// The columns a header line names; false when it is no header.
bool ReadHeader(const std::string& line, TColumns* columns) {
  const std::vector<std::string> names = SplitTabs(line);
  const auto at = [&](const char* name) {
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
  };
  TColumns named{at("clue"), at("answer"), at("pattern"), 0, names.size() + 1};
  if (named.Clue == names.size() || named.Answer == names.size()) return false;
  named.Least = std::max(named.Clue, named.Answer) + 1;
  *columns = named;
  return true;
}

// Reads `path`; prints the provenance lines and every line it cannot use. False when the
// file cannot be read.
bool ReadClues(const char* path, std::vector<TClue>* clues) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", path);
    return false;
  }
  int number = 0;
  bool provenance = false;  // within a "# source:" or "# licence:" line and its continuation
  TColumns columns;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && ReadHeader(line, &columns)) continue;
    provenance = line.starts_with("# source:") || line.starts_with("# licence:") ||
                 (provenance && line.starts_with("#  "));
    if (provenance) std::printf("%s\n", line.c_str());
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = SplitTabs(line);
    const auto field = [&](std::size_t k) {
      return k < fields.size() ? fields[k] : std::string();
    };
    TClue clue;
    if (fields.size() < columns.Least || fields.size() > columns.Most ||
        field(columns.Clue).empty() || field(columns.Answer).empty() ||
        !ToCp1251(field(columns.Clue), &clue.Clue) ||
        !ToCp1251(field(columns.Answer), &clue.Answer) ||
        !ToCp1251(field(columns.Pattern), &clue.Pattern)) {
      std::fprintf(stderr, "%s:%d: not a clue, an answer and a pattern in UTF-8, skipped\n",
                   path, number);
      continue;
    }
    if (clue.Pattern.empty()) clue.Pattern = RevealedPattern(clue.Answer);
    clues->push_back(std::move(clue));
  }
  return true;
}

std::string Utf8(std::string_view cp1251) {
  return Cp1251ToUtf8(cp1251);
}

class TScorer {
 public:
  // Runs `clue`; *place is the answer's place (1 for the first, 0 when absent), *found the
  // size of the result.
  TOutcome Score(const TClue& clue, std::size_t* place, std::int32_t* found) {
    const std::int32_t answer = FCollection.Find(clue.Answer);
    FSource.SearchMeaning(clue.Pattern, clue.Clue);
    FSource.SetFilterActive(true);
    *found = FSource.Count();
    *place = 0;
    const std::vector<std::int32_t>& view = FSource.View();
    for (std::size_t k = 0; answer >= 0 && k < view.size() && *place == 0; ++k)
      if (view[k] == answer) *place = k + 1;
    FSource.SetFilterActive(false);
    if (*place == 1) return TOutcome::kFirst;
    if (*place > 0) return *place <= 10 ? TOutcome::kTopTen : TOutcome::kRankedLow;
    if (answer < 0) return TOutcome::kNotInList;
    const std::vector<TClueWord> words = ParseClue(clue.Clue);
    if (words.size() > 1) return TOutcome::kMultiWord;
    return words.empty() || HasEntry(words[0].Text) ? TOutcome::kNoSynonym : TOutcome::kNoEntry;
  }

  // How the answer of `clue`, searched last, was found; "" when it was not.
  std::string Why(const TClue& clue) const {
    return FSource.MeaningEvidence(FCollection.Find(clue.Answer));
  }

 private:
  // True when an entry is `word` or has its stem: the entries the search takes as its own.
  bool HasEntry(const std::string& word) {
    if (FCollection.Find(word) >= 0) return true;
    TMeaningIndex& index = *FSource.MeaningIndex();
    std::string key, other;
    index.Key(word, &key);
    const std::string prefix = word.substr(0, std::max<std::size_t>(1, key.size()) - 1);
    const TByteMap& map = CollationMap();
    const TEntryPointers& items = FCollection.Items();
    for (auto i = static_cast<std::size_t>(FCollection.FindPosition(prefix)); i < items.size();
         ++i) {
      const std::string& headword = items[i]->Word;
      if (headword.size() < prefix.size() ||
          !std::equal(prefix.begin(), prefix.end(), headword.begin(), [&](char a, char b) {
            return map[static_cast<std::uint8_t>(a)] == map[static_cast<std::uint8_t>(b)];
          }))
        break;
      index.Key(headword, &other);
      if (other == key) return true;
    }
    return false;
  }

  TBundledSession FSession;
  TDictionaryCollection& FCollection = FSession.Collection;
  TResultSource& FSource = FSession.Source;
};

void Report(const char* path, TScorer& scorer, const std::vector<TClue>& clues) {
  std::array<int, kOutcomes> counts{};
  for (const TClue& clue : clues) {
    std::size_t place = 0;
    std::int32_t found = 0;
    const TOutcome outcome = scorer.Score(clue, &place, &found);
    ++counts[static_cast<std::size_t>(outcome)];
    std::printf("%s\t%s\t%s\t%s\tof %d\t%s\t%s\n", Utf8(clue.Clue).c_str(),
                Utf8(clue.Answer).c_str(), Utf8(clue.Pattern).c_str(),
                place == 0 ? "-" : std::to_string(place).c_str(), found,
                kOutcomeNames[static_cast<std::size_t>(outcome)], scorer.Why(clue).c_str());
  }
  const auto n = static_cast<int>(clues.size());
  const auto percent = [n](int k) { return n == 0 ? 0.0 : 100.0 * k / n; };
  const int first = counts[0];
  const int top10 = counts[0] + counts[1];
  const int anywhere = top10 + counts[2];
  std::printf(
      "%s: %d clues, answer first %d (%.0f %%), in the first ten %d (%.0f %%), "
      "anywhere %d (%.0f %%)\n",
      path, n, first, percent(first), top10, percent(top10), anywhere, percent(anywhere));
  for (std::size_t k = 2; k < kOutcomes; ++k)
    if (counts[k] > 0) std::printf("  missed, %s: %d\n", kOutcomeNames[k], counts[k]);
  std::printf("\n");
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: meaning_quality CLUES.tsv...\n");
    return 2;
  }
  TScorer scorer;
  int status = 0;
  for (int f = 1; f < argc; ++f) {
    std::vector<TClue> clues;
    if (!ReadClues(argv[f], &clues)) {
      status = 1;
      continue;
    }
    Report(argv[f], scorer, clues);
  }
  return status;
}

}  // namespace
}  // namespace gryvel::bench

int main(int argc, char** argv) {
  return gryvel::bench::Run(argc, argv);
}
