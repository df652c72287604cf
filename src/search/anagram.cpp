// The anagram and palindrome tests of TStringSearcher.
//
// Matching a letter of one string with the first unused equal letter of the other leaves
// as many letters unmatched as the counts of the two strings differ, so the tests count
// letters instead of marking copies of the words.

#include "search/character_manager.h"
#include "search/string_searcher.h"

namespace gryvel {

namespace {
constexpr std::uint8_t kJoker = '?';
}

const TByteMap& TStringSearcher::LetterMap() const {
  return FCharacterManager != nullptr ? FCharacterManager->LetterMap() : IdentityMap();
}

void TStringSearcher::SetAnagramString(std::string_view letters) {
  const TByteMap& map = LetterMap();
  FLetterCounts.fill(0);
  FStoredCounts.fill(0);
  FWordCounts.fill(0);
  FAnagramString.assign(letters);
  if (FCharacterManager != nullptr) FCharacterManager->MapString(FAnagramString);
  FJokers = 0;
  std::array<std::int32_t, 256> sought{};
  for (char c : FAnagramString) {
    const auto b = static_cast<std::uint8_t>(c);
    ++FStoredCounts[b];
    ++sought[map[b]];
    if (b == kJoker)
      ++FJokers;
    else
      ++FLetterCounts[map[b]];
  }
  FSoughtLetters.clear();
  for (int c = 0; c < 256; ++c)
    if (sought[c] > 0) FSoughtLetters.push_back({static_cast<std::uint8_t>(c), sought[c]});
}

bool TStringSearcher::IsAnagram(std::string_view word) {
  const TByteMap& map = LetterMap();
  switch (FAnagramOptions) {
    case aoUsual:
      return IsUsualAnagram(word, map);
    case aoExtended:
      return ContainsAllLetters(word, map);
    case aoMakeWords:
      return IsMadeFromLetters(word, map);
  }
  return false;
}

// The letters of the word that are not among the given letters need a joker each.
bool TStringSearcher::MissesWithinJokers(std::string_view word, const TByteMap& map) const {
  std::int32_t misses = 0;
  for (char c : word)
    if (FLetterCounts[map[static_cast<std::uint8_t>(c)]] == 0 && ++misses > FJokers) return false;
  return true;
}

// Every given letter, a joker included, must find its own letter in the word; the jokers
// themselves normally find none and stand for the letters left over.
bool TStringSearcher::IsUsualAnagram(std::string_view word, const TByteMap& map) {
  if (word.size() != FAnagramString.size() || !MissesWithinJokers(word, map)) return false;
  for (char c : word) ++FWordCounts[map[static_cast<std::uint8_t>(c)]];
  std::int32_t misses = 0;
  for (const TLetterCount& sought : FSoughtLetters)
    if (sought.Count > FWordCounts[sought.Letter])
      misses += sought.Count - FWordCounts[sought.Letter];
  ClearWordCounts(word, map);
  return misses <= FJokers;
}

bool TStringSearcher::ContainsAllLetters(std::string_view word, const TByteMap& map) {
  if (word.size() < FAnagramString.size()) return false;
  for (char c : word) ++FWordCounts[map[static_cast<std::uint8_t>(c)]];
  bool contains = true;
  for (const TLetterCount& sought : FSoughtLetters) {
    const std::int32_t needed = FLetterCounts[sought.Letter];  // jokers not counted
    if (needed > FWordCounts[sought.Letter]) {
      contains = false;
      break;
    }
  }
  ClearWordCounts(word, map);
  return contains;
}

// Each letter of the word takes an equal given letter not taken before; the jokers cover
// the letters left without one.
bool TStringSearcher::IsMadeFromLetters(std::string_view word, const TByteMap& map) {
  if (word.size() > FAnagramString.size() || !MissesWithinJokers(word, map)) return false;
  std::int32_t misses = 0;
  for (char c : word) {
    const std::uint8_t letter = map[static_cast<std::uint8_t>(c)];
    if (++FWordCounts[letter] > FStoredCounts[letter] && ++misses > FJokers) break;
  }
  ClearWordCounts(word, map);
  return misses <= FJokers;
}

void TStringSearcher::ClearWordCounts(std::string_view word, const TByteMap& map) {
  for (char c : word) FWordCounts[map[static_cast<std::uint8_t>(c)]] = 0;
}

bool TStringSearcher::IsPalindrome(std::string_view word) const {
  const TByteMap& map = LetterMap();
  const auto* w = reinterpret_cast<const std::uint8_t*>(word.data());
  for (std::size_t i = 0, j = word.size(); i + 1 < j; ++i, --j)
    if (map[w[i]] != map[w[j - 1]]) return false;
  return true;
}

}  // namespace gryvel
