#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/pattern.h"

// Tests words against the compiled crossword pattern, against the anagram letters, and as
// palindromes. A search sets the pattern or the letters once and then tests every word.

namespace gryvel {

class TCharacterManager;

// The anagram question (stored as one byte: 0, 1, 2).
enum TAnagramOptions : std::uint8_t {
  aoUsual = 0,      // the same letters, jokers standing for any
  aoExtended = 1,   // contains every given letter at least as often
  aoMakeWords = 2,  // made up from the given letters, each used once, jokers for any
};

// Not thread-safe: Match writes the searcher's scratch state, so one search at a time,
// on the user-interface thread.
class TStringSearcher {
 public:
  TStringSearcher() = default;
  TStringSearcher(const TStringSearcher&) = delete;
  TStringSearcher& operator=(const TStringSearcher&) = delete;

  // The manager whose letter maps compile patterns; a borrow, owned by the caller.
  TCharacterManager* CharacterManager() const { return FCharacterManager; }
  void SetCharacterManager(TCharacterManager* manager) { FCharacterManager = manager; }

  // Compiles `text` (see TPattern). Compiling the same text with the same case option
  // again is free.
  void SetPattern(std::string_view text);
  int MinLength() const { return FPattern.MinLength(); }
  int MaxLength() const { return FPattern.MaxLength(); }
  TPattern& Pattern() { return FPattern; }
  const TPattern& Pattern() const { return FPattern; }

  // Whether `word` (code page 1251) fits the compiled pattern from its first letter to
  // its last, comparing letters through MatchMap. False when no pattern is compiled.
  // Allocates nothing.
  bool Match(std::string_view word) {
    // Most words are decided by their length alone; one unsigned compare tests both limits.
    if (word.size() - FMinLength > FLengthSpan) return false;
    return MatchLetters(word);
  }

  // Whether typed text holds a wildcard of either syntax: any of "!", "(", ")", "*", "+", "?",
  // a digit, "$", "@" or "[". A lone "]" or "^" is ordinary text.
  static bool IsPattern(std::string_view text);
  // The pattern searched for typed text: the text itself when it IsPattern, else "*text*",
  // so that a plain word finds every word holding it. A crossword search and the pattern of a
  // search by meaning both take typed text this way.
  static std::string SearchedPattern(std::string_view typed);

  // The anagram letters, mapped through the manager's LetterMap when set; "?" is a joker.
  // Later changes of the equal letters apply at the next assignment.
  const std::string& AnagramString() const { return FAnagramString; }
  void SetAnagramString(std::string_view letters);
  TAnagramOptions AnagramOptions() const { return FAnagramOptions; }
  void SetAnagramOptions(TAnagramOptions options) { FAnagramOptions = options; }

  // The AnagramOptions question about `word`, comparing letters through LetterMap (case
  // kept whatever the case option). Allocates nothing.
  bool IsAnagram(std::string_view word);
  // Whether `word` reads the same backwards through LetterMap.
  bool IsPalindrome(std::string_view word) const;

 private:
  const TByteMap& LetterMap() const;
  bool MissesWithinJokers(std::string_view word, const TByteMap& map) const;
  bool IsUsualAnagram(std::string_view word, const TByteMap& map);
  bool ContainsAllLetters(std::string_view word, const TByteMap& map);
  bool IsMadeFromLetters(std::string_view word, const TByteMap& map);
  void ClearWordCounts(std::string_view word, const TByteMap& map);

  bool MatchLetters(std::string_view word);
  bool TestAt(const TPatternItem& item, int pos) const;
  bool Find(int i, int s, int r);
  bool MatchNames(int start);
  bool PlaceAll(int start);
  bool PlaceNamed(int i, int s);
  static constexpr int kNoNewName = -1;
  static constexpr int kSeveralNewNames = -2;
  int NewNames(const TPatternItem& item) const;
  bool BindPlaces(int i, int pos);
  void UnbindPlaces(int i);

  // A name's letter while a word is matched; Letter < 0 while unbound.
  struct TBinding {
    std::int16_t Letter = -1;
    std::int16_t BoundBy = -1;  // the item whose place bound it
  };

  // The compiled length limits; no pattern rejects every length.
  std::size_t FMinLength = SIZE_MAX;
  std::size_t FLengthSpan = 0;
  // Anagram state: how often each mapped letter occurs among the given letters (jokers
  // not counted), the given bytes as stored, and the distinct letters to look for.
  std::array<std::int32_t, 256> FLetterCounts{};
  std::array<std::int32_t, 256> FStoredCounts{};
  struct TLetterCount {
    std::uint8_t Letter;
    std::int32_t Count;
  };
  std::vector<TLetterCount> FSoughtLetters;
  std::string FAnagramString;
  TAnagramOptions FAnagramOptions = aoUsual;
  std::int32_t FJokers = 0;

  const std::uint8_t* FMatchWord = nullptr;
  int FMatchLength = 0;
  TPatternStruct* FMatchStruct = nullptr;
  const TByteMap* FMap = nullptr;  // MatchMap while a word is matched
  std::array<std::int32_t, 256> FWordCounts{};
  std::vector<TBinding> FBindings;  // one per name, sized when compiling
  std::vector<int> FNamePlaces;     // how many places each name has
  bool FCountLetters = false;       // whether MatchNames counts the word's letters first
  TLetterSet FUsedLetters;          // the letters of the bound names
  TPattern FPattern;
  TCharacterManager* FCharacterManager = nullptr;
};

}  // namespace gryvel
