#include "search/pattern.h"

#include <algorithm>

#include "search/character_manager.h"

namespace gryvel {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads one position token of an item's text at `pos` (0-based) into `set` and `name`.
// Returns false when the text ends before a token (a trailing "[").
class TTokenizer {
 public:
  explicit TTokenizer(std::string_view text) : FSource(text) {}

  bool AtEnd() const { return FPos >= FSource.size(); }

  bool Next(TLetterSet& set, std::string& name) {
    set = TLetterSet{};
    name.clear();
    const char c = FSource[FPos++];
    switch (c) {
      case '?':
        set = AnyClass();
        return true;
      case '$':
        set = ConsonantClass();
        return true;
      case '@':
        set = VowelClass();
        return true;
      case '[':
        return Bracket(set, name);
      default:
        if (IsDigit(c)) {
          set = AnyClass();
          name.assign(1, c);
        } else {
          set.Add(static_cast<std::uint8_t>(c));
        }
        return true;
    }
  }

 private:
  bool Bracket(TLetterSet& set, std::string& name) {
    if (AtEnd()) return false;
    const bool negated = FSource[FPos] == '!';
    if (negated) ++FPos;
    bool names_on = !negated;
    while (!AtEnd()) {
      const char c = FSource[FPos++];
      if (c == ']') break;
      if (c == '!') {
        names_on = false;
      } else if (c == '$') {
        set.AddAll(ConsonantClass());
        names_on = false;
      } else if (c == '@') {
        set.AddAll(VowelClass());
        names_on = false;
      } else if (IsDigit(c)) {
        if (names_on) {
          name.push_back(c);
          set = AnyClass();
        }
      } else {
        set.Add(static_cast<std::uint8_t>(c));
      }
    }
    if (negated)
      for (std::uint8_t& b : set.Bits) b = static_cast<std::uint8_t>(~b);
    return true;
  }

  std::string_view FSource;
  std::size_t FPos = 0;
};

}  // namespace

std::string TPattern::TranslateSyntax(std::string text) {
  // "!(" becomes "(!", left to right, so "!!(" ends as "!(!".
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '!' && text[i + 1] == '(') std::swap(text[i], text[i + 1]);

  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (const char c = text[i]) {
      case '!':
        if (i + 1 < text.size() && text[i + 1] == '+') {
          out.push_back('@');
          ++i;
        } else {
          out.push_back('!');
        }
        break;
      case '(':
        out.push_back('[');
        break;
      case ')':
        out.push_back(']');
        break;
      case '+':
        out.push_back('$');
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

bool TPattern::SetPattern(std::string_view text, const TCharacterManager* manager) {
  std::string prepared(text);
  const bool case_sensitive = manager == nullptr || manager->CaseSensitive();
  if (manager != nullptr) {
    // Letters are folded like the words they will meet, so a typed capital matches too.
    const TByteMap& map = manager->CurrentMap();
    for (char& c : prepared) c = static_cast<char>(map[static_cast<std::uint8_t>(c)]);
  }
  prepared = TranslateSyntax(std::move(prepared));
  if (prepared == FText && case_sensitive == FCaseSensitive) return false;
  FText = std::move(prepared);
  FCaseSensitive = case_sensitive;
  FPatterns.clear();
  FNames.clear();
  FMaxNamedCount = 0;
  if (!FText.empty()) Compile();
  return true;
}

void TPattern::Compile() {
  TPatternStruct& ps = FPatterns.emplace_back();
  ps.NoStar = FText.find('*') == std::string::npos;
  std::size_t begin = 0;
  while (begin <= FText.size()) {
    std::size_t end = FText.find('*', begin);
    if (end == std::string::npos) end = FText.size();
    if (end > begin) {
      TPatternItem& item = ps.Items.emplace_back();
      item.Text = FText.substr(begin, end - begin);
    }
    begin = end + 1;
  }
  ps.ItemCount = static_cast<int>(ps.Items.size());
  for (int i = 0; i < ps.ItemCount; ++i) ParseItem(ps.Items[i], i);
  Summarize(ps);
}

void TPattern::ParseItem(TPatternItem& item, int item_index) {
  TTokenizer tokenizer(item.Text);
  TLetterSet set;
  std::string name;
  while (!tokenizer.AtEnd()) {
    if (!tokenizer.Next(set, name)) break;
    item.Chars.Sets.push_back(set);
    item.Chars.Count = static_cast<int>(item.Chars.Sets.size());
    item.HasName = !name.empty();
    if (item.HasName) {
      TItemPlace place{item.Chars.Count - 1, AddPlace(name, item_index, item.Chars.Count)};
      for (const TItemPlace& earlier : item.Places)
        if (earlier.Name == place.Name) place.SameAs = earlier.Offset;
      item.Places.push_back(place);
    }
  }
  while (item.LeadingAny < item.Chars.Count && item.Chars.Sets[item.LeadingAny].IsFull())
    ++item.LeadingAny;
}

int TPattern::AddPlace(const std::string& name, int item_index, int pos) {
  auto it = std::find_if(FNames.begin(), FNames.end(),
                         [&](const TNamedCharItem& n) { return n.Name == name; });
  if (it == FNames.end()) it = FNames.insert(FNames.end(), TNamedCharItem{name, {}});
  it->Places.push_back(TNamedPlace{item_index, pos});
  FMaxNamedCount = std::max(FMaxNamedCount, static_cast<int>(it->Places.size()));
  return static_cast<int>(it - FNames.begin());
}

void TPattern::Summarize(TPatternStruct& ps) {
  int rest = 0;
  for (int i = ps.ItemCount - 1; i >= 0; --i) {
    rest += ps.Items[i].Chars.Count;
    ps.Items[i].MinRest = rest;
  }
  ps.MinLength = rest;
  ps.MaxLength = ps.NoStar ? rest : kUnbounded;
  ps.HasNames = FNames.size() >= 2 || (FNames.size() == 1 && FNames[0].Places.size() >= 2);
  ps.AnchoredStart = FText.front() != '*';
  ps.AnchoredEnd = FText.back() != '*';
  ps.FirstMovable = ps.AnchoredStart ? 1 : 0;
  ps.LastMovable = ps.AnchoredEnd ? ps.ItemCount - 2 : ps.ItemCount - 1;
  ps.LengthOnly = ps.ItemCount == 1 && ps.Items[0].LeadingAny == ps.Items[0].Chars.Count &&
                  !ps.AnchoredStart && !ps.AnchoredEnd;
}

int TPattern::MinLength() const {
  return FPatterns.empty() ? 0 : FPatterns[0].MinLength;
}

int TPattern::MaxLength() const {
  if (FPatterns.empty()) return 0;
  return FPatterns[0].MaxLength == kUnbounded ? -1 : FPatterns[0].MaxLength;
}

}  // namespace gryvel
