#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "search/pattern.h"

// Tests words against the compiled crossword pattern. A search compiles once with
// SetPattern and then calls Match once per word.

namespace gryvel {

class TCharacterManager;

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

  // Whether typed text holds any of "!", "(", ")", "*", "+", a digit or "?".
  static bool IsPattern(std::string_view text);

 private:
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
