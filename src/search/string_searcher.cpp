#include "search/string_searcher.h"

#include "search/character_manager.h"

namespace gryvel {

void TStringSearcher::SetPattern(std::string_view text) {
  if (!FPattern.SetPattern(text, FCharacterManager)) return;
  FWordCounts.fill(0);
  FMinLength = SIZE_MAX;
  FLengthSpan = 0;
  if (FPattern.PatternCount() > 0) {
    const TPatternStruct& ps = FPattern.Patterns(0);
    FMinLength = static_cast<std::size_t>(ps.MinLength);
    FLengthSpan = static_cast<std::size_t>(ps.MaxLength - ps.MinLength);
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
        return true;
      default:
        if (c >= '0' && c <= '9') return true;
    }
  }
  return false;
}

// The rest of the match once the length fits.
bool TStringSearcher::MatchLetters(std::string_view word) {
  TPatternStruct& ps = FPattern.Patterns(0);
  const int len = static_cast<int>(word.size());
  FMatchWord = reinterpret_cast<const std::uint8_t*>(word.data());
  FMatchLength = len;
  FMatchStruct = &ps;
  FMap = &MatchMap();

  if (ps.LengthOnly) return !ps.HasNames || SlideNames();
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
  for (int i = ps.FirstMovable; i <= ps.LastMovable; ++i) {
    if (!Find(i, start, room)) return false;
    const int next = ps.Items[i].Position + ps.Items[i].Chars.Count;
    room += start - next;
    start = next;
  }
  return !ps.HasNames || CheckNames();
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
    while (p <= last && !TestAt(item, p)) ++p;
    if (p > last) return false;
  }
  item.Position = p;
  return FMatchLength - p + 1 >= item.MinRest;
}

// Searches the placements of the movable items, in odometer order, for one whose
// numbered positions hold equal letters per name and different letters across names.
bool TStringSearcher::CheckNames() {
  if (FPattern.MaxNamedCount() >= 3 && !HasEnoughRepeats()) return false;
  const TPatternStruct& ps = *FMatchStruct;
  while (!PlacementHoldsNames()) {
    if (ps.LastMovable < ps.FirstMovable || !Advance()) return false;
  }
  return true;
}

// Whether some letter occurs at least MaxNamedCount times; leaves the counters zeroed.
bool TStringSearcher::HasEnoughRepeats() {
  const int need = FPattern.MaxNamedCount();
  const TByteMap& map = *FMap;
  int counted = 0;
  bool found = false;
  while (counted < FMatchLength) {
    if (++FWordCounts[map[FMatchWord[counted++]]] >= need) {
      found = true;
      break;
    }
  }
  for (int k = 0; k < counted; ++k) FWordCounts[map[FMatchWord[k]]] = 0;
  return found;
}

// A pattern of one unanchored run of any-letter positions sits at every start in turn, as
// the placement search would move it, without the search's bookkeeping.
bool TStringSearcher::SlideNames() {
  if (FPattern.MaxNamedCount() >= 3 && !HasEnoughRepeats()) return false;
  TPatternItem& item = FMatchStruct->Items[0];
  const int last = FMatchLength - item.Chars.Count + 1;
  for (item.Position = 1; item.Position <= last; ++item.Position)
    if (PlacementHoldsNames()) return true;
  return false;
}

bool TStringSearcher::PlacementHoldsNames() const {
  const TByteMap& map = *FMap;
  const std::vector<TPatternItem>& items = FMatchStruct->Items;
  const std::uint8_t* word = FMatchWord - 1;  // 1-based positions
  TLetterSet used;
  std::uint8_t letter = 0;
  for (const TNameRef& ref : FPattern.NameRefs()) {
    const std::uint8_t here = map[word[items[ref.Item].Position + ref.Offset]];
    if (!ref.FirstPlace) {
      if (here != letter) return false;
    } else {
      // Different names must hold different letters.
      if (used.Contains(here)) return false;
      used.Add(here);
      letter = here;
    }
  }
  return true;
}

bool TStringSearcher::Advance() {
  const TPatternStruct& ps = *FMatchStruct;
  const int k = ps.LastMovable;
  TPatternItem& item = FMatchStruct->Items[k];
  ++item.Position;
  const bool found = Find(k, item.Position, FMatchLength - item.Position + 1);
  if (!found && k > ps.FirstMovable) return Shift(k - 1);
  return found;
}

// Moves item i one letter on and re-places every later movable item leftmost behind it;
// when one no longer fits, item i-1 moves instead.
bool TStringSearcher::Shift(int i) {
  TPatternStruct& ps = *FMatchStruct;
  for (; i >= ps.FirstMovable; --i) {
    bool placed = true;
    for (int j = i; j <= ps.LastMovable && placed; ++j) {
      TPatternItem& item = ps.Items[j];
      if (j == i)
        ++item.Position;
      else
        item.Position = ps.Items[j - 1].Position + ps.Items[j - 1].Chars.Count;
      placed = Find(j, item.Position, FMatchLength - item.Position + 1);
    }
    if (placed) return true;
  }
  return false;
}

}  // namespace gryvel
