#include "results/meaning_search.h"

#include <algorithm>
#include <unordered_set>

#include "common/cp1251_utf8.h"
#include "dictionary/dictionary_collection.h"
#include "results/meaning_index.h"
#include "search/letter_maps.h"

namespace gryvel {

namespace {

// Function words of clues, in UTF-8 (converted once).
constexpr std::string_view kFunctionWords[] = {
    "а", "без", "в", "во", "вот", "все", "всё", "где", "да", "для", "до", "его", "ее", "её",
    "если", "же", "за", "и", "из", "или", "им", "их", "к", "как", "ко", "когда", "кто", "ли",
    "на", "над", "не", "ни", "но", "о", "об", "обо", "от", "по", "под", "при", "про", "с",
    "со", "так", "то", "у", "что", "это", "a", "an", "and", "as", "at", "by", "for", "from",
    "in", "into", "is", "it", "its", "of", "on", "or", "the", "to", "with",
};

bool IsFunctionWord(std::string_view word) {
  static const std::unordered_set<std::string> words = [] {
    std::unordered_set<std::string> set;
    for (const std::string_view utf8 : kFunctionWords) {
      std::string text;
      if (Utf8ToCp1251(utf8, &text).ok()) set.insert(text);
    }
    return set;
  }();
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(kLowerCase[static_cast<std::uint8_t>(c)]);
  return words.contains(lower);
}

bool IsLetter(char c) {
  const auto b = static_cast<std::uint8_t>(c);
  return kLowerCase[b] != kUpperCase[b];
}

bool IsLatin(std::string_view word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The forms a clue word is looked up by: itself and, for an English comparative or
// superlative the stemmer keeps whole ("colder", "happiest", "bigger"), its base.
std::vector<std::string> LookupForms(std::string_view word) {
  std::vector<std::string> forms{std::string(word)};
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(kLowerCase[static_cast<std::uint8_t>(c)]);
  if (!IsLatin(lower)) return forms;
  for (const std::string_view ending : {std::string_view("est"), std::string_view("er")}) {
    if (lower.size() < ending.size() + 3 || !lower.ends_with(ending)) continue;
    std::string base = lower.substr(0, lower.size() - ending.size());
    if (base.back() == 'i') base.back() = 'y';  // happier
    const std::size_t n = base.size();
    if (base[n - 1] == base[n - 2] && std::string_view("bdgmnpt").find(base[n - 1]) !=
                                          std::string_view::npos)
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

// Walks the merged entries whose word starts with `prefix` (in the collation), calling
// `visit` with each index.
template <typename Visit>
void ForEachWordStartingWith(const TDictionaryCollection& collection, std::string_view prefix,
                             Visit visit) {
  if (prefix.empty()) return;
  const TEntryPointers& items = collection.Items();
  for (auto i = static_cast<std::size_t>(collection.FindPosition(prefix));
       i < items.size() && StartsWith(items[i]->Word, prefix, CollationMap()); ++i)
    visit(static_cast<std::int32_t>(i));
}

bool AllLetters(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), IsLetter);
}

// The entries that are a clue word's own: their word has the key of one of `forms`, or, for
// a prefix, starts with it.
std::vector<std::int32_t> OwnEntries(TMeaningIndex& index, const TDictionaryCollection& collection,
                                     const TClueWord& word,
                                     const std::vector<std::string>& form_keys,
                                     const std::vector<std::string>& forms) {
  std::vector<std::int32_t> own;
  const TEntryPointers& items = collection.Items();
  if (word.Prefix) {
    ForEachWordStartingWith(collection, word.Text, [&](std::int32_t i) {
      if (StartsWith(items[i]->Word, word.Text, index.Map())) own.push_back(i);
    });
    return own;
  }
  std::string key;
  for (std::size_t f = 0; f < forms.size(); ++f) {
    // Stems of both languages are the word's start but for a changed last letter or two.
    const std::string_view form = forms[f];
    const std::size_t common = std::min(form.size(), form_keys[f].size());
    const std::string_view start = form.substr(0, common > 2 ? common - 1 : common);
    ForEachWordStartingWith(collection, start, [&](std::int32_t i) {
      if (!AllLetters(items[i]->Word)) return;
      index.Key(items[i]->Word, &key);
      if (key == form_keys[f]) own.push_back(i);
    });
  }
  return own;
}

// The entries named by a word of the descriptions of entry `own`.
void ListedEntries(const TMeaningIndex& index, const TDictionaryCollection& collection,
                   std::int32_t own, std::vector<std::int32_t>* listed) {
  const TEntryPointers& items = collection.Items();
  const TByteMap& map = index.Map();
  for (const auto& [dictionary, item] : collection.HeldEntries(own)) {
    if (dictionary->Loading()) continue;
    const std::string text = dictionary->GetDescription(dictionary->Entries().IndexOf(item->Word));
    ForEachMeaningWord(text, [&](std::string_view word) {
      if (IsFunctionWord(word)) return;  // "a", "of" in a gloss name nothing
      const std::int32_t at = collection.Find(word);
      if (at < 0 || at == own) return;
      const std::string& headword = items[at]->Word;
      const bool same = headword.size() == word.size() &&
                        std::equal(word.begin(), word.end(), headword.begin(), [&](char a, char b) {
                          return map[static_cast<std::uint8_t>(a)] ==
                                 map[static_cast<std::uint8_t>(b)];
                        });
      if (same) listed->push_back(at);
    });
  }
}

}  // namespace

std::vector<TClueWord> ParseClue(std::string_view clue) {
  std::vector<TClueWord> words;
  std::size_t i = 0;
  while (i < clue.size()) {
    while (i < clue.size() && !IsLetter(clue[i])) ++i;
    const std::size_t start = i;
    while (i < clue.size() && IsLetter(clue[i])) ++i;
    if (i == start) break;
    TClueWord word{std::string(clue.substr(start, i - start)), i < clue.size() && clue[i] == '*'};
    if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
  }
  const auto content = std::stable_partition(words.begin(), words.end(), [](const TClueWord& w) {
    return w.Prefix || !IsFunctionWord(w.Text);
  });
  if (content != words.begin()) words.erase(content, words.end());
  return words;
}

void RankMeanings(TMeaningIndex& index, const TDictionaryCollection& collection,
                  const std::vector<TClueWord>& clue, std::vector<std::uint8_t>* ranks) {
  const std::size_t n = collection.Items().size();
  std::vector<std::uint8_t> reached(n, 0);  // clue words that reach each entry
  std::vector<bool> listed(n, false);
  std::vector<std::int32_t> found;
  std::vector<std::int32_t> stamp(n, -1);  // the last clue word that reached each entry
  for (std::size_t w = 0; w < clue.size(); ++w) {
    const TClueWord& word = clue[w];
    found.clear();
    std::vector<std::string> forms;
    std::vector<std::string> keys;
    if (word.Prefix) {
      index.EntriesWithPrefix(word.Text, &found);
    } else {
      forms = LookupForms(word.Text);
      for (const std::string& form : forms) {
        keys.emplace_back();
        index.Key(form, &keys.back());
        index.EntriesWithKey(keys.back(), &found);
      }
    }
    const std::size_t described = found.size();
    for (const std::int32_t own : OwnEntries(index, collection, word, keys, forms))
      ListedEntries(index, collection, own, &found);
    for (std::size_t k = 0; k < found.size(); ++k) {
      const std::int32_t entry = found[k];
      if (entry < 0 || static_cast<std::size_t>(entry) >= n) continue;
      if (k >= described) listed[entry] = true;
      if (stamp[entry] == static_cast<std::int32_t>(w)) continue;
      stamp[entry] = static_cast<std::int32_t>(w);
      ++reached[entry];
    }
  }
  ranks->assign(n, kNoMeaning);
  const auto words = static_cast<std::int32_t>(std::min<std::size_t>(clue.size(), 63));
  for (std::size_t i = 0; i < n; ++i) {
    if (reached[i] == 0) continue;
    const std::int32_t missed = std::max(0, words - static_cast<std::int32_t>(reached[i]));
    (*ranks)[i] = static_cast<std::uint8_t>((listed[i] ? kListedGroup : kDescribedGroup) + missed);
  }
}

}  // namespace gryvel
