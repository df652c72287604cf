#include "results/word_commonness.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"

// The lists of data/frequency, linked in as they are (see word_commonness_lists.S).
extern "C" const char gryvel_commonness_en[];
extern "C" const char gryvel_commonness_en_end[];
extern "C" const char gryvel_commonness_ru[];
extern "C" const char gryvel_commonness_ru_end[];

namespace gryvel {

namespace {

constexpr std::uint8_t kYo = 0xB8;  // ё
constexpr std::uint8_t kYe = 0xE5;  // е

// `word` in lower case with ё as е, into *out.
void Fold(std::string_view word, std::string* out) {
  out->resize(word.size());
  for (std::size_t i = 0; i < word.size(); ++i) {
    const std::uint8_t lower = kLowerCase[static_cast<std::uint8_t>(word[i])];
    (*out)[i] = static_cast<char>(lower == kYo ? kYe : lower);
  }
}

}  // namespace

void TWordCommonness::AddList(std::string_view lines) {
  // About one word per 12 bytes of a list, each about 8 bytes long.
  FWords.Reserve(static_cast<std::size_t>(FWords.Count()) + lines.size() / 12,
                 lines.size() * 3 / 4);
  const std::size_t first = FCounts.size();
  double highest = 0;
  std::string word, folded;
  while (!lines.empty()) {
    const std::size_t end = std::min(lines.find('\n'), lines.size());
    std::string_view line = lines.substr(0, end);
    lines.remove_prefix(std::min(end + 1, lines.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // "word count", or with a tab as the programs carry the lists.
    const std::size_t space = line.find_last_of(" \t");
    if (space == std::string_view::npos || space == 0) continue;
    std::uint64_t count = 0;
    const std::string_view digits = line.substr(space + 1);
    const auto [rest, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (error != std::errc() || rest != digits.data() + digits.size()) continue;
    const std::string_view utf8 = line.substr(0, space);
    // Most English forms are ASCII, which needs no conversion.
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<std::uint8_t>(c) < 0x80; });
    if (!ascii && !Utf8ToCp1251(utf8, &word).ok()) continue;
    Fold(ascii ? utf8 : std::string_view(word), &folded);
    if (FWords.Find(folded) >= 0) continue;
    FWords.Insert(folded);
    FCounts.push_back(std::log(static_cast<double>(count) + 1));
    highest = std::max(highest, FCounts.back());
  }
  // Each list on its own scale: corpora of different sizes rank their words alike.
  if (highest > 0)
    for (std::size_t i = first; i < FCounts.size(); ++i) FCounts[i] /= highest;
}

double TWordCommonness::Of(std::string_view word) const {
  // Folded on the stack: the search asks for every word it found.
  constexpr std::size_t kLongest = 64;
  if (word.size() > kLongest) return 0;
  char folded[kLongest];
  for (std::size_t i = 0; i < word.size(); ++i) {
    const std::uint8_t lower = kLowerCase[static_cast<std::uint8_t>(word[i])];
    folded[i] = static_cast<char>(lower == kYo ? kYe : lower);
  }
  const std::int32_t id = FWords.Find(std::string_view(folded, word.size()));
  return id < 0 ? 0.0 : FCounts[static_cast<std::size_t>(id)];
}

TWordCommonness TWordCommonness::ReadBundledLists() {
  TWordCommonness lists;
  lists.AddList({gryvel_commonness_en, gryvel_commonness_en_end});
  lists.AddList({gryvel_commonness_ru, gryvel_commonness_ru_end});
  return lists;
}

const TWordCommonness& TWordCommonness::Bundled() {
  static const TWordCommonness table = ReadBundledLists();
  return table;
}

}  // namespace gryvel
