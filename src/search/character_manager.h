#pragma once

#include <string>
#include <vector>

#include "search/letter_maps.h"

// Which bytes count as the same letter: case (the case-sensitive option) and the user's
// equal-letters groups (for example ё counted as е).

namespace gryvel {

// One equal-letters group.
struct TEqualLetters {
  std::string Letters;     // code page 1251, any case, any order
  char Equivalent = '\0';  // the letter that stands for all of them
  bool Active = false;

  bool operator==(const TEqualLetters&) const = default;
};

using AEqualLetters = std::vector<TEqualLetters>;

// Whether a manager drives the process-wide MatchMap (the searches' manager) or is a
// working copy, such as the options dialog's, which never changes how searches compare.
enum class TManagerRole { Search, WorkingCopy };

// Keeps the 256-byte letter maps for the current groups and case option. Every manager
// fills CollationMap on construction; the search manager also points MatchMap at its
// LetterMap (case-sensitive) or FoldMap (case-insensitive) whenever they change.
// Not thread-safe: the user-interface thread only.
class TCharacterManager {
 public:
  explicit TCharacterManager(TManagerRole role = TManagerRole::Search);
  // A search manager points MatchMap back at the identity.
  ~TCharacterManager();
  TCharacterManager(const TCharacterManager&) = delete;
  TCharacterManager& operator=(const TCharacterManager&) = delete;

  const TByteMap& LetterMap() const { return FLetterMap; }
  const TByteMap& FoldMap() const { return FFoldMap; }
  // The map searches compare through: LetterMap if case-sensitive, else FoldMap.
  const TByteMap& CurrentMap() const { return FCaseSensitive ? FLetterMap : FFoldMap; }

  std::uint8_t MapChar(std::uint8_t x) const { return FLetterMap[x]; }
  // Replaces every byte of `s` by its LetterMap value, in place.
  void MapString(std::string& s) const;

  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

  int EqualLettersCount() const { return static_cast<int>(FEqualLetters.size()); }
  // A copy of group `index`; an empty record when the index is out of range.
  TEqualLetters GetEqualLetters(int index) const;
  // False for an index out of range.
  bool GetEqualLettersActive(int index) const;
  // Stores Active, then applies (true) or removes (false) the group; ignores a bad index.
  void SetEqualLettersActive(int index, bool active);
  // Appends a copy and applies or removes it by its Active; returns the new index.
  int AddEqualLetters(const TEqualLetters& group);
  // Removes the old group if active, then stores and applies the new one if active.
  void SetEqualLetters(int index, const TEqualLetters& group);
  // Removes the group from the maps (active or not) and from the list; ignores a bad index.
  void DeleteEqualLetters(int index);
  void ClearEqualLetters();
  // Replaces the groups by copies of `source`'s, in order.
  void AssignEqualLetters(const TCharacterManager& source);

 private:
  void ApplyGroup(const TEqualLetters& group);
  void RemoveGroup(const TEqualLetters& group);
  void UpdateMatchMap() const;
  bool ValidIndex(int index) const { return index >= 0 && index < EqualLettersCount(); }

  TByteMap FLetterMap;
  TByteMap FFoldMap;
  AEqualLetters FEqualLetters;
  bool FCaseSensitive = false;
  TManagerRole FRole;
};

}  // namespace gryvel
