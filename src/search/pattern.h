#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/letter_maps.h"

// A compiled crossword pattern. Syntax: "?" any letter, "*" any run of letters (possibly
// empty), "$" or "+" a consonant, "@" or "!+" a vowel, "[…]" or "(…)" a letter set,
// "[!…]", "(!…)" or "!(…)" its complement, a digit a numbered position (equal digits hold
// equal letters, different digits different letters); any other byte is itself.

namespace gryvel {

class TCharacterManager;

// The positions of one star-free run, one letter set per position.
struct TPatternStr {
  std::vector<TLetterSet> Sets;
  int Count = 0;
};

// A numbered position inside an item: its 0-based offset, the index of its name, and the
// offset of an earlier place of the same name in the same item (-1 if none).
struct TItemPlace {
  int Offset = 0;
  int Name = 0;
  int SameAs = -1;
};

// One star-free run of the pattern.
struct TPatternItem {
  std::string Text;
  TPatternStr Chars;
  int LeadingAny = 0;  // leading positions whose set is full (any-letter and numbered)
  int MinRest = 0;     // positions of this item and all later ones
  bool HasName = false;
  std::vector<TItemPlace> Places;  // its numbered positions, left to right
  int Position = 0;                // matching state: 1-based start in the word being matched
};

// One placement of a numbered name: an item index and a 1-based position inside it.
struct TNamedPlace {
  int Item = 0;
  int Pos = 0;
};

struct TNamedCharItem {
  std::string Name;
  std::vector<TNamedPlace> Places;
};

// One compiled alternative.
struct TPatternStruct {
  std::vector<TPatternItem> Items;
  int MinLength = 0;
  int MaxLength = 0;  // MinLength without a star, else kUnbounded
  int ItemCount = 0;
  bool AnchoredStart = false;  // item 0 sits at position 1
  bool AnchoredEnd = false;    // the last item ends at the last letter
  bool LengthOnly = false;     // only lengths and names matter (e.g. "*???*")
  bool HasNames = false;
  bool NoStar = false;
  int FirstMovable = 0;  // the items searched for, not anchored
  int LastMovable = -1;
};

using TPatterns = std::vector<TPatternStruct>;
using TNamedCharItems = std::vector<TNamedCharItem>;

// Not thread-safe: compiled and matched on the user-interface thread only.
class TPattern {
 public:
  static constexpr int kUnbounded = 2147483647;

  TPattern() = default;
  TPattern(const TPattern&) = delete;
  TPattern& operator=(const TPattern&) = delete;

  // Compiles `text`, first mapping its letters through `manager`'s current map (case kept
  // or folded, equal letters applied; the identity without a manager). Does nothing when
  // the mapped text and the case option equal those of the last compile. Never fails:
  // any text compiles to something harmless. Returns true when it compiled anew.
  bool SetPattern(std::string_view text, const TCharacterManager* manager);

  // MinLength of the first alternative; 0 without one.
  int MinLength() const;
  // MaxLength of the first alternative, -1 when unbounded; 0 without one.
  int MaxLength() const;

  const std::string& Text() const { return FText; }
  int PatternCount() const { return static_cast<int>(FPatterns.size()); }
  TPatternStruct& Patterns(int index) { return FPatterns[index]; }
  const TPatternStruct& Patterns(int index) const { return FPatterns[index]; }
  const TNamedCharItems& Names() const { return FNames; }
  int MaxNamedCount() const { return FMaxNamedCount; }

  // Translates the typed syntax ("!(", "!+", "(", ")", "+") into the compiled one
  // ("[!", "@", "[", "]", "$"). Exposed for tests.
  static std::string TranslateSyntax(std::string text);

 private:
  void Compile();
  void ParseItem(TPatternItem& item, int item_index);
  // Registers a place of `name`; returns the name's index in Names().
  int AddPlace(const std::string& name, int item_index, int pos);
  void Summarize(TPatternStruct& ps);

  std::string FText;
  bool FCaseSensitive = false;
  TPatterns FPatterns;
  TNamedCharItems FNames;
  int FMaxNamedCount = 0;
};

}  // namespace gryvel
