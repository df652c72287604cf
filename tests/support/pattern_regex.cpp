#include "support/pattern_regex.h"

#include <bitset>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace gryvel::testing {

namespace {

using Set = std::bitset<256>;

// The letter classes in code page 1251: А..Я are 0xC0..0xDF, а..я 0x20 above, Ё 0xA8, ё 0xB8;
// Latin A..Z (0x41..0x5A) and a..z, with A E I O U the vowels and Y a consonant.
Set Vowels() {
  Set set;
  for (int upper :
       {0xC0, 0xC5, 0xC8, 0xCE, 0xD3, 0xDB, 0xDD, 0xDE, 0xDF, 0x41, 0x45, 0x49, 0x4F, 0x55}) {
    set.set(upper);
    set.set(upper + 0x20);
  }
  set.set(0xA8);
  set.set(0xB8);
  return set;
}

Set Consonants() {
  Set set;
  for (int upper = 0xC0; upper <= 0xDF; ++upper) {
    if (upper == 0xDA || upper == 0xDC) continue;  // Ъ and Ь are neither
    set.set(upper);
    set.set(upper + 0x20);
  }
  for (int upper = 'A'; upper <= 'Z'; ++upper) {
    set.set(upper);
    set.set(upper + 0x20);
  }
  return set & ~Vowels();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "!(" becomes "(!", then "!+" → "@", "(" → "[", ")" → "]", "+" → "$".
std::string Translate(std::string_view typed) {
  std::string text(typed);
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '!' && text[i + 1] == '(') std::swap(text[i], text[i + 1]);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '!' && i + 1 < text.size() && text[i + 1] == '+') {
      out += '@';
      ++i;
    } else {
      out += c == '(' ? '[' : c == ')' ? ']' : c == '+' ? '$' : c;
    }
  }
  return out;
}

struct Position {
  Set Letters;
  std::string Name;  // empty unless numbered
};

// One bracket, from just after its "[": the set, possibly a name; false when nothing follows.
bool ReadBracket(std::string_view item, std::size_t& at, Position& position) {
  if (at == item.size()) return false;
  const bool negated = item[at] == '!';
  if (negated) ++at;
  bool names = !negated;
  Set letters;
  while (at < item.size()) {
    const char c = item[at++];
    if (c == ']') break;
    if (c == '!') {
      names = false;
    } else if (c == '$' || c == '@') {
      letters |= c == '$' ? Consonants() : Vowels();
      names = false;
    } else if (IsDigit(c)) {
      if (!names) continue;
      position.Name += c;
      letters.set();
    } else {
      letters.set(static_cast<std::uint8_t>(c));
    }
  }
  position.Letters = negated ? ~letters : letters;
  return true;
}

std::vector<Position> ReadItem(std::string_view item) {
  std::vector<Position> positions;
  std::size_t at = 0;
  while (at < item.size()) {
    const char c = item[at++];
    Position position;
    if (c == '[') {
      if (!ReadBracket(item, at, position)) break;
    } else if (c == '?') {
      position.Letters.set();
    } else if (c == '$' || c == '@') {
      position.Letters = c == '$' ? Consonants() : Vowels();
    } else if (IsDigit(c)) {
      position.Letters.set();
      position.Name = std::string(1, c);
    } else {
      position.Letters.set(static_cast<std::uint8_t>(c));
    }
    positions.push_back(position);
  }
  return positions;
}

std::string SetExpression(const Set& set) {
  if (set.all()) return "[\\s\\S]";
  if (set.none()) return "[^\\s\\S]";
  const bool listed = set.count() <= 128;
  std::string out = listed ? "[" : "[^";
  for (int b = 0; b < 256; ++b) {
    if (set.test(b) != listed) continue;
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\x%02X", b);
    out += escape;
  }
  return out + "]";
}

}  // namespace

std::optional<PatternRegex> ReadPattern(std::string_view pattern) {
  const std::string text = Translate(pattern);
  if (text.empty()) return std::nullopt;
  std::vector<std::string> items;  // the runs between stars, empty ones left out
  std::string run;
  for (char c : text + '*') {
    if (c != '*') {
      run += c;
    } else if (!run.empty()) {
      items.push_back(run);
      run.clear();
    }
  }
  const bool open_start = text.front() == '*';
  const bool open_end = text.back() == '*';

  PatternRegex result;
  std::vector<std::string> names;  // in order of first appearance; group k + 1 is names[k]
  std::string& out = result.Expression;
  if (open_start) out += "[\\s\\S]*";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::vector<Position> positions = ReadItem(items[i]);
    // A run pinned to either end of the word must hold a letter there.
    if (positions.empty() && ((i == 0 && !open_start) || (i + 1 == items.size() && !open_end)))
      return std::nullopt;
    if (i > 0) out += "[\\s\\S]*";
    for (const Position& position : positions) {
      if (position.Name.empty()) {
        out += SetExpression(position.Letters);
        continue;
      }
      std::size_t group = 0;
      while (group < names.size() && names[group] != position.Name) ++group;
      if (group < names.size()) {
        out += "\\" + std::to_string(group + 1);
        continue;
      }
      // A new name: a letter none of the earlier names holds.
      for (std::size_t k = 1; k <= names.size(); ++k) out += "(?!\\" + std::to_string(k) + ")";
      names.push_back(position.Name);
      out += "(" + SetExpression(position.Letters) + ")";
    }
  }
  if (open_end && !items.empty()) out += "[\\s\\S]*";
  result.Names = static_cast<int>(names.size());
  return result;
}

}  // namespace gryvel::testing
