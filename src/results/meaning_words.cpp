#include "results/meaning_words.h"

#include <algorithm>
#include <span>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"
#include "dictionary/dictionary_collection.h"
#include "search/letter_maps.h"

namespace gryvel {

namespace {

// Function words of clues, per language, in UTF-8 (converted once): prepositions,
// conjunctions, articles, pronouns, particles, auxiliary verbs.
constexpr std::string_view kRussianFunctionWords[] = {
    "а",   "без",   "бы",    "в",     "вам",   "вас",     "вне",     "во",      "вот",     "все",
    "всё", "вы",    "где",   "да",    "для",   "до",      "его",     "ее",      "её",      "ей",
    "ему", "если",  "есть",  "же",    "за",    "и",       "из",      "или",     "им",      "ими",
    "их",  "к",     "как",   "ко",    "когда", "который", "которая", "которое", "которые", "кто",
    "ли",  "либо",  "мне",   "мы",    "на",    "над",     "нас",     "не",      "него",    "нее",
    "неё", "ни",    "но",    "о",     "об",    "обо",     "он",      "она",     "они",     "оно",
    "от",  "перед", "по",    "под",   "при",   "про",     "с",       "свой",    "себе",    "себя",
    "со",  "так",   "также", "те",    "тем",   "то",      "того",    "тоже",    "только",  "ты",
    "у",   "уже",   "чем",   "через", "что",   "чтобы",   "чьё",     "это",     "этот",    "я",
};
constexpr std::string_view kEnglishFunctionWords[] = {
    "a",    "about", "an",    "and",   "are",   "as",   "at",      "be",        "been", "being",
    "but",  "by",    "can",   "could", "did",   "do",   "does",    "for",       "from", "had",
    "has",  "have",  "he",    "her",   "him",   "his",  "i",       "if",        "in",   "into",
    "is",   "it",    "its",   "me",    "my",    "no",   "not",     "of",        "on",   "one",
    "ones", "or",    "our",   "she",   "so",    "some", "someone", "something", "such", "than",
    "that", "the",   "their", "them",  "they",  "this", "those",   "to",        "was",  "we",
    "were", "what",  "which", "who",   "whose", "will", "with",    "would",     "you",  "your",
};

// Both lists in code page 1251, sorted.
const std::vector<std::string>& FunctionWords() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> list;
    for (const auto& language : {std::span<const std::string_view>(kRussianFunctionWords),
                                 std::span<const std::string_view>(kEnglishFunctionWords)})
      for (const std::string_view utf8 : language) {
        std::string text;
        if (Utf8ToCp1251(utf8, &text).ok()) list.push_back(std::move(text));
      }
    std::sort(list.begin(), list.end());
    return list;
  }();
  return words;
}

bool IsLatin(std::string_view word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string Lower(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(kLowerCase[static_cast<std::uint8_t>(c)]);
  return lower;
}

// The forms a clue word is looked up by: itself and, for an English comparative or
// superlative the stemmer keeps whole ("colder", "happiest", "bigger"), its base.
std::vector<std::string> LookupForms(std::string_view word) {
  std::vector<std::string> forms{std::string(word)};
  const std::string lower = Lower(word);
  if (!IsLatin(lower)) return forms;
  for (const std::string_view ending : {std::string_view("est"), std::string_view("er")}) {
    if (lower.size() < ending.size() + 3 || !lower.ends_with(ending)) continue;
    std::string base = lower.substr(0, lower.size() - ending.size());
    if (base.back() == 'i') base.back() = 'y';  // happier
    const std::size_t n = base.size();
    if (base[n - 1] == base[n - 2] &&
        std::string_view("bdgmnpt").find(base[n - 1]) != std::string_view::npos)
      base.pop_back();  // bigger, not taller
    forms.push_back(base);
    forms.push_back(base + "e");  // nicer
    break;
  }
  return forms;
}

// True when `word` starts with `prefix` under `map`.
bool StartsWith(std::string_view word, std::string_view prefix, const TByteMap& map) {
  if (word.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (map[static_cast<std::uint8_t>(word[i])] != map[static_cast<std::uint8_t>(prefix[i])])
      return false;
  return true;
}

// True when `word` without its hyphens starts with `prefix` under the collation, which
// orders words as if they had none.
bool CollatesUnder(std::string_view word, std::string_view prefix) {
  const TByteMap& map = CollationMap();
  std::size_t at = 0;
  for (const char c : word) {
    if (at == prefix.size()) break;
    if (c == '-') continue;
    if (map[static_cast<std::uint8_t>(c)] != map[static_cast<std::uint8_t>(prefix[at++])])
      return false;
  }
  return at == prefix.size();
}

// Walks the merged entries whose word starts with `prefix` (in the collation), calling
// `visit` with each index, and with the hyphenated words among them ("pro-life" among
// "prolife..."), which the caller tells apart.
template <typename Visit>
void ForEachWordStartingWith(const TDictionaryCollection& collection, std::string_view prefix,
                             Visit visit) {
  if (prefix.empty()) return;
  const TEntryPointers& items = collection.Items();
  for (auto i = static_cast<std::size_t>(collection.FindPosition(prefix));
       i < items.size() && CollatesUnder(items[i]->Word, prefix); ++i)
    visit(static_cast<std::int32_t>(i));
}

bool AllLetters(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return IsLetter(c); });
}

}  // namespace

bool IsFunctionWord(std::string_view word) {
  constexpr std::size_t kLongest = 16;
  if (word.empty() || word.size() > kLongest) return false;
  char lower[kLongest];
  for (std::size_t i = 0; i < word.size(); ++i)
    lower[i] = static_cast<char>(kLowerCase[static_cast<std::uint8_t>(word[i])]);
  const std::vector<std::string>& words = FunctionWords();
  return std::binary_search(words.begin(), words.end(), std::string_view(lower, word.size()),
                            [](std::string_view a, std::string_view b) { return a < b; });
}

TClueForms ClueForms(TMeaningIndex& index, const TClueWord& word) {
  TClueForms forms;
  if (word.Prefix) return forms;
  forms.Forms = LookupForms(word.Text);
  for (const std::string& form : forms.Forms) {
    forms.Keys.emplace_back();
    index.Key(form, &forms.Keys.back());
  }
  return forms;
}

std::vector<std::int32_t> OwnEntries(TMeaningIndex& index, const TDictionaryCollection& collection,
                                     const TClueWord& word, const TClueForms& forms) {
  std::vector<std::int32_t> own;
  const TEntryPointers& items = collection.Items();
  if (word.Prefix) {
    ForEachWordStartingWith(collection, word.Text, [&](std::int32_t i) {
      if (StartsWith(items[i]->Word, word.Text, index.Map())) own.push_back(i);
    });
    return own;
  }
  std::string key;
  for (std::size_t f = 0; f < forms.Forms.size(); ++f) {
    // Stems of both languages are the word's start but for a changed last letter or two.
    const std::string_view form = forms.Forms[f];
    const std::size_t common = std::min(form.size(), forms.Keys[f].size());
    const std::string_view start = form.substr(0, common > 2 ? common - 1 : common);
    ForEachWordStartingWith(collection, start, [&](std::int32_t i) {
      if (!AllLetters(items[i]->Word)) return;
      index.Key(items[i]->Word, &key);
      if (key == forms.Keys[f]) own.push_back(i);
    });
  }
  return own;
}

namespace meaning_detail {

std::vector<std::string> HeldDescriptions(const TDictionaryCollection& collection,
                                          std::int32_t own) {
  std::vector<std::string> texts;
  for (const auto& [dictionary, item] : collection.HeldEntries(own))
    if (!dictionary->Loading())
      texts.push_back(dictionary->GetDescription(dictionary->Entries().IndexOf(item->Word)));
  return texts;
}

std::int32_t EntryOfWord(const TDictionaryCollection& collection, std::string_view word,
                         const TByteMap& map) {
  const std::int32_t at = collection.Find(word);
  if (at < 0) return -1;
  const std::string& headword = collection.Items()[at]->Word;
  const bool same = headword.size() == word.size() &&
                    std::equal(word.begin(), word.end(), headword.begin(), [&](char a, char b) {
                      return map[static_cast<std::uint8_t>(a)] == map[static_cast<std::uint8_t>(b)];
                    });
  return same ? at : -1;
}

}  // namespace meaning_detail

}  // namespace gryvel
