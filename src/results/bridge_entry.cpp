#include "results/bridge_entry.h"

#include <algorithm>
#include <cmath>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"

namespace gryvel {

namespace {

// Words that carry no meaning of their own in a translation of several words, in UTF-8.
// Shorter words are left out anyway.
constexpr std::string_view kFunctionWords[] = {
    "без",   "для",     "его",     "еще",     "ещё",     "или",   "как",   "кто",   "над",
    "под",   "при",     "про",     "так",     "тем",     "чем",   "что",   "это",   "где",
    "когда", "который", "которая", "которое", "которые", "между", "около", "после", "перед",
    "через", "свой",    "своя",    "свое",    "своё",    "себя",  "тот",   "этот",  "эта",
    "эти",   "чего",    "чему",    "кого",    "кому",    "чтобы",
};
constexpr std::size_t kShortestPhraseWord = 3;  // letters

constexpr std::uint8_t kSmallYo = 0xB8;
constexpr std::uint8_t kSmallYe = 0xE5;

bool IsOpening(char c) {
  return c == '[' || c == '(' || c == '{';
}
bool IsClosing(char c) {
  return c == ']' || c == ')' || c == '}';
}
bool IsLatin(char c) {
  return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
// The lead byte of a UTF-8 letter of the basic Cyrillic block (U+0400..U+047F).
bool IsCyrillicLead(char c) {
  return c == '\xD0' || c == '\xD1';
}

// The entry's text after its first line, without transcriptions and remarks (brackets of any
// kind, nested, across lines), lines joined by spaces. A closing bracket with nothing open is
// kept: "1)" numbers a sense.
std::string PlainText(std::string_view entry) {
  std::string text;
  const std::size_t first_line_end = entry.find('\n');
  if (first_line_end == std::string_view::npos) return text;
  int depth = 0;
  for (const char c : entry.substr(first_line_end + 1)) {
    if (IsOpening(c)) {
      ++depth;
    } else if (IsClosing(c) && depth > 0) {
      --depth;
    } else if (depth == 0) {
      text += c == '\n' || c == '\t' || c == '\r' ? ' ' : c;
    }
  }
  return text;
}

// The length of a sense number at the start of `token`: digits and "." or ")"; 0 when it
// starts with none.
std::size_t SenseNumberLength(std::string_view token) {
  std::size_t digits = 0;
  while (digits < token.size() && IsDigit(token[digits])) ++digits;
  return digits > 0 && digits < token.size() && (token[digits] == '.' || token[digits] == ')')
             ? digits + 1
             : 0;
}

// The length of a sense letter at the start of `token`: one Cyrillic letter and ")" ("а)");
// 0 when it starts with none.
std::size_t SenseLetterLength(std::string_view token) {
  return token.size() >= 3 && IsCyrillicLead(token[0]) && token[2] == ')' ? 3 : 0;
}

// True for a homonym mark: "_" and a Roman number.
bool IsHomonymMark(std::string_view token) {
  return token.size() > 1 && token[0] == '_' &&
         token.find_first_not_of("IVX", 1) == std::string_view::npos;
}

bool IsFunctionWord(std::string_view utf8) {
  return std::find(std::begin(kFunctionWords), std::end(kFunctionWords), utf8) !=
         std::end(kFunctionWords);
}

// Collects the translations of one entry: items between commas, stretches between
// semicolons, senses between sense marks.
class TEntryReader {
 public:
  explicit TEntryReader(std::vector<TBridgeTranslation>* out) : FOut(*out) {}

  void Token(std::string_view token) {
    if (IsHomonymMark(token)) return NewSense();
    if (token.starts_with('_')) return;  // a label: "_n.", "_разг."
    if (const std::size_t mark = SenseNumberLength(token); mark > 0) {
      NewSense();
      token.remove_prefix(mark);
    } else if (const std::size_t letter = SenseLetterLength(token); letter > 0) {
      // Lettered senses after an example are the meanings of the example's idiom.
      CloseStretch();
      if (!FInExamples) NewSense();
      token.remove_prefix(letter);
    }
    std::size_t i = 0;
    while (i < token.size()) {
      const char c = token[i];
      if (IsCyrillicLead(c)) {
        i = Word(token, i);
        continue;
      }
      if (IsLatin(c)) FStretchHasLatin = true;
      if (c == ',') CloseItem();
      if (c == ';') CloseStretch();
      ++i;
    }
  }
  void Finish() { CloseStretch(); }

 private:
  struct TPending {
    std::string Word;
    int Item = 0;
    bool InPhrase = false;
  };

  // Takes the word that starts at token[start] and returns where it ends.
  std::size_t Word(std::string_view token, std::size_t start) {
    std::size_t end = start;
    while (end + 1 < token.size()) {
      if (IsCyrillicLead(token[end])) {
        end += 2;
      } else if (token[end] == '-' && IsCyrillicLead(token[end + 1])) {
        ++end;
      } else {
        break;
      }
    }
    end = std::min(end, token.size());
    const bool abbreviation = end < token.size() && token[end] == '.';
    if (end > start && !abbreviation) FItemWords.push_back(token.substr(start, end - start));
    return std::max(end, start + 1);
  }

  void CloseItem() {
    const bool phrase = FItemWords.size() > 1;
    for (const std::string_view utf8 : FItemWords) {
      if (phrase && IsFunctionWord(utf8)) continue;
      std::string word;
      if (!Utf8ToCp1251(utf8, &word).ok()) continue;
      if (phrase && word.size() < kShortestPhraseWord) continue;
      for (char& c : word) {
        const std::uint8_t lower = Lower(static_cast<std::uint8_t>(c));
        c = static_cast<char>(lower == kSmallYo ? kSmallYe : lower);
      }
      FPending.push_back({std::move(word), FStretchItems, phrase});
    }
    if (!FItemWords.empty()) ++FStretchItems;
    FItemWords.clear();
  }

  // A stretch with a Latin letter is a usage example: its Russian translates the example.
  // Examples close a sense: what follows them there translates them too ("ни рыба ни мясо").
  void CloseStretch() {
    CloseItem();
    FInExamples = FInExamples || FStretchHasLatin;
    if (!FInExamples && !FPending.empty()) {
      for (TPending& pending : FPending)
        FOut.push_back({std::move(pending.Word),
                        TranslationWeight(FSense, FPlace + pending.Item, pending.InPhrase)});
      FPlace += FStretchItems;
      FSenseHasWords = true;
    }
    FPending.clear();
    FStretchItems = 0;
    FStretchHasLatin = false;
  }

  // "1." and a "1)" right after it open one sense, not two.
  void NewSense() {
    CloseStretch();
    FInExamples = false;
    if (!FSenseHasWords) return;
    ++FSense;
    FPlace = 0;
    FSenseHasWords = false;
  }

  std::vector<TBridgeTranslation>& FOut;
  std::vector<std::string_view> FItemWords;
  std::vector<TPending> FPending;
  int FStretchItems = 0;
  bool FStretchHasLatin = false;
  bool FInExamples = false;
  int FSense = 0;
  int FPlace = 0;
  bool FSenseHasWords = false;
};

}  // namespace

std::uint8_t TranslationWeight(int sense, int place, bool in_phrase) {
  const double weight = 255.0 / (1.0 + 0.5 * sense) / (1.0 + 0.25 * place) * (in_phrase ? 0.5 : 1);
  return static_cast<std::uint8_t>(std::clamp(std::lround(weight), 1L, 255L));
}

void ParseBridgeEntry(std::string_view entry, std::vector<TBridgeTranslation>* out) {
  out->clear();
  const std::string text = PlainText(entry);
  TEntryReader reader(out);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) reader.Token(std::string_view(text).substr(start, end - start));
    start = end + 1;
  }
  reader.Finish();
}

}  // namespace gryvel
