// How much of a set of Russian crossword clues the meaning bridge knows: the share of answers
// it has English words for, the share of clue words longer than three letters it has English
// words for, and the share of answers that come back from a clue word through one of its
// English words. Reads lines "answer<TAB>pattern<TAB>clue[<TAB>...]" (UTF-8, a header line
// first).
// Usage: meaning_bridge_coverage BRIDGE CLUES.tsv
//        meaning_bridge_coverage BRIDGE --show WORD...   (the translations of each word)

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"
#include "dictionary/file_io.h"
#include "results/meaning_bridge.h"

namespace gryvel::bench {
namespace {

constexpr std::size_t kShortestClueWord = 4;  // letters

struct TShare {
  int Known = 0, All = 0;
  void Count(bool known) { Known += known, ++All; }
  void Print(const char* what) const {
    std::printf("%-44s %5d of %5d  %5.1f %%\n", what, Known, All, All ? 100.0 * Known / All : 0);
  }
};

// Prints what the bridge gives for `word` (UTF-8) in both directions.
void Show(TMeaningBridge& bridge, std::string_view utf8) {
  std::string word;
  if (!Utf8ToCp1251(utf8, &word).ok()) return;
  std::vector<TBridgeWord> found;
  for (const bool russian : {true, false}) {
    russian ? bridge.EnglishFor(word, &found) : bridge.RussianFor(word, &found);
    std::printf("%s %s:", std::string(utf8).c_str(), russian ? "→ en" : "→ ru");
    for (const TBridgeWord& w : found)
      std::printf(" %s %.2f", Cp1251ToUtf8(w.Word).c_str(), static_cast<double>(w.Weight));
    std::printf("\n");
  }
}

// The words of `clue` (code page 1251) of at least kShortestClueWord letters.
std::vector<std::string> LongWords(std::string_view clue) {
  std::vector<std::string> words(1);
  for (const char c : clue) {
    if (IsLetter(static_cast<std::uint8_t>(c)))
      words.back() += c;
    else if (!words.back().empty())
      words.emplace_back();
  }
  std::erase_if(words, [](const std::string& w) { return w.size() < kShortestClueWord; });
  return words;
}

// True when `answer` is among the Russian words of an English word of `clue_word`.
bool ComesBack(TMeaningBridge& bridge, const std::string& clue_word, const std::string& answer) {
  std::vector<TBridgeWord> english, russian;
  bridge.EnglishFor(clue_word, &english);
  std::vector<std::string> words;
  for (const TBridgeWord& w : english) words.emplace_back(w.Word);
  for (const std::string& word : words) {
    bridge.RussianFor(word, &russian);
    for (const TBridgeWord& w : russian)
      if (w.Word == answer) return true;
  }
  return false;
}

int Run(int argc, char** argv) {
  TMeaningBridge bridge;
  if (const TStatus status = bridge.Load(PosixFileSystem(), argv[1]); !status.ok()) {
    std::fprintf(stderr, "%s\n", Cp1251ToUtf8(status.message()).c_str());
    return 1;
  }
  if (std::string_view(argv[2]) == "--show") {
    for (int i = 3; i < argc; ++i) Show(bridge, argv[i]);
    return 0;
  }
  std::ifstream in(argv[2]);
  std::string line;
  std::getline(in, line);  // the header
  TShare answers, clue_words, round_trips;
  std::vector<TBridgeWord> found;
  while (std::getline(in, line)) {
    const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) continue;
    std::string answer, clue;
    if (!Utf8ToCp1251(line.substr(0, tab1), &answer).ok() ||
        !Utf8ToCp1251(line.substr(tab2 + 1, line.find('\t', tab2 + 1) - tab2 - 1), &clue).ok())
      continue;
    for (char& c : answer) c = static_cast<char>(Lower(static_cast<std::uint8_t>(c)));
    bridge.EnglishFor(answer, &found);
    answers.Count(!found.empty());
    bool back = false;
    for (const std::string& word : LongWords(clue)) {
      bridge.EnglishFor(word, &found);
      clue_words.Count(!found.empty());
      back = back || ComesBack(bridge, word, answer);
    }
    round_trips.Count(back);
  }
  answers.Print("answers with English words");
  clue_words.Print("clue words of 4+ letters with English words");
  round_trips.Print("answers back from a clue word");
  return 0;
}

}  // namespace
}  // namespace gryvel::bench

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: meaning_bridge_coverage BRIDGE CLUES.tsv | --show WORD...\n");
    return 2;
  }
  return gryvel::bench::Run(argc, argv);
}
