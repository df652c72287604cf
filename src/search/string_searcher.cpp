#include "search/string_searcher.h"

#include <algorithm>

#include "search/character_manager.h"

namespace gryvel {

void TStringSearcher::SetPattern(std::string_view text) {
  if (!FPattern.SetPattern(text, FCharacterManager)) return;
  FWordCounts.fill(0);
  FBindings.assign(FPattern.Names().size(), TBinding{});
  FNamePlaces.clear();
  for (const TNamedCharItem& name : FPattern.Names())
    FNamePlaces.push_back(static_cast<int>(name.Places.size()));
  FMinLength = SIZE_MAX;
  FCountLetters = false;
  FLengthSpan = 0;
  if (FPattern.PatternCount() > 0) {
    const TPatternStruct& ps = FPattern.Patterns(0);
    FMinLength = static_cast<std::size_t>(ps.MinLength);
    FLengthSpan = static_cast<std::size_t>(ps.MaxLength - ps.MinLength);
    // Counting the word's letters first pays off when a name repeats across movable items
    // (branching) or must occur three times or more.
    int named_movable = 0;
    for (int i = ps.FirstMovable; i <= ps.LastMovable; ++i)
      named_movable += !ps.Items[i].Places.empty();
    FCountLetters =
        FPattern.MaxNamedCount() >= 3 || (FPattern.MaxNamedCount() >= 2 && named_movable >= 2);
  }
}

bool TStringSearcher::IsPattern(std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '!':
      case '(':
      case ')':
      case '*':
      case '+':
      case '?':
      case '$':
      case '@':
      case '[':
        return true;
      default:
        if (c >= '0' && c <= '9') return true;
    }
  }
  return false;
}

std::string TStringSearcher::SearchedPattern(std::string_view typed) {
  if (IsPattern(typed)) return std::string(typed);
  return "*" + std::string(typed) + "*";
}

// The rest of the match once the length fits.
bool TStringSearcher::MatchLetters(std::string_view word) {
  TPatternStruct& ps = FPattern.Patterns(0);
  const int len = static_cast<int>(word.size());
  FMatchWord = reinterpret_cast<const std::uint8_t*>(word.data());
  FMatchLength = len;
  FMatchStruct = &ps;
  FMap = &MatchMap();

  if (ps.LengthOnly) return !ps.HasNames || MatchNames(1);
  int start = 1;
  int room = len;
  if (ps.AnchoredStart) {
    TPatternItem& first = ps.Items[0];
    if (first.Chars.Count == 0 || !TestAt(first, 1)) return false;
    first.Position = 1;
    start += first.Chars.Count;
    room -= first.Chars.Count;
  }
  // Without a star the anchored start already tested the same positions.
  if (ps.AnchoredEnd && !ps.NoStar) {
    TPatternItem& last = ps.Items[ps.ItemCount - 1];
    const int pos = len - last.Chars.Count + 1;
    if (last.Chars.Count == 0 || !TestAt(last, pos)) return false;
    last.Position = pos;
    room -= last.Chars.Count;
  }
  if (ps.HasNames) return MatchNames(start);
  for (int i = ps.FirstMovable; i <= ps.LastMovable; ++i) {
    if (!Find(i, start, room)) return false;
    const int next = ps.Items[i].Position + ps.Items[i].Chars.Count;
    room += start - next;
    start = next;
  }
  return true;
}

// Tests the item's positions after its leading any-letter ones against the word, the
// item starting at 1-based `pos`.
bool TStringSearcher::TestAt(const TPatternItem& item, int pos) const {
  const std::uint8_t* w = FMatchWord + (pos - 1);
  const TByteMap& map = *FMap;
  for (int k = item.LeadingAny; k < item.Chars.Count; ++k)
    if (!item.Chars.Sets[k].Contains(map[w[k]])) return false;
  return true;
}

// Places item i at its leftmost fit starting within W[s .. s+r-1].
bool TStringSearcher::Find(int i, int s, int r) {
  TPatternItem& item = FMatchStruct->Items[i];
  const int count = item.Chars.Count;
  if (r < count) return false;
  int p = s;
  if (item.LeadingAny != count) {
    const int last = s + r - count;
    // Most places fail on the first letter tested: check it here before the whole item.
    const TLetterSet& first = item.Chars.Sets[item.LeadingAny];
    const std::uint8_t* at = FMatchWord + item.LeadingAny - 1;
    const TByteMap& map = *FMap;
    while (p <= last && !(first.Contains(map[at[p]]) && TestAt(item, p))) ++p;
    if (p > last) return false;
  }
  item.Position = p;
  return FMatchLength - p + 1 >= item.MinRest;
}

// Whether the movable items, from `start` on, can be placed so that equal names hold equal
// letters and different names different letters, the anchored items staying where they are.
// Equivalent to trying every placement, but a name's letter is fixed at its first place and
// checked at the next ones as soon as they are placed, and placements that cannot lead
// anywhere new are skipped (see PlaceNamed).
bool TStringSearcher::MatchNames(int start) {
  for (TBinding& b : FBindings) b = TBinding{};
  FUsedLetters = TLetterSet{};
  if (!FCountLetters) return PlaceAll(start);
  // A name with k places needs a letter that occurs k times.
  const TByteMap& map = *FMap;
  int most = 0;
  for (int k = 0; k < FMatchLength; ++k) most = std::max(most, ++FWordCounts[map[FMatchWord[k]]]);
  const bool found = most >= FPattern.MaxNamedCount() && PlaceAll(start);
  for (int k = 0; k < FMatchLength; ++k) FWordCounts[map[FMatchWord[k]]] = 0;
  return found;
}

bool TStringSearcher::PlaceAll(int start) {
  TPatternStruct& ps = *FMatchStruct;
  const int last = ps.ItemCount - 1;
  if (ps.AnchoredStart && !BindPlaces(0, 1)) return false;
  if (ps.AnchoredEnd && !(ps.NoStar || BindPlaces(last, ps.Items[last].Position))) return false;
  return PlaceNamed(ps.FirstMovable, start);
}

// Places movable item i and the ones after it, starting at `s` or later. A fit further right
// with the same letters for the names it binds can only leave less room to the items after
// it, so only the leftmost fit of each new binding is tried, and for an item that binds no
// new name only its leftmost fit.
bool TStringSearcher::PlaceNamed(int i, int s) {
  TPatternStruct& ps = *FMatchStruct;
  // Runs without positions fit anywhere; skipping them keeps the recursion no deeper than
  // the word is long.
  for (; i <= ps.LastMovable && ps.Items[i].Chars.Count == 0; ++i) ps.Items[i].Position = s;
  if (i > ps.LastMovable) return true;
  TPatternItem& item = ps.Items[i];
  const int new_name = NewNames(item);
  const int last = FMatchLength - item.MinRest + 1;
  const bool any_letters = item.LeadingAny == item.Chars.Count;
  TLetterSet tried;  // the letters tried for a single new name
  for (int p = s; p <= last; ++p) {
    if ((!any_letters && !TestAt(item, p)) || !BindPlaces(i, p)) continue;
    if (new_name >= 0) {
      const auto letter = static_cast<std::uint8_t>(FBindings[new_name].Letter);
      if (tried.Contains(letter)) {
        UnbindPlaces(i);
        continue;
      }
      tried.Add(letter);
    }
    item.Position = p;
    if (PlaceNamed(i + 1, p + item.Chars.Count)) return true;
    UnbindPlaces(i);
    if (new_name == kNoNewName) return false;
  }
  return false;
}

// kNoNewName when every name of the item is bound, the index of its only unbound name, or
// kSeveralNewNames.
int TStringSearcher::NewNames(const TPatternItem& item) const {
  int found = kNoNewName;
  for (const TItemPlace& place : item.Places) {
    if (FBindings[place.Name].Letter >= 0 || place.Name == found) continue;
    if (found != kNoNewName) return kSeveralNewNames;
    found = place.Name;
  }
  return found;
}

// Checks item i's numbered positions, the item starting at 1-based `pos`, against the bound
// names and binds the unbound ones. On a conflict undoes its own bindings and returns false.
bool TStringSearcher::BindPlaces(int i, int pos) {
  const TPatternItem& item = FMatchStruct->Items[i];
  const std::uint8_t* w = FMatchWord + (pos - 1);
  const TByteMap& map = *FMap;
  // Equal names inside the item first: most placements fail there, before any binding.
  for (const TItemPlace& place : item.Places)
    if (place.SameAs >= 0 && map[w[place.Offset]] != map[w[place.SameAs]]) return false;
  for (const TItemPlace& place : item.Places) {
    if (place.SameAs >= 0) continue;
    const std::uint8_t letter = map[w[place.Offset]];
    TBinding& binding = FBindings[place.Name];
    if (binding.Letter >= 0) {
      if (binding.Letter == letter) continue;
    } else if (!FUsedLetters.Contains(letter) &&  // different names, different letters
               (!FCountLetters || FWordCounts[letter] >= FNamePlaces[place.Name])) {
      binding = TBinding{letter, static_cast<std::int16_t>(i)};
      FUsedLetters.Add(letter);
      continue;
    }
    UnbindPlaces(i);
    return false;
  }
  return true;
}

void TStringSearcher::UnbindPlaces(int i) {
  for (const TItemPlace& place : FMatchStruct->Items[i].Places) {
    TBinding& binding = FBindings[place.Name];
    if (binding.BoundBy != i) continue;
    FUsedLetters.Remove(static_cast<std::uint8_t>(binding.Letter));
    binding = TBinding{};
  }
}

}  // namespace gryvel
