// Arbitrary bytes as a pattern or anagram letters and as words: no crash, no out-of-bounds
// read, no hang. A word shorter than the pattern's MinLength never matches; and where letters
// are compared as they are (case counts, no equal letters) and the pattern has no numbered
// positions, a match agrees with an independent reading of the pattern as a regular
// expression. Input: one flags byte, the pattern up to the first newline (also the anagram
// letters), then one word per line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "search/character_manager.h"
#include "search/string_searcher.h"
#include "support/pattern_regex.h"

namespace {

// The placement search grows combinatorially with the word length; dictionary words are
// short, and the fuzzer looks for memory errors, not for slow inputs.
constexpr std::size_t kMaxPattern = 48;
constexpr std::size_t kMaxWord = 20;
constexpr int kMaxWords = 64;
// std::regex backtracks over every star: the check keeps to a few.
constexpr std::ptrdiff_t kMaxCheckedStars = 4;

[[noreturn]] void Broken(const char* property, std::string_view pattern, std::string_view word) {
  std::fprintf(stderr, "%s: pattern '%.*s', word '%.*s'\n", property,
               static_cast<int>(pattern.size()), pattern.data(), static_cast<int>(word.size()),
               word.data());
  std::abort();
}

// The regular expression to check matches against, when letters compare as they are.
std::optional<std::regex> Reading(std::string_view pattern, bool plain_letters) {
  if (!plain_letters || std::count(pattern.begin(), pattern.end(), '*') > kMaxCheckedStars ||
      std::any_of(pattern.begin(), pattern.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const auto reading = gryvel::testing::ReadPattern(pattern);
  return std::regex(reading ? reading->Expression : "[^\\s\\S]");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  using namespace gryvel;
  const std::uint8_t flags = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

  TCharacterManager manager;
  manager.SetCaseSensitive(flags & 1);
  if (flags & 2) manager.AddEqualLetters(TEqualLetters{"\xB8", '\xE5', true});  // ё as е
  if (flags & 4) manager.AddEqualLetters(TEqualLetters{"?*1", 'a', (flags & 8) != 0});
  TStringSearcher searcher;
  searcher.SetCharacterManager(&manager);

  const std::size_t newline = rest.find('\n');
  std::string_view pattern = rest.substr(0, newline);
  if (pattern.size() > kMaxPattern) return 0;
  searcher.SetPattern(pattern);
  // Case counts and no group maps a letter: an inactive group maps its letters to themselves.
  const bool plain_letters = (flags & 1) && !(flags & 2) && !((flags & 4) && (flags & 8));
  const std::optional<std::regex> reading = Reading(pattern, plain_letters);
  searcher.SetAnagramString(pattern);
  searcher.SetAnagramOptions(static_cast<TAnagramOptions>((flags >> 5) % 3));
  (void)searcher.MinLength();
  (void)searcher.MaxLength();
  (void)TStringSearcher::IsPattern(pattern);
  if (newline == std::string_view::npos) return 0;
  rest.remove_prefix(newline + 1);

  for (int n = 0; n < kMaxWords && !rest.empty(); ++n) {
    const std::size_t end = rest.find('\n');
    std::string_view word = rest.substr(0, std::min(end, kMaxWord));
    const bool matched = searcher.Match(word);
    if (matched && static_cast<int>(word.size()) < searcher.MinLength())
      Broken("a word shorter than MinLength matched", pattern, word);
    if (reading && matched != std::regex_match(word.begin(), word.end(), *reading))
      Broken("the match differs from the regular expression", pattern, word);
    (void)searcher.IsAnagram(word);
    (void)searcher.IsPalindrome(word);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  if (flags & 16) {
    manager.SetCaseSensitive(!(flags & 1));
    searcher.SetPattern(pattern);  // recompiles for the other case option
    (void)searcher.Match(pattern);
  }
  return 0;
}
