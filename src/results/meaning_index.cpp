#include "results/meaning_index.h"

#include <algorithm>
#include <functional>

#include "dictionary/dictionary_collection.h"

namespace gryvel {

void TMeaningDocuments::Add(std::int32_t entry, std::string_view text) {
  FText.append(text);
  FEnds.push_back(static_cast<std::uint32_t>(FText.size()));
  FEntries.push_back(entry);
}

std::string_view TMeaningDocuments::Text(std::size_t i) const {
  const std::uint32_t start = i == 0 ? 0 : FEnds[i - 1];
  return std::string_view(FText).substr(start, FEnds[i] - start);
}

void ForEachDescription(const TDictionaryCollection& collection,
                        const std::function<void(std::int32_t, std::string_view)>& visit) {
  for (std::int32_t d = 0; d < collection.DictionaryCount(); ++d) {
    const TKivDictionary& dictionary = *collection.Dictionary(d);
    if (!dictionary.Connected() || dictionary.Loading()) continue;
    const TArticleList& entries = dictionary.Entries();
    // A description the file no longer gives is left out: the search finds less, nothing
    // breaks, and the viewer reports the damage when the entry is shown.
    (void)dictionary.ForEachDescription([&](std::int32_t index, std::string_view text) {
      const std::int32_t entry = collection.Find(entries.Get(index)->Word);
      if (entry >= 0) visit(entry, text);
    });
  }
}

TMeaningDocuments CollectDescriptions(const TDictionaryCollection& collection) {
  TMeaningDocuments documents;
  ForEachDescription(collection,
                     [&](std::int32_t entry, std::string_view text) { documents.Add(entry, text); });
  return documents;
}

TMeaningIndex::TMeaningIndex(const TByteMap& map)
    : FMap(map), FCaseSensitive(map['A'] != map['a'] || map[0xC0] != map[0xE0]) {}

void TMeaningIndex::Normalize(std::string_view word, std::string* out) const {
  out->resize(word.size());
  for (std::size_t i = 0; i < word.size(); ++i)
    (*out)[i] = static_cast<char>(FMap[static_cast<std::uint8_t>(word[i])]);
}

void TMeaningIndex::KeyOfNormalized(std::string_view token, std::string* key) {
  FScratch.resize(token.size());
  for (std::size_t i = 0; i < token.size(); ++i)
    FScratch[i] = static_cast<char>(kLowerCase[static_cast<std::uint8_t>(token[i])]);
  FStemmer.Stem(FScratch, key);
  if (!FCaseSensitive) return;
  // The stem is of the lower-case word: the places of capitals keep "Рим" apart from "рим".
  const std::size_t n = std::min(key->size(), token.size());
  key->push_back('\0');
  for (std::size_t i = 0; i < n; ++i)
    if (token[i] != FScratch[i]) key->push_back(static_cast<char>(i + 1));
}

void TMeaningIndex::Key(std::string_view word, std::string* key) {
  std::string token;
  Normalize(word, &token);
  KeyOfNormalized(token, key);
}

void TMeaningIndex::Build(const TMeaningDocuments& documents) {
  Begin();
  Reserve(documents.Bytes() / 6);
  for (std::size_t i = 0; i < documents.Count(); ++i)
    AddDocument(documents.Entry(i), documents.Text(i));
  Finish();
}

void TMeaningIndex::Begin() {
  FTokens.Clear();
  FEdited.clear();
  FAdded.clear();
  FPairs.clear();
}

void TMeaningIndex::AddDocument(std::int32_t entry, std::string_view text) {
  ForEachMeaningWord(text, [&](std::string_view word) {
    Normalize(word, &FToken);
    FPairs.push_back(std::uint64_t(static_cast<std::uint32_t>(FTokens.Insert(FToken))) << 32 |
                     static_cast<std::uint32_t>(entry));
  });
}

void TMeaningIndex::Finish() {
  MakePostings();
  MakeKeys();
}

void TMeaningIndex::MakePostings() {
  std::vector<std::uint64_t>& pairs = FPairs;
  // A counting sort by token keeps each token's entries in document order, which is entry
  // order within each dictionary; lists that several dictionaries fed are sorted after.
  FPostingStart.assign(static_cast<std::size_t>(FTokens.Count()) + 1, 0);
  for (const std::uint64_t pair : pairs) ++FPostingStart[(pair >> 32) + 1];
  for (std::size_t t = 1; t < FPostingStart.size(); ++t) FPostingStart[t] += FPostingStart[t - 1];
  FPostings.resize(pairs.size());
  {
    std::vector<std::uint32_t> next(FPostingStart.begin(), FPostingStart.end() - 1);
    for (const std::uint64_t pair : pairs)
      FPostings[next[pair >> 32]++] = static_cast<std::int32_t>(pair & 0xFFFFFFFFu);
  }
  std::vector<std::uint64_t>().swap(pairs);
  std::uint32_t kept = 0;
  for (std::size_t t = 0; t + 1 < FPostingStart.size(); ++t) {
    const auto first = FPostings.begin() + FPostingStart[t];
    const auto last = FPostings.begin() + FPostingStart[t + 1];
    if (!std::is_sorted(first, last)) std::sort(first, last);
    const auto end = std::unique(first, last);
    FPostingStart[t] = kept;
    kept += static_cast<std::uint32_t>(std::copy(first, end, FPostings.begin() + kept) -
                                       (FPostings.begin() + kept));
  }
  FPostingStart.back() = kept;
  FPostings.resize(kept);
  FPostings.shrink_to_fit();
}

void TMeaningIndex::MakeKeys() {
  FKeys.Clear();
  const auto tokens = static_cast<std::size_t>(FTokens.Count());
  std::vector<std::int32_t> key_of(tokens);
  std::string key;
  for (std::size_t t = 0; t < tokens; ++t) {
    KeyOfNormalized(FTokens.Word(static_cast<std::int32_t>(t)), &key);
    key_of[t] = FKeys.Insert(key);
  }
  FKeyStart.assign(static_cast<std::size_t>(FKeys.Count()) + 1, 0);
  for (const std::int32_t k : key_of) ++FKeyStart[k + 1];
  for (std::size_t k = 1; k < FKeyStart.size(); ++k) FKeyStart[k] += FKeyStart[k - 1];
  FKeyTokens.resize(tokens);
  std::vector<std::uint32_t> next(FKeyStart.begin(), FKeyStart.end() - 1);
  for (std::size_t t = 0; t < key_of.size(); ++t)
    FKeyTokens[next[key_of[t]]++] = static_cast<std::int32_t>(t);
  FSortedTokens.resize(tokens);
  for (std::size_t t = 0; t < tokens; ++t) FSortedTokens[t] = static_cast<std::int32_t>(t);
  std::sort(FSortedTokens.begin(), FSortedTokens.end(), [&](std::int32_t a, std::int32_t b) {
    return FTokens.Word(a) < FTokens.Word(b);
  });
}

void TMeaningIndex::AppendPostings(std::int32_t token, std::vector<std::int32_t>* entries) const {
  const auto first = FPostings.begin() + FPostingStart[token];
  const auto last = FPostings.begin() + FPostingStart[token + 1];
  if (FEdited.empty()) {
    entries->insert(entries->end(), first, last);
    return;
  }
  for (auto at = first; at != last; ++at)
    if (!FEdited.contains(*at)) entries->push_back(*at);
}

void TMeaningIndex::EntriesWithKey(std::string_view key, std::vector<std::int32_t>* entries) const {
  const std::int32_t found = FKeys.Find(key);
  if (found >= 0)
    for (std::uint32_t i = FKeyStart[found]; i < FKeyStart[found + 1]; ++i)
      AppendPostings(FKeyTokens[i], entries);
  for (const TAdded& added : FAdded)
    if (added.Key == key) entries->push_back(added.Entry);
}

void TMeaningIndex::EntriesWithPrefix(std::string_view prefix, std::vector<std::int32_t>* entries) {
  std::string normal;
  Normalize(prefix, &normal);
  auto at = std::lower_bound(
      FSortedTokens.begin(), FSortedTokens.end(), normal,
      [&](std::int32_t t, const std::string& p) { return FTokens.Word(t) < std::string_view(p); });
  for (; at != FSortedTokens.end() && FTokens.Word(*at).starts_with(normal); ++at)
    AppendPostings(*at, entries);
  for (const TAdded& added : FAdded)
    if (added.Token.starts_with(normal)) entries->push_back(added.Entry);
}

void TMeaningIndex::Update(std::int32_t entry, const std::vector<std::string>& texts) {
  FEdited.insert(entry);
  std::erase_if(FAdded, [entry](const TAdded& added) { return added.Entry == entry; });
  for (const std::string& text : texts)
    ForEachMeaningWord(text, [&](std::string_view word) {
      TAdded added{{}, {}, entry};
      Normalize(word, &added.Token);
      KeyOfNormalized(added.Token, &added.Key);
      FAdded.push_back(std::move(added));
    });
}

std::size_t TMeaningIndex::MemoryBytes() const {
  std::size_t bytes = FPostings.capacity() * sizeof(std::int32_t) +
                      FPostingStart.capacity() * sizeof(std::uint32_t) +
                      FKeyStart.capacity() * sizeof(std::uint32_t) +
                      (FKeyTokens.capacity() + FSortedTokens.capacity()) * sizeof(std::int32_t) +
                      FTokens.MemoryBytes() + FKeys.MemoryBytes();
  for (const TAdded& added : FAdded) bytes += sizeof(TAdded) + added.Token.capacity();
  return bytes;
}

}  // namespace gryvel
