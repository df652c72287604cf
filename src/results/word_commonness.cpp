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
  std::string word, folded;
  while (!lines.empty()) {
    const std::size_t end = std::min(lines.find('\n'), lines.size());
    std::string_view line = lines.substr(0, end);
    lines.remove_prefix(std::min(end + 1, lines.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t space = line.rfind(' ');
    if (space == std::string_view::npos || space == 0) continue;
    std::uint64_t count = 0;
    const std::string_view digits = line.substr(space + 1);
    const auto [rest, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (error != std::errc() || rest != digits.data() + digits.size()) continue;
    if (!Utf8ToCp1251(line.substr(0, space), &word).ok()) continue;
    Fold(word, &folded);
    if (FWords.Find(folded) >= 0) continue;
    FWords.Insert(folded);
    FCounts.push_back(std::log(static_cast<double>(count) + 1));
    FHighest = std::max(FHighest, FCounts.back());
  }
}

double TWordCommonness::Of(std::string_view word) const {
  std::string folded;
  Fold(word, &folded);
  const std::int32_t id = FWords.Find(folded);
  return id < 0 || FHighest <= 0 ? 0.0 : FCounts[static_cast<std::size_t>(id)] / FHighest;
}

const TWordCommonness& TWordCommonness::Bundled() {
  static const TWordCommonness table = [] {
    TWordCommonness lists;
    lists.AddList({gryvel_commonness_en, gryvel_commonness_en_end});
    lists.AddList({gryvel_commonness_ru, gryvel_commonness_ru_end});
    return lists;
  }();
  return table;
}

}  // namespace gryvel
